#include "dialogs/line_dialog.h"

#include <algorithm>
#include <optional>

#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "persist/default_tables.h"
#include "persist/settings.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

constexpr int kEntries = 101;
constexpr int kSolid = 103;
constexpr int kDotted = 104;
constexpr int kSwatch = 105;
constexpr int kStyleGroup = 106;
constexpr int kChange = 107;
constexpr int kFirstEntryName = 3000;
constexpr int kHelpTopic = 36;
constexpr int kOpenCommand = 161;  // "Color, &Line..."
constexpr uint8_t kNoLineStyle = 2;

// Held while the program runs: the entry shown last, the screen position that "&Apply" leaves
// for the dialog it reopens, and whether the colour chooser's custom colours were set.
int shownEntry = 0;
std::optional<QPoint> reopenAt;
bool customColoursSet = false;

QColor ColourOf(const state::LineSet& line) {
    return QColor(line.red, line.green, line.blue);
}

}  // namespace

ColourBox::ColourBox(QWidget* parent) : QWidget(parent) {
    setMinimumSize(64, 32);
}

void ColourBox::SetColour(QColor colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

QString ColourBox::text() const {
    return QString::number(colour_.red() | colour_.green() << 8 | colour_.blue() << 16);
}

void ColourBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineDialog::LineDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, 0, tr("Color, Line")) {
    auto* entries = WithId<QListWidget>(kEntries);
    for (int slot = 0; slot < state::kLineSetCount; ++slot)
        entries->addItem(QString::fromStdString(shell::LoadString(kFirstEntryName + slot)));
    entries->setMinimumWidth(entries->sizeHintForColumn(0) + 30);
    connect(entries, &QListWidget::currentRowChanged, this, &LineDialog::EntryChosen);

    auto* swatch = WithId<ColourBox>(kSwatch);
    auto* change = WithId<QPushButton>(kChange, tr("&Change..."));
    change->setAutoDefault(false);
    connect(change, &QPushButton::clicked, this, &LineDialog::ChangeColour);
    auto* style = WithId<QGroupBox>(kStyleGroup, tr("&Line Style"));
    auto* styleLayout = new QVBoxLayout(style);
    for (const auto& [id, text] : {std::pair{kSolid, "Solid"}, std::pair{kDotted, "Dot"}}) {
        auto* radio = WithId<QRadioButton>(id, tr(text));
        connect(radio, &QRadioButton::clicked, this, [this] {
            ReadCurrent();
            Refresh();
        });
        styleLayout->addWidget(radio);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(swatch);
    side->addWidget(change);
    side->addWidget(style);
    side->addLayout(DefaultButtons(this, [this](bool all) { Default(all); }));
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(entries);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(ButtonRow());

    if (!customColoursSet) {
        const LineSets& lines = program.view.lineSets;
        for (int i = 0; i < QColorDialog::customCount() && i < state::kLineSetCount; ++i)
            QColorDialog::setCustomColor(i, ColourOf(lines[i]));
        customColoursSet = true;
    }
    // Where "&Apply" closed the dialog (move() also keeps the dialog from being centred).
    if (reopenAt) move(*reopenAt);
    Reload();
}

int LineDialog::current() const {
    return std::clamp(shownEntry, 0, state::kLineSetCount - 1);
}

void LineDialog::Reload() {
    work_ = program().view.lineSets;
    Refresh();
}

void LineDialog::Refresh() {
    auto* entries = FindControl<QListWidget>(*this, kEntries);
    if (entries->currentRow() != current()) {
        const QSignalBlocker quiet(entries);
        entries->setCurrentRow(current());
    }
    const state::LineSet& line = work_[current()];
    const bool styled = line.style != kNoLineStyle;
    for (int id : {kStyleGroup, kSolid, kDotted})
        FindControl(*this, id)->setEnabled(styled);
    if (styled) CheckRadio(*this, {kSolid, kDotted}, line.style);
    FindControl<ColourBox>(*this, kSwatch)->SetColour(ColourOf(line));
}

void LineDialog::ReadCurrent() {
    state::LineSet& line = work_[current()];
    if (line.style == kNoLineStyle) return;
    const int style = CheckedRadio(*this, kSolid, 2);
    if (style >= 0) line.style = static_cast<uint8_t>(style);
}

void LineDialog::EntryChosen(int row) {
    if (row < 0) return;
    ReadCurrent();
    shownEntry = row;
    Refresh();
}

void LineDialog::ChangeColour() {
    ReadCurrent();
    state::LineSet& line = work_[current()];
    const QColor chosen = QColorDialog::getColor(ColourOf(line), this);
    if (chosen.isValid()) {
        line.red = static_cast<uint8_t>(chosen.red());
        line.green = static_cast<uint8_t>(chosen.green());
        line.blue = static_cast<uint8_t>(chosen.blue());
    }
    Refresh();
}

void LineDialog::Default(bool all) {
    const LineSets& defaults = persist::DefaultLineSets();
    if (all) {
        work_ = defaults;
    } else {
        work_[current()] = defaults[current()];
    }
    Refresh();
}

void LineDialog::Store() {
    ReadCurrent();
    Refresh();
    program().view.lineSets = work_;
    program().view.ViewChanged = true;
    host().ColoursChanged();
}

void LineDialog::Apply() {
    // The dialog closes and the main window opens it again at this place.
    reopenAt = frameGeometry().topLeft();
    reopening_ = true;
    accept();
    DialogHost* host = &this->host();
    QMetaObject::invokeMethod(
        host->DialogParent(), [host] { host->Command(kOpenCommand); }, Qt::QueuedConnection);
}

void LineDialog::Ok() {
    Store();
    if (reopening_) return;
    reopenAt.reset();
    persist::SaveLineSets(program().view);
}

void LineDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
