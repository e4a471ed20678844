#include "dialogs/comet_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "astro/comet_import.h"
#include "astro/comet_lines.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/modeless_dialog.h"
#include "persist/comet_file.h"
#include "persist/paths.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"
#include "state/messages.h"

namespace dialogs {
namespace {

using state::CometRecord;

constexpr int kList = 101;
constexpr int kYear = 102;
constexpr int kMonth = 103;
constexpr int kDay = 104;
constexpr int kName = 106;
constexpr int kDistance = 107;
constexpr int kEccentricity = 108;
constexpr int kShown = 110;
constexpr int kPerihelion = 111;
constexpr int kNode = 112;
constexpr int kInclination = 113;
constexpr int kBrightLimit = 114;
constexpr int kAdd = 115;
constexpr int kRemove = 116;
constexpr int kSave = 118;
constexpr int kDistanceLimit = 119;
constexpr int kH1 = 120;
constexpr int kK1 = 121;
constexpr int kResetAll = 122;
constexpr int kImportFile = 123;
constexpr int kPaste = 124;

constexpr int kAskDelete = 5;
constexpr int kCantDelete = 6;
constexpr int kCantAdd = 7;
constexpr int kAskSave = 8;
constexpr int kFailedToSave = 9;
constexpr int kHelpTopic = 30;
constexpr int kAskReset = 66;
constexpr double kLargestEccentricity = 2.0;

// The elements that are doubles, with the formats they are shown in.
struct DoubleField {
    int id;
    double CometRecord::*member;
    const char* format;
};
constexpr DoubleField kDoubleFields[] = {
    {kDay, &CometRecord::TD, "%08.5f"},        {kDistance, &CometRecord::q, "%9.7f"},
    {kEccentricity, &CometRecord::e, "%9.7f"}, {kPerihelion, &CometRecord::Peri, "%7.5f"},
    {kNode, &CometRecord::Node, "%7.5f"},      {kInclination, &CometRecord::i, "%7.5f"},
};

struct TermField {
    int id;
    float CometRecord::*member;
};
constexpr TermField kTermFields[] = {{kH1, &CometRecord::H1}, {kK1, &CometRecord::K1}};

bool Ask(int text) {
    return state::ShowMessage({shell::LoadString(text), "", state::MessageIcon::Question,
                               state::MessageButtons::YesNo}) == state::MessageAnswer::Yes;
}

void Tell(const std::string& text, state::MessageIcon icon) {
    state::ShowMessage({text, "", icon, state::MessageButtons::Ok});
}

// A limit typed in whole units, kept in tenths: round(text x 10), at least minimum.
int32_t TenthsOf(const QString& text, int32_t minimum) {
    const double tenths = std::clamp(ReadDouble(text) * 10.0, -1e9, 1e9);
    return std::max(static_cast<int32_t>(std::lround(tenths)), minimum);
}

QString Tenths(int32_t value) {
    return QString::asprintf("%3.1f", value / 10.0);
}

QString NameOf(const CometRecord& record) {
    return QString::fromUtf8(record.NAMEE, static_cast<qsizetype>(strnlen(record.NAMEE, 32)));
}

QString MarkOf(const CometRecord& record) {
    return record.show ? QStringLiteral("*") : QStringLiteral(" ");
}

QLineEdit* Field(QWidget* dialog, int id) {
    return FindControl<QLineEdit>(*dialog, id);
}

}  // namespace

CometDialog::CometDialog(shell::Program& program, DialogHost& host)
    : QDialog(host.DialogParent()), program_(program), host_(host) {
    setObjectName(QStringLiteral("D_COMET"));
    setWindowTitle(tr("Comet Setup"));
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [] { platform::OpenHelpTopic(shell::LoadString(kHelpTopic)); });

    auto* list = WithId<QTreeWidget>(kList);
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list->setMinimumWidth(fontMetrics().horizontalAdvance(QString(30, QLatin1Char('M'))) / 2);
    connect(list, &QTreeWidget::currentItemChanged, this, [this, list](QTreeWidgetItem* item) {
        const int index = list->indexOfTopLevelItem(item);
        if (index >= 0 && index != work_.current) Choose(index);
    });

