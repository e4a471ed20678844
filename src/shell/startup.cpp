#include "shell/startup.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

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

namespace shell {
namespace {

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
    titleWindow_ = OpenTitleWindow(QString::fromStdString(persist::ProgramFile(name)));
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

    if (view.ScreenSaverMode) {
        OpenViewFile(program_, persist::ProgramFile("ScrSaver.QEL"), false);
        view.CircleGuide = 0;
        appOptions.SpeakFlag = 0;
        view.Shaya = 0;
        // The screen saver runs the clock on by itself (auto mode on/off).
        if (appOptions.AutoType == 0) mainWindow_->PostCommand(331);
    }

    platform::RegisterViewFileType(
        ".qel", platform::kWindowTitle, platform::kWindowTitle + QStringLiteral(" Data File"),
        QString::fromStdString(options.programPath), platform::XdgDataHome());

    if (!command_.viewFile.empty() && !view.ScreenSaverMode) {
        if (!command_.noTitle) CloseTitleWindow();
        OpenViewFile(program_, command_.viewFile, true);
    }

    view.CurrentCity = FindCurrentCity(program_);
    mainWindow_->PlaceFromSettings();
    if (view.ScreenSaverMode) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        mainWindow_->showFullScreen();
    } else {
        mainWindow_->show();
    }
    // The title picture stays in front of the main window for its three seconds.
    if (titleWindow_) titleWindow_->raise();
    platform::SetMessageOwner(mainWindow_.get());
    if (!view.ScreenSaverMode) mainWindow_->activateWindow();
    view.ViewChanged = true;
    return true;
}

int RunGui(int argc, char** argv, const std::string& dataDirectoryOverride) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("planetarium"));
    platform::InstallMessageBoxes();

    std::vector<std::string> arguments(argv + 1, argv + argc);
    StartupOptions options;
    options.commandLine = CommandLineText(arguments);
    options.programPath = QCoreApplication::applicationFilePath().toStdString();
    options.dataDirectory =
        platform::FindDataDirectory(platform::ExecutableDirectory(), dataDirectoryOverride);

    Program program;
    Session session(program);
    if (!session.Start(options)) return 0;
    return app.exec();
}

}  // namespace shell
