#include <QtTest>

#include <QMenuBar>
#include <QToolBar>

#include <array>
#include <cstring>
#include <fstream>
#include <vector>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/settings.h"
#include "platform/window_placement.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/view_file_open.h"
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

// A view file that restores only the viewpoint, with this zoom.
void WriteViewFile(const QString& path, int zoom) {
    std::vector<int32_t> record(128, 0);
    record[0] = 2500;       // format version
    record[84 / 4] = zoom;  // zoom
    record[240 / 4] = 1;    // groups: viewpoint only
    std::vector<char> bytes(512);
    std::memcpy(bytes.data(), record.data(), bytes.size());
    WriteBytes(path, bytes);
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
        QCOMPARE(program.narration.startCounter, 1);  // "Welcome" with the title
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

    void viewFileOnTheCommandLineIsAppliedThenItsTextShown() {
        WriteFixtureDataSet(data_.path());
        const QString path = data_.path() + "/orion.QEL";
        WriteViewFile(path, 350);
        // Companions as Linux users name them: a text over the 9999-byte limit, and a sound
        // file that holds no sound.
        WriteBytes(data_.path() + "/orion.txt", std::vector<char>(12000, 'a'));
        WriteBytes(data_.path() + "/orion.wav", std::vector<char>(64, 'x'));
        shell::Program program;
        std::vector<std::pair<std::string, int>> shown;  // text, zoom at the time
        state::SetMessageHandler([&](const state::Message& m) {
            shown.emplace_back(m.text, program.view.Zoom);
            return state::MessageAnswer::Ok;
        });
        shell::Session session(program);
        QVERIFY(session.Start(Options(path.toStdString())));
        state::SetMessageHandler({});
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0], std::make_pair(std::string(9999, 'a'), 350));
    }

    void screenSaverCoversTheDesktopWithTheUsersView() {
        WriteFixtureDataSet(data_.path());
        WriteViewFile(data_.path() + "/ScrSaver.QEL", 200);
        QDir().mkpath(home_.path() + "/share/planetarium");
        WriteViewFile(home_.path() + "/share/planetarium/ScrSaver.QEL", 350);
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options("/s /ScreenSaver")));
        QVERIFY(program.view.ScreenSaverMode);
        QVERIFY(session.titleWindow() == nullptr);
        QCOMPARE(program.view.Zoom, 350);
        QCOMPARE(program.view.CircleGuide, 0);
        QCOMPARE(program.options.SpeakFlag, 0);
        QTRY_VERIFY(program.view.AutoRunning);  // Fast Clocking starts by itself
        QVERIFY(recorded.messages.empty());
        shell::MainWindow* window = session.mainWindow();
        QCOMPARE(window->frameGeometry(), platform::WholeDesktop());
        QVERIFY(!window->menuBar()->isVisible() && !window->statusPanes()->isVisible());
        QVERIFY(window->fullScreen() && !window->toolbar().bar()->isVisible());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QGuiApplication::restoreOverrideCursor();
    }

    void viewFilesOwnSoundSilencesTheNarration() {
        const std::pair<std::vector<char>, const char*> cases[] = {
            {{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "(nothing)"},
            {{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0, 0, 0}, "OpenSetting"},
        };
        for (const auto& [sound, expected] : cases) {
            WriteViewFile(data_.path() + "/tour.QEL", 120);
            WriteBytes(data_.path() + "/tour.WAV", sound);
            shell::Program program;
            program.narration.startCounter = 0;
            QVERIFY(shell::OpenViewFile(program, (data_.path() + "/tour.QEL").toStdString(), true));
            const char* said =
                state::NarrationCheck(program.narration, program.view, program.options);
            QCOMPARE(QString(said ? said : "(nothing)"), QString(expected));
        }
    }

    void screenSaverWithoutItsViewKeepsTheSettings() {
        WriteFixtureDataSet(data_.path());
        persist::SetDataDirectory(data_.path().toStdString());
        persist::WriteProfileKeys("Tavilo Pro v7", {{"Zoom", "200"}});
        RecordedMessages recorded;
        shell::Program program;
        shell::Session session(program);
        QVERIFY(session.Start(Options("/SCREENSAVER")));
        QCOMPARE(program.view.Zoom, 200);
        QVERIFY(recorded.messages.empty());
        QGuiApplication::restoreOverrideCursor();
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
