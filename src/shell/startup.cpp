#include "shell/startup.h"

#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "astro/minor_planet_file.h"
#include "astro/projection_tables.h"
#include "astro/time_steps.h"
#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/settings.h"
#include "platform/data_location.h"
#include "platform/file_association.h"
#include "platform/font_families.h"
#include "platform/message_box.h"
#include "shell/view_file_open.h"
#include "state/messages.h"

// The icons are compiled into the shell library, whose resources a static link does not register.
static void RegisterProgramResources() {
    Q_INIT_RESOURCE(icons);
}

namespace shell {
namespace {

// The program's icon in every size it is drawn in, for the window manager and task bars.
QIcon ProgramIcon() {
    RegisterProgramResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/planetarium-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void ShowStop(const std::string& text, const std::string& caption = {}) {
    state::ShowMessage({text, caption, state::MessageIcon::Stop, state::MessageButtons::Ok});
}

// The sky is projected through the three table blocks; a damaged one would draw nonsense.
bool ProjectionTablesUsable(const persist::DataSet& data) {
    std::string error;
    const auto& sincos = data.block(persist::BlockId::SINCOS);
    if (astro::DecodeProjectionTables(sincos.bytes(), data.block(persist::BlockId::ZBI).bytes(),
                                      data.block(persist::BlockId::ZBI2).bytes(), &error))
        return true;
    state::CloseTitleWindow();
    ShowStop("The projection table is damaged (" + error + ").", persist::DataDirectory());
    return false;
}

}  // namespace

std::string ScreenSaverViewFile(const state::AppOptions& options) {
    const std::string own = persist::JoinPath(options.UserPath, kScreenSaverView);
    std::error_code error;
    if (std::filesystem::is_regular_file(own, error)) return own;
    return persist::ProgramFile(kScreenSaverView);
}

Session::Session(Program& program) : program_(program) {
    state::SetTitleWindowCloser([this] { CloseTitleWindow(); });
}

Session::~Session() {
    state::SetTitleWindowCloser({});
    CloseTitleWindow();
    persist::FreeDataSet(program_.data);
}

void Session::CloseTitleWindow() {
    if (titleWindow_) titleWindow_->close();  // deletes itself later
    titleWindow_.clear();
}

void Session::ReadScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    program_.screenDpi = int(screen->logicalDotsPerInchX() + 0.5);
    program_.view.TrueColourDisplay = screen->depth() > 8;
}

void Session::OpenTitleWindowUnlessSuppressed() {
    if (program_.view.ScreenSaverMode || command_.noTitle) return;
    const char* name = program_.view.TrueColourDisplay ? "TITLE256.IMG" : "TITLE16.IMG";
    titleWindow_ = OpenTitleWindow(QString::fromStdString(persist::ProgramFile(name)),
                                   program_.options.MediaZoom != 0);
    mainWindow_->RunNarrationCheck();  // the first check says "Welcome"
    QCoreApplication::processEvents();
}

void Session::Fail() {
    CloseTitleWindow();
    persist::FreeDataSet(program_.data);
    mainWindow_.reset();
}

bool Session::Start(const StartupOptions& options) {
    state::ViewState& view = program_.view;
    state::AppOptions& appOptions = program_.options;

    program_.dataDirectory = options.dataDirectory;
    persist::SetDataDirectory(options.dataDirectory);
    view.UnicodeText = true;
    persist::LoadSettings(view, appOptions, platform::FontFamilyKnown);

    command_ = ParseCommandLine(options.commandLine);
    view.ScreenSaverMode = command_.screenSaver;

    astro::SetClockAtStartup(view);
    ReadScreen();

    mainWindow_ = std::make_unique<MainWindow>(program_);
    platform::SetMessageOwner(nullptr);

    OpenTitleWindowUnlessSuppressed();

    if (persist::LoadStartupComets(appOptions.UserPath, program_.comets) == 0) {
        Fail();
        return false;
    }
    if (!persist::LoadDataSet(program_.data, appOptions.UserPath, appOptions.GscPath) ||
        !ProjectionTablesUsable(program_.data)) {
        ShowStop("Load Datas");
        Fail();
        return false;
    }
    view.GscAvailable = program_.data.gscAvailable;
    const std::string minorPlanets =
        astro::LoadMinorPlanetFile(persist::ProgramFile(astro::kMinorPlanetFile));
    if (!minorPlanets.empty()) {
        state::ShowMessage(
            {minorPlanets, "", state::MessageIcon::Information, state::MessageButtons::Ok});
    }

    if (view.ScreenSaverMode) {
        OpenViewFile(program_, ScreenSaverViewFile(appOptions), false);
        view.CircleGuide = 0;
        appOptions.SpeakFlag = 0;
        view.Shaya = 0;
        // The screen saver runs the clock on by itself (auto mode on/off).
        if (appOptions.AutoType == 0) mainWindow_->PostCommand(331);
    }

    QStringList programArguments;
    if (options.dataDirectoryGiven)
        programArguments = {QStringLiteral("--data-dir"),
                            QString::fromStdString(options.dataDirectory)};
    const QString programPath = QString::fromStdString(options.programPath);
    if (!platform::InstalledEntryExists(QFileInfo(programPath).absolutePath())) {
        platform::RegisterViewFileType(".qel", platform::kWindowTitle,
                                       platform::kWindowTitle + QStringLiteral(" Data File"),
                                       programPath, programArguments, platform::XdgDataHome());
    }

    if (!command_.viewFile.empty() && !view.ScreenSaverMode) {
        if (!command_.noTitle) CloseTitleWindow();
        OpenViewFile(program_, command_.viewFile, true);
    }

    view.CurrentCity = FindCurrentCity(program_.data, appOptions, view);
    mainWindow_->PlaceFromSettings();
    if (view.ScreenSaverMode) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        mainWindow_->SetFullScreen(true);  // over every monitor, without the bars
    } else {
        mainWindow_->show();
    }
    if (!view.ScreenSaverMode) mainWindow_->OpenToolWindowsAtStart();
    // The title picture stays in front of the main window for its three seconds.
    if (titleWindow_) titleWindow_->raise();
    platform::SetMessageOwner(mainWindow_.get());
    // The screen saver takes the keyboard too, so that any key ends it.
    mainWindow_->activateWindow();
    view.ViewChanged = true;
    return true;
}

int RunGui(int argc, char** argv, const std::string& dataDirectoryOverride) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("planetarium"));
    QGuiApplication::setDesktopFileName(QLatin1String(platform::kDesktopId));
    QApplication::setWindowIcon(ProgramIcon());
    platform::InstallMessageBoxes();

    std::vector<std::string> arguments(argv + 1, argv + argc);
    StartupOptions options;
    options.commandLine = CommandLineText(arguments);
    options.programPath = QCoreApplication::applicationFilePath().toStdString();
    options.dataDirectory =
        platform::FindDataDirectory(platform::ExecutableDirectory(), dataDirectoryOverride);
    options.dataDirectoryGiven = !dataDirectoryOverride.empty();

    Program program;
    Session session(program);
    if (!session.Start(options)) return 0;
    return app.exec();
}

}  // namespace shell
