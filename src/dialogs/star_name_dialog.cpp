#include "dialogs/star_name_dialog.h"

#include <algorithm>
#include <cstring>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "persist/paths.h"
#include "persist/record_view.h"
#include "persist/star_names.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"
#include "state/messages.h"

namespace dialogs {
namespace {

using persist::StarNameRecord;

constexpr int kList = 1065;
constexpr int kSecondName = 1066;
constexpr int kName = 1055;
constexpr int kSearch = 1064;
constexpr int kRemove = 1062;
constexpr int kResetAll = 122;
constexpr int kSave = 1063;
constexpr int kNameLimit = 31;  // characters of a name; its field holds 31 bytes and a zero
constexpr int kHelpTopic = 38;
constexpr int kAskSave = 8;
constexpr int kSaveFailed = 9;
constexpr int kAskReset = 66;
constexpr const char* kNewName = "New Name";

QString NameOf(const char (&field)[32]) {
    return QString::fromUtf8(persist::FieldText(field));
}

// The text into a name field: at most 31 bytes, cut before a character that would not fit.
void PutName(char (&field)[32], const QString& text) {
    QByteArray bytes = text.toUtf8();
    qsizetype size = std::min<qsizetype>(bytes.size(), sizeof field - 1);
    while (size > 0 && size < bytes.size() && (static_cast<uint8_t>(bytes[size]) & 0xC0) == 0x80)
        --size;
    std::memset(field, 0, sizeof field);
    std::memcpy(field, bytes.constData(), static_cast<std::size_t>(size));
}

bool Removed(const StarNameRecord& record) {
    return record.star == persist::kRemovedStar;
}

std::size_t StarCount(const shell::Program& program) {
    return program.data.block(persist::BlockId::STAR2).records<persist::StarRecord>().count();
}

bool Ask(int question) {
    return state::ShowMessage({shell::LoadString(question), "", state::MessageIcon::Question,
                               state::MessageButtons::YesNo}) == state::MessageAnswer::Yes;
}

}  // namespace

StarNameDialog::StarNameDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, 0, tr("Edit Fixed Star Label")) {
    list_ = WithId<QListWidget>(kList);
    list_->setMinimumHeight(16 * fontMetrics().height());
    auto* listLabel = new QLabel(tr("Fixed Star Label &List"));
    listLabel->setBuddy(list_);
    connect(list_, &QListWidget::currentItemChanged, this, [this] {
        if (!updating_) SelectionChanged();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { Search(); }, Qt::QueuedConnection);
    });

    second_ = WithId<QLineEdit>(kSecondName);
    second_->setMaxLength(kNameLimit);
    second_->hide();
    name_ = WithId<QLineEdit>(kName);
    name_->setMaxLength(kNameLimit);
    auto* nameLabel = new QLabel(tr("&Name"));
    nameLabel->setBuddy(name_);

    auto* side = new QVBoxLayout;
    const struct {
        int id;
        const char* text;
        void (StarNameDialog::*action)();
    } buttons[] = {{kSearch, "Search", &StarNameDialog::Search},
                   {kRemove, "Remove", &StarNameDialog::Remove},
                   {kResetAll, "Reset All", &StarNameDialog::ResetAll},
                   {kSave, "Save", &StarNameDialog::Save}};
    for (const auto& b : buttons) {
        auto* button = WithId<QPushButton>(b.id, tr(b.text));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.action);
        side->addWidget(button);
    }
    side->addStretch();

    auto* grid = new QGridLayout;
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(name_, 3, 0);
    grid->addWidget(second_, 4, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const persist::Block& block = program.data.block(persist::BlockId::STARN);
    const auto bytes = block.bytes().first(
        std::min(block.size, program.data.starNameCount * sizeof(StarNameRecord)));
    table_ = persist::ParseStarNames(bytes, StarCount(program));
    FillList();
}

void StarNameDialog::FillList() {
    updating_ = true;
    list_->clear();
    for (int record = 0; record < static_cast<int>(table_.size()); ++record)
        if (!Removed(table_[static_cast<std::size_t>(record)])) AddItem(record);
    updating_ = false;
    shown_ = -1;
    Select(list_->item(0));
}

// The entry of a record at its sorted place (alphabetical, any case), as a sorted list box
// puts it.
QListWidgetItem* StarNameDialog::AddItem(int record) {
    const QString text = NameOf(table_[static_cast<std::size_t>(record)].name);
    int row = 0;
    while (row < list_->count() && list_->item(row)->text().compare(text, Qt::CaseInsensitive) <= 0)
        ++row;
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, record);
    list_->insertItem(row, item);
    return item;
}

