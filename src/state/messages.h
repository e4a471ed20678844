// Message boxes and the title window, seen from the core layers. The platform layer installs
// handlers that show real dialogs; tests install handlers that record or answer them. With no
// handler installed a message is printed on stderr and questions are answered with the default.
#pragma once

#include <functional>
#include <string>

namespace state {

enum class MessageIcon { Stop, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
    std::string text;
    std::string caption;  // empty means no caption text
    MessageIcon icon = MessageIcon::Stop;
    MessageButtons buttons = MessageButtons::Ok;
};

using MessageHandler = std::function<MessageAnswer(const Message&)>;

// Shows a message through the installed handler and returns the user's answer.
MessageAnswer ShowMessage(const Message& message);
void SetMessageHandler(MessageHandler handler);

// Closes the start-up title picture if it is open (loaders do this before showing a failure).
void CloseTitleWindow();
void SetTitleWindowCloser(std::function<void()> closer);

}  // namespace state