    auto* left = new QVBoxLayout;
    left->addWidget(list, 1);
    left->addLayout(BuildButtons());
    auto* property = WithId<QGroupBox>(109, tr("Property of Comet"));
    property->setLayout(BuildElements());
    auto* limits = WithId<QGroupBox>(117, tr("Show Limitation"));
    limits->setLayout(BuildLimits());
    auto* right = new QVBoxLayout;
    right->addWidget(property);
    right->addWidget(limits);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);

    auto* bottom = new QHBoxLayout;
    auto* save = WithId<QPushButton>(kSave, tr("&Save"));
    connect(save, &QPushButton::clicked, this, &CometDialog::Save);
    bottom->addWidget(save);
    bottom->addStretch();
    const struct {
        int id;
        const char* text;
        void (CometDialog::*run)();
    } buttons[] = {{kIdOk, "OK", &CometDialog::accept},
                   {kIdCancel, "Cancel", &CometDialog::reject},
                   {kIdApply, "&Apply", &CometDialog::Apply}};
    for (const auto& button : buttons) {
        auto* push = WithId<QPushButton>(button.id, tr(button.text));
        push->setDefault(button.id == kIdOk);
        push->setAutoDefault(button.id == kIdOk);
        connect(push, &QPushButton::clicked, this, button.run);
        bottom->addWidget(push);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    const int count = std::clamp(program.comets.count, 0, state::kCometFileLimit);
    work_.table = program.comets;
    work_.table.count = count;
    work_.cometBright = program.options.CometBright;
    work_.cometKyori = program.options.CometKyori;
    FillList();
    ShowCurrent();
}

QLayout* CometDialog::BuildElements() {
    auto* grid = new QGridLayout;
    const auto addField = [this, grid](int row, int column, const char* label, int id,
                                       int characters) {
        auto* text = new QLabel(tr(label));
        QLineEdit* field = NumberField(id, characters);
        text->setBuddy(field);
        grid->addWidget(text, row, column);
        grid->addWidget(field, row, column + 1);
        connect(field, &QLineEdit::editingFinished, this, &CometDialog::Edited);
    };
    auto* nameLabel = new QLabel(tr("Na&me"));
    auto* name = WithId<QLineEdit>(kName);
    name->setMaxLength(29);
    nameLabel->setBuddy(name);
    connect(name, &QLineEdit::editingFinished, this, &CometDialog::Edited);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(name, 0, 1, 1, 5);

    grid->addWidget(new QLabel(tr("Perihelion passage (UT):")), 1, 0, 1, 6);
    addField(2, 0, "&Year", kYear, 4);
    addField(2, 2, "Mon&th", kMonth, 2);
    addField(2, 4, "Da&y", kDay, 8);
    addField(3, 0, "&q (AU)", kDistance, 10);
    addField(3, 2, "&e", kEccentricity, 10);
    addField(4, 0, "&Peri (deg)", kPerihelion, 9);
    addField(4, 2, "N&ode (deg)", kNode, 9);
    addField(4, 4, "&i (deg)", kInclination, 9);
    addField(5, 0, "H&1", kH1, 5);
    addField(5, 2, "&K1", kK1, 5);
    grid->addWidget(new QLabel(tr("If unknown, H1 and K1 into 0.")), 6, 0, 1, 6);
    grid->addWidget(new QLabel(tr("Angles in the ecliptic and equinox of the perihelion date.")), 7,
                    0, 1, 6);
    auto* shown = WithId<QCheckBox>(kShown, tr("S&how this comet"));
    connect(shown, &QCheckBox::clicked, this, &CometDialog::Edited);
    grid->addWidget(shown, 8, 0, 1, 6);
    return grid;
}

QLayout* CometDialog::BuildLimits() {
    auto* row = new QHBoxLayout;
    for (const auto& [id, text] : {std::pair{kBrightLimit, "Darkest bright: Mag"},
                                   std::pair{kDistanceLimit, "Farthest distance: AU"}}) {
        auto* label = new QLabel(tr(text));
        QLineEdit* field = NumberField(id, 5);
        label->setBuddy(field);
        connect(field, &QLineEdit::editingFinished, this, &CometDialog::Edited);
        row->addWidget(label);
        row->addWidget(field);
    }
    row->addStretch();
    return row;
}

