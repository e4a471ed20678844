// A main window over a program of the test's own, shown on the offscreen screen, with a home of
// its own for the files it writes and every message recorded and answered.
#pragma once

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "dialogs/dialog_fields.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "shell/main_window.h"
#include "state/messages.h"

namespace fixture {

// Settings and user files land in a temporary folder, never in the shared test home.
struct TemporaryHome : QTemporaryDir {
    TemporaryHome() {
        qputenv("XDG_CONFIG_HOME", path().toUtf8());
        qputenv("XDG_DATA_HOME", path().toUtf8());
    }
};

// A black picture instead of the sky, for tests of the window rather than of the picture.
inline shell::MainWindowHooks BlackSky(shell::MainWindowHooks hooks = {}) {
    hooks.renderSky = [](QImage& bitmap, shell::Program&, int, int) {
        bitmap.fill(Qt::black);
        return shell::FrameFacts{};
    };
    return hooks;
}

// A value typed into a dialog's field, then the field left, as the user does.
inline void Type(QWidget* dialog, int id, const QString& text) {
    auto* field = dialogs::FindControl<QLineEdit>(*dialog, id);
    field->setText(text);
    emit field->editingFinished();
}
inline void Click(QWidget* dialog, int id) {
    dialogs::FindControl<QAbstractButton>(*dialog, id)->click();
}
// What a field, label, text box or button of a dialog shows.
inline QString Text(QWidget* dialog, int id) {
    if (auto* field = dialogs::FindControl<QLineEdit>(*dialog, id)) return field->text();
    if (auto* label = dialogs::FindControl<QLabel>(*dialog, id)) return label->text();
    if (auto* text = dialogs::FindControl<QPlainTextEdit>(*dialog, id)) return text->toPlainText();
    return dialogs::FindControl<QAbstractButton>(*dialog, id)->text();
}

// Runs act on the modal dialog that opens next, then closes what act left open, so that a failed
// check inside act ends the dialog's loop instead of leaving the test waiting on it.
inline void OnModal(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(modal.data())) act(*dialog);
        if (modal && modal->isVisible()) modal->close();
    });
}

// A move as the platform sends it, with these buttons held (QTest's moves do not reach a widget
// on every platform).
inline void MoveMouse(QWidget* widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Inherited by a test class next to QObject.
struct MainWindowFixture {
    TemporaryHome home;
    std::unique_ptr<shell::Program> program;
    std::unique_ptr<shell::MainWindow> window;
    std::vector<state::Message> messages;

    // A new program; its messages are recorded and answered Yes to a question, else Ok.
    void NewProgram() {
        window.reset();
        program = std::make_unique<shell::Program>();
        messages.clear();
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            const bool question = m.buttons == state::MessageButtons::YesNo ||
                                  m.buttons == state::MessageButtons::YesNoCancel;
            return question ? state::MessageAnswer::Yes : state::MessageAnswer::Ok;
        });
    }
    void ShowWindow(shell::MainWindowHooks hooks = {}) {
        window = std::make_unique<shell::MainWindow>(*program, std::move(hooks));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void CloseAll() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }
    // The data set the build made, with the user's own files in the home.
    void LoadDataSet() {
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
        program->options.UserPath = home.filePath("user").toStdString();
        QVERIFY(persist::LoadDataSet(program->data, program->options.UserPath,
                                     program->options.GscPath));
    }
    // The modeless dialog a command opens.
    template <class Dialog = dialogs::ModelessDialog>
    Dialog* Open(int command, dialogs::DialogKind kind) {
        window->Command(command);
        return static_cast<Dialog*>(window->openDialogs().Find(kind));
    }
    bool Checked(int command) const { return window->menus().FirstAction(command)->isChecked(); }
    static bool Checked(QWidget* dialog, int id) {
        return dialogs::FindControl<QAbstractButton>(*dialog, id)->isChecked();
    }
    static bool Enabled(QWidget* dialog, int id) {
        return dialogs::FindControl(*dialog, id)->isEnabled();
    }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const state::Message& message : messages)
            texts << QString::fromStdString(message.text);
        return texts;
    }
    void Paint() { window->skyView()->repaint(); }
    // A new frame of the sky and the tool windows, drawn at once.
    void Redraw() {
        window->Redraw();
        Paint();
    }
};

}  // namespace fixture
