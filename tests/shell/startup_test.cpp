#include <QtTest>

#include <array>
#include <cstring>
#include <fstream>
#include <vector>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/settings.h"
#include "shell/startup.h"
#include "state/comet_record.h"
#include "state/messages.h"

namespace {

void WriteBytes(const QString& path, const std::vector<char>& bytes) {
    std::ofstream file(path.toStdString(), std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
}

// A data set that the loader accepts: every block present, the projection tables long enough.
void WriteFixtureDataSet(const QString& dir, bool withIndex = true, bool withComets = true) {
    if (withComets) {
        state::CometRecord comet;
        std::snprintf(comet.NAMEE, sizeof comet.NAMEE, "Halley");
        std::vector<char> bytes(sizeof comet);
        std::memcpy(bytes.data(), &comet, sizeof comet);
        WriteBytes(dir + "/QELCOMET.DAT", bytes);
    }
    if (!withIndex) return;
    std::string index = "[QELDATA]\n";
    const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    for (size_t i = 0; i < persist::kBlockCount; ++i) {
        const std::string key = persist::BlockKey(static_cast<persist::BlockId>(i));
        index += key + "=" + key + "\n";
        std::vector<char> bytes;
        for (const auto& [name, table] :
             {std::pair{"SINCOS", &tables.sincos}, {"ZBI", &tables.zbi}, {"ZBI2", &tables.zbi2}}) {
            if (key != name) continue;
            const std::vector<uint8_t> tableBytes = astro::TableBytes(*table);
            bytes.assign(tableBytes.begin(), tableBytes.end());
        }
        if (key == "CITY") {
            // Two cities in whole degrees: Tokyo, then New York (the default place).
            for (auto [lat, lon, zone] :
                 {std::array<int16_t, 3>{36, -140, 540}, std::array<int16_t, 3>{41, 74, -300}}) {
                state::CityRecord city;
                city.latitude = lat;
                city.longitude = lon;
                city.zone = zone;
                const char* raw = reinterpret_cast<const char*>(&city);
                bytes.insert(bytes.end(), raw, raw + sizeof city);
            }
        }
        WriteBytes(dir + "/" + QString::fromStdString(key) + ".DAT", bytes);
    }
    std::ofstream(dir.toStdString() + "/QELDATA.INI") << index;
}

struct RecordedMessages {
    std::vector<state::Message> messages;
    RecordedMessages() {
        state::SetMessageHandler([this](const state::Message& message) {
            messages.push_back(message);
            return state::MessageAnswer::Ok;
        });
    }
    ~RecordedMessages() { state::SetMessageHandler({}); }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir home_;
    QTemporaryDir data_;

    shell::StartupOptions Options(const std::string& commandLine = {}) {
        shell::StartupOptions options;
        options.commandLine = commandLine;
        options.dataDirectory = data_.path().toStdString();
        options.programPath = "/usr/bin/planetarium";
        return options;
    }

  private slots:
    void init() {
        QVERIFY(home_.isValid() && data_.isValid());
        QDir(data_.path()).removeRecursively();
        QDir().mkpath(data_.path());
        QDir(home_.path()).removeRecursively();
        QDir().mkpath(home_.path());
        qputenv("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (home_.path() + "/share").toUtf8());
    }

    void missingCometsStopTheStartWithTheirMessage() {
        WriteFixtureDataSet(data_.path(), true, false);
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(!session.Start(Options()));
        QCOMPARE(recorded.messages.size(), size_t(1));
        QCOMPARE(recorded.messages[0].text, std::string("Failed to read data."));
        QCOMPARE(recorded.messages[0].caption, std::string("QELCOMET.DAT"));
        QVERIFY(session.mainWindow() == nullptr);
        QVERIFY(session.titleWindow() == nullptr);
    }

    void missingIndexKeyNamesTheKeyThenLoadDatas() {
        WriteFixtureDataSet(data_.path(), false, true);
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(!session.Start(Options()));
        QCOMPARE(recorded.messages.size(), size_t(2));
        QCOMPARE(recorded.messages[0].text, std::string("QELDATA.INI Error."));
        QCOMPARE(recorded.messages[0].caption, std::string("STAR2"));
        QCOMPARE(recorded.messages[1].text, std::string("Load Datas"));
        QVERIFY(!program.data.block(persist::BlockId::STAR2).loaded);
    }

    void fullStartShowsTheWindowAndTheTitle() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options()));
        QVERIFY(recorded.messages.empty());
        QVERIFY(session.mainWindow() && session.mainWindow()->isVisible());
        QVERIFY(session.titleWindow() != nullptr);
        QCOMPARE(program.view.Zoom, 80);
        QVERIFY(QFile::exists(home_.path() + "/share/applications/planetarium.desktop"));
    }