QLayout* CometDialog::BuildButtons() {
    auto* grid = new QGridLayout;
    const struct {
        int id;
        const char* text;
        void (CometDialog::*run)();
    } buttons[] = {{kAdd, "A&dd", &CometDialog::Add},
                   {kRemove, "&Remove", &CometDialog::Remove},
                   {kResetAll, "Reset All", &CometDialog::ResetAll},
                   {kImportFile, "I&mport...", &CometDialog::ImportFile},
                   {kPaste, "Paste E&lements", &CometDialog::PasteElements}};
    int position = 0;
    for (const auto& button : buttons) {
        auto* push = WithId<QPushButton>(button.id, tr(button.text));
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, button.run);
        grid->addWidget(push, position / 3, position % 3);
        ++position;
    }
    return grid;
}

void CometDialog::ReadCurrent() {
    work_.cometBright = TenthsOf(Field(this, kBrightLimit)->text(), 0);
    work_.cometKyori = TenthsOf(Field(this, kDistanceLimit)->text(), 10);
    if (work_.table.count == 0) return;
    CometRecord& record = work_.table.records[work_.current];
    // Only a name the user typed: an imported name may be longer than typing allows. A
    // Japanese name that was only a copy of the English one follows it.
    if (QLineEdit* name = Field(this, kName); name->isModified()) {
        const bool sameNames = std::strncmp(record.NAMEJ, record.NAMEE, 32) == 0;
        astro::CopyNameField(record.NAMEE, name->text().toStdString());
        if (sameNames || record.NAMEJ[0] == '\0') std::memcpy(record.NAMEJ, record.NAMEE, 32);
        name->setModified(false);
    }
    record.TY = ReadInt(Field(this, kYear)->text());
    record.TM = ReadInt(Field(this, kMonth)->text());
    for (const DoubleField& field : kDoubleFields)
        record.*field.member = ReadDouble(Field(this, field.id)->text());
    astro::ClampCometRecord(record);
    record.e = std::min(record.e, kLargestEccentricity);
    for (const TermField& field : kTermFields)
        record.*field.member = astro::MagnitudeTerm(ReadDouble(Field(this, field.id)->text()));
    record.show = FindControl<QCheckBox>(*this, kShown)->isChecked() ? 1 : 0;
    record.initialised = 1;
}

void CometDialog::ShowCurrent() {
    SetTextIfChanged(Field(this, kBrightLimit), Tenths(work_.cometBright));
    SetTextIfChanged(Field(this, kDistanceLimit), Tenths(work_.cometKyori));
    if (work_.table.count == 0) return;
    work_.current = std::clamp(work_.current, 0, work_.table.count - 1);
    const CometRecord& record = work_.table.records[work_.current];
    SetTextIfChanged(Field(this, kName), NameOf(record));
    SetTextIfChanged(Field(this, kYear), QString::asprintf("%04d", record.TY));
    SetTextIfChanged(Field(this, kMonth), QString::asprintf("%02d", record.TM));
    for (const DoubleField& field : kDoubleFields)
        SetTextIfChanged(Field(this, field.id),
                         QString::asprintf(field.format, record.*field.member));
    for (const TermField& field : kTermFields)
        SetTextIfChanged(Field(this, field.id),
                         QString::asprintf("%3.1f", static_cast<double>(record.*field.member)));
    FindControl<QCheckBox>(*this, kShown)->setChecked(record.show != 0);

    auto* list = FindControl<QTreeWidget>(*this, kList);
    QTreeWidgetItem* item = list->topLevelItem(work_.current);
    if (!item) return;
    if (item->text(0) != MarkOf(record)) item->setText(0, MarkOf(record));
    if (item->text(1) != NameOf(record)) item->setText(1, NameOf(record));
    if (list->currentItem() != item) {
        const QSignalBlocker quiet(list);
        list->setCurrentItem(item);
    }
}

void CometDialog::FillList() {
    auto* list = FindControl<QTreeWidget>(*this, kList);
    const QSignalBlocker quiet(list);
    list->clear();
    for (int k = 0; k < work_.table.count; ++k) {
        const CometRecord& record = work_.table.records[k];
        list->addTopLevelItem(new QTreeWidgetItem({MarkOf(record), NameOf(record)}));
    }
}

void CometDialog::Choose(int index) {
    ReadCurrent();
    work_.current = index;
    ShowCurrent();
}

