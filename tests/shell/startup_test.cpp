// Start-up on a small data set: the steps that stop it, the title and its picture, the command
// line, the screen saver and the window's place kept at the end.

#include "shell/startup.h"
#include "persist/paths.h"
#include "persist/settings.h"
#include "platform/window_placement.h"
#include "render_fixture.h"
#include "shell/command_line.h"
#include "shell/picture_window.h"
#include "shell/view_file_open.h"
#include "state/comet_record.h"
#include "window_fixture.h"

class StartupTest : public QObject, fixture::MainWindowFixture {
    Q_OBJECT

    QTemporaryDir data;
    std::unique_ptr<shell::Session> session;

    // The data set with one comet and two cities in whole degrees: Tokyo, then New York (the
    // default place).
    void WriteData(bool withIndex = true, bool withComets = true) {
        std::vector<state::CityRecord> cities(2);
        std::tie(cities[0].latitude, cities[0].longitude, cities[0].zone) =
            std::tuple(36, -140, 540);
        std::tie(cities[1].latitude, cities[1].longitude, cities[1].zone) =
            std::tuple(41, 74, -300);
        QVERIFY(fixture::WriteDataSet(data.path(), {}, 0, cities));
        if (!withIndex) QFile::remove(data.filePath("QELDATA.INI"));
        if (withComets) {
            state::CometRecord comet;
            std::snprintf(comet.NAMEE, sizeof comet.NAMEE, "Halley");
            QVERIFY(fixture::WriteBytes(data.filePath("QELCOMET.DAT"), &comet, sizeof comet));
        }
        persist::SetDataDirectory(data.path().toStdString());
    }
    bool Start(const QString& commandLine = {}) {
        const shell::StartupOptions options{commandLine.toStdString(), data.path().toStdString(),
                                            "/usr/bin/planetarium"};
        session = std::make_unique<shell::Session>(*program);
        return session->Start(options);
    }

