#include "windows/body_card.h"

#include <cstdio>

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "astro/comets.h"
#include "astro/equatorial.h"
#include "dialogs/bitmaps.h"

namespace windows {
namespace {

constexpr const char* kNone = "------";
constexpr int kPictureSize = 98;

std::string Au(double distance) {
    char text[64];
    std::snprintf(text, sizeof text, "%0.2fAU", distance);
    return text;
}

std::string SkyPosition(double longitude, double latitude) {
    const astro::Equatorial e = astro::EclipticToEquatorial(longitude, latitude);
    return astro::FormatEquatorial(e.ra, e.dec);
}

BodyCardTexts CometCard(const state::CometRecord& comet, const astro::SolarSystemState& bodies,
                        double mjd) {
    const astro::CometPosition p = astro::ComputeCometPosition(comet, mjd, bodies);
    BodyCardTexts card{"D_COMETINFO", {}, "B_COMET"};
    card.field[0] = render::PlotCometName(comet, false);
    card.field[1] = SkyPosition(p.longitude, p.latitude);
    card.field[2] = Au(p.delta);
    card.field[3] = Au(p.r);
    if (comet.H1 == 0 && comet.K1 == 0) {
        card.field[4] = "---";
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "%3.1f", astro::CometMagnitude(comet, p.r, p.delta));
        card.field[4] = text;
    }
    return card;
}

}  // namespace

BodyCardTexts BodyCardOf(const render::PlotHit& hit, const astro::SolarSystemState& bodies,
                         const state::CometTable* comets, double mjd) {
    if (hit.kind == render::PlotMarkKind::Comet) {
        if (!comets || hit.index < 0 || hit.index >= comets->count) return {};
        return CometCard(comets->records[static_cast<std::size_t>(hit.index)], bodies, mjd);
    }
    if (hit.kind != render::PlotMarkKind::Sun && hit.kind != render::PlotMarkKind::Body) return {};
    const int index = hit.index;
    if (index < 0 || index >= astro::kBodyCount) return {};
    const auto& record = astro::BodyTable()[static_cast<std::size_t>(index)];
    const astro::BodyState& state = bodies.bodies[static_cast<std::size_t>(index)];
    const bool sun = hit.kind == render::PlotMarkKind::Sun;
    const bool earth = !sun && index == astro::kSunIndex;
    const bool pictured = index < 10 && !earth;

    BodyCardTexts card{pictured ? "D_PLANETINFO" : "D_PLANETINFO2", {}, ""};
    if (pictured) card.picture = "B_PLANET" + std::to_string(index);
    std::string name = earth ? render::PlotBodyName(index, false) : record.englishName;
    if (!pictured && !earth && *record.catalogueNumber)
        name = std::string(record.catalogueNumber) + " " + name;
    card.field[0] = name;
    card.field[5] = astro::KindLabelEnglish(earth ? astro::BodyKind::Planet : record.kind);
    card.field[2] = earth ? kNone : SkyPosition(state.geoLongitude, state.geoLatitude);
    card.field[3] = earth ? kNone : Au(state.geoDistance);
    card.field[4] = sun ? kNone : Au(state.helioDistance);
    return card;
}

BodyCard::BodyCard(const BodyCardTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromStdString(texts.dialog));
    setWindowTitle(QStringLiteral("Object Info"));
    setAttribute(Qt::WA_DeleteOnClose);

    const bool comet = texts.dialog == "D_COMETINFO";
    static const char* const kPlanetCaptions[6] = {"Name",       nullptr,    "RA/Dec",
                                                   "From Earth", "From Sun", "Type"};
    static const char* const kCometCaptions[6] = {"Name",     "RA/Dec",    "From Earth",
                                                  "From Sun", "Magnitude", nullptr};
    auto* grid = new QGridLayout;
    int row = 0;
    // The kind first after the name, as the card reads.
    for (int control : comet ? std::array{0, 1, 2, 3, 4} : std::array{0, 5, 2, 3, 4}) {
        const char* caption = (comet ? kCometCaptions : kPlanetCaptions)[control];
        auto* value =
            new QLabel(QString::fromStdString(texts.field[static_cast<std::size_t>(control)]));
        value->setObjectName(QString::number(201 + control));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }

    auto* body = new QHBoxLayout;
    if (!texts.picture.empty()) {
        auto* picture = new QLabel;
        picture->setObjectName(QStringLiteral("501"));
        picture->setFixedSize(kPictureSize, kPictureSize);
        picture->setAlignment(Qt::AlignCenter);
        picture->setStyleSheet(QStringLiteral("background: black;"));
        picture->setPixmap(QPixmap::fromImage(dialogs::LoadBitmapResource(texts.picture)));
        body->addWidget(picture);
    }
    body->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    // The telescope view is never available.
    QPushButton* telescope =
        buttons->addButton(QStringLiteral("&Telescope View"), QDialogButtonBox::ActionRole);
    telescope->setObjectName(QStringLiteral("101"));
    telescope->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
}

}  // namespace windows
