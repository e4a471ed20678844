#include "dialogs/font_dialog.h"

#include <algorithm>
#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "astro/comet_import.h"
#include "dialogs/dialog_fields.h"
#include "persist/default_tables.h"
#include "persist/settings.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

constexpr int kEntries = 101;
constexpr int kSize = 102;
constexpr int kFace = 103;
constexpr int kBold = 104;
constexpr int kItalic = 105;
constexpr int kFirstEntryName = 3100;
constexpr int kHelpTopic = 37;

// The entry shown last, while the program runs.
int shownEntry = 0;

}  // namespace

int32_t FontSizeOf(int32_t typed) {
    const long long size = std::llabs(static_cast<long long>(typed));
    return static_cast<int32_t>(std::clamp(size, 4LL, 72LL));
}

FontDialog::FontDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, 0, tr("Fonts")) {
    auto* entries = WithId<QListWidget>(kEntries);
    for (int slot = 0; slot < state::kFontSetCount; ++slot) {
        const std::string name = shell::LoadString(kFirstEntryName + slot);
        if (name.empty()) continue;
        auto* item = new QListWidgetItem(QString::fromStdString(name), entries);
        item->setData(Qt::UserRole, slot);
    }
    entries->setMinimumWidth(entries->sizeHintForColumn(0) + 30);
    connect(entries, &QListWidget::currentRowChanged, this, &FontDialog::EntryChosen);

    auto* face = WithId<QComboBox>(kFace);
    face->setEditable(true);
    face->setInsertPolicy(QComboBox::NoInsert);
    FillFontNames(*face);
    face->model()->sort(0);
    face->lineEdit()->setMaxLength(31);
    face->setMinimumContentsLength(20);
    auto* size = WithId<QComboBox>(kSize);
    size->setEditable(true);
    size->setInsertPolicy(QComboBox::NoInsert);
    for (int points = 6; points <= 24; ++points)
        size->addItem(QString::number(points));
    auto* bold = WithId<QCheckBox>(kBold, tr("&Bold"));
    auto* italic = WithId<QCheckBox>(kItalic, tr("&Italic"));

    auto* fields = new QGridLayout;
    auto* faceLabel = new QLabel(tr("&Font:"));
    faceLabel->setBuddy(face);
    auto* sizeLabel = new QLabel(tr("&Size:"));
    sizeLabel->setBuddy(size);
    fields->addWidget(faceLabel, 0, 0);
    fields->addWidget(face, 0, 1, 1, 2);
    fields->addWidget(sizeLabel, 1, 0);
    fields->addWidget(size, 1, 1);
    fields->addWidget(bold, 2, 1);
    fields->addWidget(italic, 3, 1);
    QHBoxLayout* defaults = DefaultButtons(this, [this](bool all) { Default(all); });
    fields->addLayout(defaults, 4, 0, 1, 3);
    fields->setRowStretch(5, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(entries);
    top->addLayout(fields);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(ButtonRow());
    Reload();
}

int FontDialog::current() const {
    return std::clamp(shownEntry, 0, state::kFontSetCount - 1);
}

void FontDialog::Reload() {
    work_ = program().view.fontSets;
    Refresh();
}

void FontDialog::Refresh() {
    auto* entries = FindControl<QListWidget>(*this, kEntries);
    for (int row = 0; row < entries->count(); ++row) {
        if (entries->item(row)->data(Qt::UserRole).toInt() != current()) continue;
        const QSignalBlocker quiet(entries);
        entries->setCurrentRow(row);
    }
    state::FontSet& font = work_[current()];
    font.size = FontSizeOf(font.size);
    auto* face = FindControl<QComboBox>(*this, kFace);
    const QString faceName = QString::fromUtf8(font.face);
    face->setCurrentIndex(face->findText(faceName));
    if (face->currentText() != faceName) face->setEditText(faceName);
    auto* size = FindControl<QComboBox>(*this, kSize);
    size->setCurrentIndex(size->findText(QString::number(font.size)));
    if (size->currentText() != QString::number(font.size))
        size->setEditText(QString::number(font.size));
    FindControl<QCheckBox>(*this, kBold)->setChecked(font.bold != 0);
    FindControl<QCheckBox>(*this, kItalic)->setChecked(font.italic != 0);
}

void FontDialog::ReadCurrent() {
    state::FontSet& font = work_[current()];
    astro::CopyNameField(font.face,
                         FindControl<QComboBox>(*this, kFace)->currentText().toStdString());
    font.size = FontSizeOf(ReadInt(FindControl<QComboBox>(*this, kSize)->currentText()));
    font.bold = FindControl<QCheckBox>(*this, kBold)->isChecked() ? 1 : 0;
    font.italic = FindControl<QCheckBox>(*this, kItalic)->isChecked() ? 1 : 0;
}

void FontDialog::EntryChosen(int row) {
    auto* item = FindControl<QListWidget>(*this, kEntries)->item(row);
    if (!item) return;
    ReadCurrent();
    shownEntry = item->data(Qt::UserRole).toInt();
    Refresh();
}

void FontDialog::Default(bool all) {
    const FontSets& defaults = persist::DefaultFontSets();
    if (all) {
        work_ = defaults;
    } else {
        work_[current()] = defaults[current()];
    }
    Refresh();
}

void FontDialog::Apply() {
    ReadCurrent();
    Refresh();
    program().view.fontSets = work_;
    program().view.ViewChanged = true;
    host().ColoursChanged();
}

void FontDialog::Ok() {
    Apply();
    persist::SaveFontSets(program().view);
}

void FontDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
