// planetarium-databuilder --out DIR --cache DIR [--force]
// Builds the program's data set from pinned public catalogues. The step table below is the one
// place where build steps are listed; they run in this order.
#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <iostream>

#include "framework/build_run.h"
#include "sky/sky_steps.h"
#include "verify/data_set_check.h"
#include "world/licences.h"
#include "world/minor_planets.h"
#include "world/world_steps.h"

namespace {

const std::vector<databuilder::BuildStep> kSteps = {
    {"stars", databuilder::buildStarBlocks},
    {"designations", databuilder::buildDesignationBlocks},
    {"constellations", databuilder::buildConstellationBlocks},
    {"asterisms", databuilder::buildAsterismBlocks},
    {"chinese", databuilder::buildChineseBlocks},
    {"pictures", databuilder::buildPictureBlock},
    {"projection tables", databuilder::buildProjectionTables},
    {"cities", databuilder::buildCityBlock},
    {"deep sky", databuilder::buildDeepSkyBlocks},
    {"milky way", databuilder::buildMilkyWayBlock},
    {"earth", databuilder::buildEarthBlock},
    {"landscape", databuilder::buildLandscapeBlock},
    {"comets", databuilder::buildCometFile},
    {"minor planets", databuilder::buildMinorPlanetFile},
    {"settings", databuilder::buildDefaultSettings},
    {"narration", databuilder::buildNarration},
    {"deep stars", databuilder::buildDeepStarCatalogue},
    {"world pictures", databuilder::buildWorldPictures},
    {"licences", databuilder::buildLicenceFiles},
};

// The stamp changes whenever the builder changes; the pinned inputs are compiled into it.
std::string builderStamp() {
    QFile self(QCoreApplication::applicationFilePath());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!self.open(QIODevice::ReadOnly) || !hash.addData(&self)) return {};
    for (const auto& step : kSteps)
        hash.addData(QByteArray(step.name));
    return hash.result().toHex().toStdString() + "\n";
}

int usage() {
    std::cerr << "usage: planetarium-databuilder --out DIR --cache DIR [--force]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // The title picture needs fonts, hence a GUI application; it never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    databuilder::BuildOptions options;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size())
            options.outDir = args[++i].toStdString();
        else if (args[i] == "--cache" && i + 1 < args.size())
            options.cacheDir = args[++i].toStdString();
        else if (args[i] == "--force")
            options.force = true;
        else
            return usage();
    }
    if (options.outDir.empty() || options.cacheDir.empty()) return usage();
    options.stamp = builderStamp();
    options.verify = databuilder::verifyDataSet;
    return databuilder::runBuild(options, kSteps);
}