  private slots:
    void init() {
        session.reset();
        for (const QString& folder : {data.path(), home.path()}) {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
        NewProgram();
    }
    void cleanup() {
        session.reset();
        CloseAll();
        QGuiApplication::restoreOverrideCursor();
    }

    void missingDataStopsTheStartWithItsMessages() {
        const std::tuple<bool, bool, QStringList, std::string> cases[] = {
            {true, false, {"Failed to read data."}, "QELCOMET.DAT"},
            {false, true, {"QELDATA.INI Error.", "Load Datas"}, "STAR2"}};
        for (const auto& [index, comets, expected, caption] : cases) {
            init();
            WriteData(index, comets);
            QVERIFY(!Start());
            QCOMPARE(std::pair(MessageTexts(), messages[0].caption), std::pair(expected, caption));
            QVERIFY(!session->mainWindow() && !session->titleWindow() &&
                    !program->data.block(persist::BlockId::STAR2).loaded);
        }
    }

    void fullStartShowsTheWindowAndTheTitle() {
        WriteData();
        QVERIFY(Start());
        QVERIFY(messages.empty() && session->titleWindow() && session->mainWindow() &&
                session->mainWindow()->isVisible());
        // "Welcome" with the title, and the city at the stored place.
        QCOMPARE(std::pair(program->narration.startCounter, program->view.CurrentCity),
                 std::pair(1, 1));
        QVERIFY(QFile::exists(home.path() + "/applications/planetarium.desktop"));
    }

    // "#$#" and five characters open the file without the title; a plain line closes the title
    // before the file opens.
    void commandLineOpensItsFile() {
        WriteData();
        const QString missing = data.filePath("no such view.QEL");
        QVERIFY(Start("#$#abcde" + missing));
        // Looked for at that very path.
        QCOMPARE(std::tuple(session->titleWindow() == nullptr, session->command().viewFile,
                            MessageTexts()),
                 std::tuple(true, missing.toStdString(), QStringList("Failed to open file.")));
    }

    void viewFileOnTheCommandLineIsAppliedThenItsTextShown() {
        WriteData();
        const QString path = data.filePath("orion.QEL");
        QVERIFY(fixture::WriteViewFile(path, 350));
        // Companions as Linux users name them: a text over the 9999-byte limit, and a sound
        // file that holds no sound.
        QVERIFY(fixture::WriteBytes(data.filePath("orion.txt"), QByteArray(12000, 'a')));
        QVERIFY(fixture::WriteBytes(data.filePath("orion.wav"), QByteArray(64, 'x')));
        std::vector<std::pair<std::string, int>> shown;  // text, zoom at the time
        state::SetMessageHandler([&](const state::Message& m) {
            shown.emplace_back(m.text, program->view.Zoom);
            return state::MessageAnswer::Ok;
        });
        QVERIFY(Start(path));
        QTRY_VERIFY(session->titleWindow() == nullptr);
        QCOMPARE(shown, (std::vector{std::pair(std::string(9999, 'a'), 350)}));
    }

    void viewFilesOwnSoundSilencesTheNarration() {
        const std::pair<QByteArray, const char*> cases[] = {
            {QByteArray("RIFF\4\0\0\0WAVE", 12), "(nothing)"},
            {QByteArray("ID3\4\0\0\0\0\0\0\0\0", 12), "OpenSetting"}};
        for (const auto& [sound, expected] : cases) {
            QVERIFY(fixture::WriteViewFile(data.filePath("tour.QEL"), 120));
            QVERIFY(fixture::WriteBytes(data.filePath("tour.WAV"), sound));
            shell::Program program;
            program.narration.startCounter = 0;
            QVERIFY(shell::OpenViewFile(program, data.filePath("tour.QEL").toStdString(), true));
            const char* said =
                state::NarrationCheck(program.narration, program.view, program.options);
            QCOMPARE(QString(said ? said : "(nothing)"), QString(expected));
        }
    }

    void screenSaverCoversTheDesktopWithTheUsersView() {
        WriteData();
        QVERIFY(fixture::WriteViewFile(data.filePath("ScrSaver.QEL"), 200));
        QDir().mkpath(home.path() + "/planetarium");
        QVERIFY(fixture::WriteViewFile(home.path() + "/planetarium/ScrSaver.QEL", 350));
        QVERIFY(Start("/s /ScreenSaver"));
        QVERIFY(program->view.ScreenSaverMode && !session->titleWindow());
        QTRY_VERIFY(program->view.AutoRunning);  // Fast Clocking starts by itself
        shell::MainWindow* window = session->mainWindow();
        QCOMPARE(std::tuple(program->view.Zoom, program->view.CircleGuide,
                            program->options.SpeakFlag, messages.size(), window->frameGeometry(),
                            QGuiApplication::overrideCursor()->shape()),
                 std::tuple(350, 0, 0, std::size_t(0), platform::WholeDesktop(), Qt::BlankCursor));
        QVERIFY(!window->menuBar()->isVisible() && !window->statusPanes()->isVisible() &&
                window->fullScreen() && !window->toolbar().bar()->isVisible());
        // Without its view the screen saver keeps the settings.
        cleanup();
        init();
        WriteData();
        persist::WriteProfileKeys("Tavilo Pro v7", {{"Zoom", "200"}});
        QVERIFY(Start("/SCREENSAVER"));
        QVERIFY(program->view.Zoom == 200 && messages.empty());
    }

    void commandLineIsParsed() {
        const std::tuple<const char*, bool, bool, const char*> cases[] = {
            {"x -ScreenSaver y", true, false, ""},
            {"abc/SCREENSAVERdef", true, false, ""},
            {"SCREENSAVER", false, false, "SCREENSAVER"},
            {"/screensaver view.qel", true, false, ""},
            {"#$#abcde/tmp/sky view.QEL", false, true, "/tmp/sky view.QEL"},
            {"#$#ab", false, true, ""},
            {"/home/me/Orion.QEL", false, false, "/home/me/Orion.QEL"},
            {"", false, false, ""}};
        for (const auto& [line, screenSaver, noTitle, viewFile] : cases) {
            const shell::StartupCommand command = shell::ParseCommandLine(line);
            QCOMPARE(std::tuple(command.screenSaver, command.noTitle, command.viewFile),
                     std::tuple(screenSaver, noTitle, std::string(viewFile)));
        }
        // The program's own options are not part of the line.
        QCOMPARE(std::pair(shell::CommandLineText({"--data-dir", "/d", "a.qel"}),
                           shell::CommandLineText({"my", "view.qel"})),
                 std::pair(std::string("a.qel"), std::string("my view.qel")));
    }

    // The title picture is enlarged to fit, widened when within 5 % of the width, never reduced.
    void titlePictureIsFittedAndAFileThatIsNoPictureLeavesItBlack() {
        const std::tuple<QSize, bool, QSize> cases[] = {
            {{320, 240}, true, {638, 478}},  {{100, 80}, true, {597, 478}},
            {{100, 76}, true, {638, 478}},   {{1000, 800}, true, {1000, 800}},
            {{320, 240}, false, {320, 240}}, {{100, 400}, true, {119, 478}}};
        for (const auto& [picture, enlarge, shown] : cases)
            QCOMPARE(shell::FitPictureSize(picture, {638, 478}, enlarge), shown);
        QVERIFY(fixture::WriteBytes(data.filePath("junk.gif"), "GIF89a, or so it says"));
        shell::PictureFileWindow title;
        title.resize(64, 48);
        title.SetPictureFile(data.filePath("junk.gif"));
        QVERIFY(title.picture().isNull() &&
                title.grab().toImage().pixelColor(30, 20) == QColor(Qt::black));
    }

    // Closing stores the normal rectangle, also of a maximised window.
    void closingKeepsTheNormalRectangle() {
        for (const char* maximised : {"1", "0"}) {
            init();
            WriteData();
            persist::WriteProfileKeys("Tavilo Pro v7", {{"MainWndX", "11"},
                                                        {"MainWndY", "22"},
                                                        {"MainWndW", "640"},
                                                        {"MainWndH", "480"},
                                                        {"MainWndZ", maximised}});
            QVERIFY(Start());
            const bool isMaximised = session->mainWindow()->windowState() & Qt::WindowMaximized;
            QCOMPARE(isMaximised, maximised[0] == '1');
            session->mainWindow()->close();
            const auto stored = persist::ReadMainWindowPlacement();
            QCOMPARE(std::pair(QRect(stored.x, stored.y, stored.width, stored.height), stored.z),
                     std::pair(QRect(11, 22, 640, 480), maximised[0] == '1' ? 1 : 0));
            cleanup();
        }
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