void CometDialog::Edited() {
    ReadCurrent();
    ShowCurrent();
}

void CometDialog::Add() {
    ReadCurrent();
    if (work_.table.count >= kCometDialogLimit) {
        Tell(shell::LoadString(kCantAdd), state::MessageIcon::Exclamation);
        return;
    }
    CometRecord record;
    astro::CopyNameField(record.NAMEE, "New Comet");
    std::memcpy(record.NAMEJ, record.NAMEE, sizeof record.NAMEJ);
    const state::CivilClock& clock = program_.view.clock;
    record.TY = clock.year;
    record.TM = clock.month;
    record.TD = clock.day;
    astro::ClampCometRecord(record);
    record.initialised = 1;
    work_.current = work_.table.count++;
    work_.table.records[work_.current] = record;
    FindControl<QTreeWidget>(*this, kList)
        ->addTopLevelItem(new QTreeWidgetItem({MarkOf(record), NameOf(record)}));
    ShowCurrent();
}

void CometDialog::Remove() {
    ReadCurrent();
    if (work_.table.count < 2) {
        Tell(shell::LoadString(kCantDelete), state::MessageIcon::Exclamation);
        return;
    }
    if (!Ask(kAskDelete)) return;
    auto& records = work_.table.records;
    std::move(records.begin() + work_.current + 1, records.begin() + work_.table.count,
              records.begin() + work_.current);
    --work_.table.count;
    auto* list = FindControl<QTreeWidget>(*this, kList);
    {
        const QSignalBlocker quiet(list);
        delete list->takeTopLevelItem(work_.current);
    }
    ShowCurrent();  // the next comet, or the new last one
}

void CometDialog::ResetAll() {
    ReadCurrent();
    if (!Ask(kAskReset)) return;
    if (persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile), work_.table) == 0) {
        Tell("Failed to read data.", state::MessageIcon::Stop);
        return;
    }
    FillList();
    ShowCurrent();
}

void CometDialog::Save() {
    ReadCurrent();
    ShowCurrent();
    if (!Ask(kAskSave)) return;
    Store();
    if (!persist::SaveComets(astro::UserCometFile(program_.options), work_.table, work_.cometBright,
                             work_.cometKyori))
        Tell(shell::LoadString(kFailedToSave), state::MessageIcon::Stop);
}

void CometDialog::ImportFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import Comet Elements"), QString(),
        tr("Minor Planet Center comet elements (*.txt *.TXT *.dat *.DAT);;All files (*)"));
    if (path.isEmpty()) return;
    std::string text;
    const astro::TextRead read = astro::ReadCometLinesFile(path.toStdString(), text);
    if (read != astro::TextRead::Ok) {
        Tell(astro::TextReadError(read, path.toStdString()), state::MessageIcon::Stop);
        return;
    }
    ImportText(text);
}

void CometDialog::PasteElements() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.size() > static_cast<qsizetype>(astro::kCometLinesLimit)) {
        Tell("The clipboard holds too much text to be a list of comets.",
             state::MessageIcon::Exclamation);
        return;
    }
    ImportText(text.toStdString());
}

void CometDialog::ImportText(const std::string& text) {
    ReadCurrent();
    const astro::CometLines lines = astro::ParseCometLines(text);
    if (lines.records.empty()) {
        Tell(astro::CometLinesError(lines), state::MessageIcon::Exclamation);
        return;
    }
    const astro::CometMerge merge =
        astro::MergeComets(lines.records, work_.table, kCometDialogLimit);
    if (merge.first >= 0) work_.current = merge.first;
    FillList();
    ShowCurrent();
    Tell(astro::CometMergeSummary(merge, kCometDialogLimit),
         merge.leftOut ? state::MessageIcon::Exclamation : state::MessageIcon::Information);
}

void CometDialog::Apply() {
    ReadCurrent();
    ShowCurrent();
    Store();
}

void CometDialog::accept() {
    ReadCurrent();
    ShowCurrent();
    QDialog::accept();
    Store();
}

void CometDialog::Store() {
    program_.comets = work_.table;
    program_.options.CometBright = work_.cometBright;
    program_.options.CometKyori = work_.cometKyori;
    program_.view.ViewChanged = true;
    host_.ViewStateWritten();
}

}  // namespace dialogs