    void hashCommandLineOpensItsFileWithoutTheTitle() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        const QString missing = data_.path() + "/no such view.QEL";
        QVERIFY(session.Start(Options("#$#abcde" + missing.toStdString())));
        QVERIFY(session.titleWindow() == nullptr);
        QCOMPARE(session.command().viewFile, missing.toStdString());
        // The file was looked for at that path: opening it failed with the prompt.
        QCOMPARE(recorded.messages.size(), size_t(1));
        QCOMPARE(recorded.messages[0].text, std::string("Failed to open file."));
    }

    void plainCommandLineClosesTheTitleBeforeOpening() {
        WriteFixtureDataSet(data_.path());
        WriteBytes(data_.path() + "/v.QEL", std::vector<char>(512, 0));
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options((data_.path() + "/v.QEL").toStdString())));
        QTRY_VERIFY(session.titleWindow() == nullptr);
        QVERIFY(recorded.messages.empty());
    }

    void currentCityIsTheStoredPlaceOfTheView() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options()));
        QCOMPARE(program.view.CurrentCity, 1);
    }

    void viewFileOnTheCommandLineIsAppliedAndItsTextShown() {
        WriteFixtureDataSet(data_.path());
        std::vector<int32_t> record(128, 0);
        record[0] = 2500;      // format version
        record[84 / 4] = 350;  // zoom
        record[240 / 4] = 1;   // groups: viewpoint only
        std::vector<char> bytes(512);
        std::memcpy(bytes.data(), record.data(), bytes.size());
        WriteBytes(data_.path() + "/orion.QEL", bytes);
        std::ofstream((data_.path() + "/orion.TXT").toStdString()) << "Orion rises.";
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options((data_.path() + "/orion.QEL").toStdString())));
        QCOMPARE(program.view.Zoom, 350);
        QCOMPARE(recorded.messages.size(), size_t(1));
        QCOMPARE(recorded.messages[0].text, std::string("Orion rises."));
        QVERIFY(recorded.messages[0].icon == state::MessageIcon::Information);
    }

    void screenSaverHasNoTitleAndSwitchesOffGuides() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options("/s /ScreenSaver")));
        QVERIFY(program.view.ScreenSaverMode);
        QVERIFY(session.titleWindow() == nullptr);
        QCOMPARE(program.view.CircleGuide, 0);
        QCOMPARE(program.options.SpeakFlag, 0);
        QTRY_VERIFY(program.view.AutoRunning);  // Fast Clocking starts by itself
        QVERIFY(recorded.messages.empty());
    }

    void closingAMaximisedWindowKeepsItsNormalRectangle() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        persist::SetDataDirectory(data_.path().toStdString());
        persist::WriteProfileKeys("Tavilo Pro v7", {{"MainWndX", "11"},
                                                    {"MainWndY", "22"},
                                                    {"MainWndW", "640"},
                                                    {"MainWndH", "480"},
                                                    {"MainWndZ", "1"}});
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options()));
        QVERIFY(session.mainWindow()->windowState() & Qt::WindowMaximized);
        session.mainWindow()->close();
        auto stored = persist::ReadMainWindowPlacement();
        QCOMPARE(stored.x, 11);
        QCOMPARE(stored.y, 22);
        QCOMPARE(stored.width, 640);
        QCOMPARE(stored.height, 480);
        QCOMPARE(stored.z, 1);
    }

    void closingANormalWindowStoresItsRectangle() {
        WriteFixtureDataSet(data_.path());
        RecordedMessages recorded;
        persist::SetDataDirectory(data_.path().toStdString());
        persist::WriteProfileKeys("Tavilo Pro v7", {{"MainWndX", "30"},
                                                    {"MainWndY", "40"},
                                                    {"MainWndW", "700"},
                                                    {"MainWndH", "500"},
                                                    {"MainWndZ", "0"}});
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options()));
        session.mainWindow()->close();
        auto stored = persist::ReadMainWindowPlacement();
        QCOMPARE(stored.z, 0);
        QCOMPARE(stored.width, 700);
        QCOMPARE(stored.height, 500);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
