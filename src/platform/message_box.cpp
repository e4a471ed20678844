#include "platform/message_box.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "state/messages.h"

namespace platform {
namespace {

QPointer<QWidget>& Owner() {
    static QPointer<QWidget> owner;
    return owner;
}

QMessageBox::Icon IconOf(state::MessageIcon icon) {
    switch (icon) {
        case state::MessageIcon::Stop:
            return QMessageBox::Critical;
        case state::MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case state::MessageIcon::Information:
            return QMessageBox::Information;
        case state::MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(state::MessageButtons buttons) {
    switch (buttons) {
        case state::MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case state::MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case state::MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case state::MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

state::MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return state::MessageAnswer::Yes;
        case QMessageBox::No:
            return state::MessageAnswer::No;
        case QMessageBox::Cancel:
            return state::MessageAnswer::Cancel;
        default:
            return state::MessageAnswer::Ok;
    }
}

state::MessageAnswer ShowBox(const state::Message& message) {
    QString caption =
        message.caption.empty() ? kWindowTitle : QString::fromStdString(message.caption);
    QMessageBox box(IconOf(message.icon), caption, QString::fromStdString(message.text),
                    ButtonsOf(message.buttons), Owner().data());
    // Texts may come from files (a view's companion text): never read as markup.
    box.setTextFormat(Qt::PlainText);
    return AnswerOf(box.exec());
}

}  // namespace

void InstallMessageBoxes(QWidget* owner) {
    Owner() = owner;
    state::SetMessageHandler(ShowBox);
}

void SetMessageOwner(QWidget* owner) {
    Owner() = owner;
}

}  // namespace platform
