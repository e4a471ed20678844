#include "dialogs/info_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "dialogs/picture_control.h"
#include "platform/window_placement.h"

namespace dialogs {
namespace {

constexpr int kFirstField = 201;
constexpr int kPicture = 501;
constexpr int kTelescopeView = 101;

// The rows of a template: control (201..206) and its caption, top to bottom.
struct Row {
    int control;
    const char* caption;
};
struct Template {
    const char* name;
    const char* caption;
    Row rows[5];  // a control of 0 ends the rows
};

const Template kTemplates[] = {
    {"D_STARINFO",
     "Star Info",
     {{201, "Constellation"},
      {202, "Designation"},
      {203, "Name"},
      {204, "Magnitude"},
      {205, "RA/Dec"}}},
    {"D_STARINFOMINI", "Star Info", {{204, "Magnitude"}, {205, "RA/Dec"}}},
    {"D_MOONINFO",
     "Object Info",
     {{201, "Name"}, {203, "RA/Dec"}, {204, "From Earth"}, {205, "Age"}}},
    {"D_PLANETINFO",
     "Object Info",
     {{201, "Name"}, {206, "Type"}, {203, "RA/Dec"}, {204, "From Earth"}, {205, "From Sun"}}},
    {"D_PLANETINFO2",
     "Object Info",
     {{201, "Name"}, {206, "Type"}, {203, "RA/Dec"}, {204, "From Earth"}, {205, "From Sun"}}},
    {"D_COMETINFO",
     "Object Info",
     {{201, "Name"}, {202, "RA/Dec"}, {203, "From Earth"}, {204, "From Sun"}, {205, "Magnitude"}}},
    {"D_OBJECTINFO",
     "Object Info",
     {{201, "Type"}, {202, "Name"}, {203, "Messier"}, {204, "NGC"}, {205, "RA/Dec"}}},
    {"D_OBJECTINFOBMP",
     "Object Info",
     {{201, "Type"}, {202, "Name"}, {203, "Messier"}, {204, "NGC"}, {205, "RA/Dec"}}},
    {"D_SEIZAINFO", "Constellation Info", {{201, "Name"}, {202, "Scientific Name"}, {203, "Code"}}},
};

constexpr Row kNoRows[5] = {};

const Template* TemplateOf(const std::string& name) {
    for (const Template& t : kTemplates)
        if (name == t.name) return &t;
    return nullptr;
}

QPointer<InfoDialog>& OpenCard() {
    static QPointer<InfoDialog> open;
    return open;
}

}  // namespace

InfoDialog::InfoDialog(const render::InfoCard& card, QWidget* parent, double moonElongation,
                       std::function<void()> telescopeView)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), card_(card) {
    setObjectName(QString::fromStdString(card.dialog));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const Template* t = TemplateOf(card.dialog);
    setWindowTitle(tr(t ? t->caption : "Object Info"));

    auto* grid = new QGridLayout;
    int row = 0;
    for (const Row& r : t ? t->rows : kNoRows) {
        if (r.control == 0) break;
        auto* value = WithId<QLabel>(
            r.control,
            QString::fromStdString(card.field[static_cast<std::size_t>(r.control - kFirstField)]));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(new QLabel(tr(r.caption)), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    auto* body = new QHBoxLayout;
    if (!card.picture.empty()) {
        auto* picture = WithId<PictureControl>(kPicture);
        picture->SetPicture(QString::fromStdString(card.picture), moonElongation);
        body->addWidget(picture, 0, Qt::AlignTop);
    }
    body->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    if (card.dialog != "D_SEIZAINFO") {
        QPushButton* telescope =
            buttons->addButton(tr("&Telescope View"), QDialogButtonBox::ActionRole);
        telescope->setObjectName(QString::number(kTelescopeView));
        telescope->setEnabled(static_cast<bool>(telescopeView));
        connect(telescope, &QPushButton::clicked, this,
                [telescopeView = std::move(telescopeView)] { telescopeView(); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

InfoDialog* ShowInfoCard(const render::InfoCard& card, QWidget* parent, double moonElongation,
                         std::function<void()> telescopeView) {
    QPointer<InfoDialog>& open = OpenCard();
    if (open) {
        open->hide();
        open->deleteLater();
    }
    open = new InfoDialog(card, parent, moonElongation, std::move(telescopeView));
    open->adjustSize();
    platform::CentreWindow(*open, parent);
    open->show();
    return open;
}

InfoDialog* OpenInfoCard() {
    InfoDialog* open = OpenCard();
    return open && open->isVisible() ? open : nullptr;
}

}  // namespace dialogs