QListWidgetItem* StarNameDialog::ItemOf(int record) const {
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toInt() == record) return list_->item(row);
    return nullptr;
}

void StarNameDialog::Select(QListWidgetItem* item) {
    updating_ = true;
    list_->setCurrentItem(item);
    updating_ = false;
    ShowSelected();
}

void StarNameDialog::ShowSelected() {
    const QListWidgetItem* item = list_->currentItem();
    shown_ = item ? item->data(Qt::UserRole).toInt() : -1;
    if (shown_ < 0) return;
    const StarNameRecord& record = table_[static_cast<std::size_t>(shown_)];
    SetTextIfChanged(second_, NameOf(record.second));
    SetTextIfChanged(name_, NameOf(record.name));
}

void StarNameDialog::ReadEdits() {
    if (shown_ < 0) return;
    StarNameRecord& record = table_[static_cast<std::size_t>(shown_)];
    const QString name = name_->text();
    const QString second = second_->text();
    // An emptied name leaves the record as it was.
    if (name.isEmpty()) return;
    if (name == NameOf(record.name) && second == NameOf(record.second)) return;
    PutName(record.name, name);
    PutName(record.second, second);
    updating_ = true;
    delete ItemOf(shown_);
    list_->setCurrentItem(AddItem(shown_));
    updating_ = false;
}

void StarNameDialog::SelectionChanged() {
    // The entry chosen, kept across the move of a renamed entry.
    QListWidgetItem* chosen = list_->currentItem();
    const int chosenRecord = chosen ? chosen->data(Qt::UserRole).toInt() : shown_;
    ReadEdits();
    QListWidgetItem* item = ItemOf(chosenRecord);
    Select(item ? item : ItemOf(shown_));
}

void StarNameDialog::PickStar(uint32_t star) {
    ReadEdits();
    auto named = std::find_if(table_.begin(), table_.end(),
                              [star](const StarNameRecord& r) { return r.star == star; });
    if (named != table_.end()) {
        Select(ItemOf(static_cast<int>(named - table_.begin())));
    } else if (table_.size() < persist::kStarNameLimit) {
        StarNameRecord record{};
        record.star = star;
        PutName(record.name, QString::fromLatin1(kNewName));
        table_.push_back(record);
        updating_ = true;
        QListWidgetItem* item = AddItem(static_cast<int>(table_.size()) - 1);
        updating_ = false;
        Select(item);
    }
    if (isMinimized()) showNormal();
    if (!isActiveWindow()) {
        raise();
        activateWindow();
    }
    name_->selectAll();
    name_->setFocus();
}

void StarNameDialog::Remove() {
    // The last name cannot go.
    if (list_->count() <= 1 || shown_ < 0) return;
    const int row = list_->currentRow();
    table_[static_cast<std::size_t>(shown_)].star = persist::kRemovedStar;
    shown_ = -1;
    updating_ = true;
    delete list_->takeItem(row);
    updating_ = false;
    Select(list_->item(std::min(row, list_->count() - 1)));
}

void StarNameDialog::ResetAll() {
    if (!Ask(kAskReset)) return;
    persist::Block shipped;
    if (!persist::LoadBlock(persist::BlockKey(persist::BlockId::STARN), {},
                            program().options.UserPath, shipped, false, true))
        return;
    table_ = persist::ParseStarNames(shipped.bytes(), StarCount(program()));
    FillList();
}

std::vector<StarNameRecord> StarNameDialog::Store() {
    ReadEdits();
    std::vector<StarNameRecord> kept;
    std::copy_if(table_.begin(), table_.end(), std::back_inserter(kept),
                 [](const StarNameRecord& r) { return !Removed(r); });
    persist::UseStarNames(program().data, kept);
    host().ViewStateWritten();
    return kept;
}

void StarNameDialog::Apply() {
    Store();
}

void StarNameDialog::Save() {
    if (!Ask(kAskSave)) return;
    const std::vector<StarNameRecord> kept = Store();
    const std::string path =
        persist::JoinPath(program().options.UserPath, persist::kUserStarNameFile);
    if (!persist::SaveStarNames(path, kept)) {
        state::ShowMessage({shell::LoadString(kSaveFailed), "", state::MessageIcon::Stop,
                            state::MessageButtons::Ok});
    }
}

void StarNameDialog::Search() {
    ReadEdits();
    if (shown_ < 0) return;
    const astro::ObjectRef star{
        astro::kNamedStarObject,
        static_cast<int32_t>(table_[static_cast<std::size_t>(shown_)].star)};
    if (host().CenterOnObject(star, false)) host().ViewStateWritten();
}

void StarNameDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
