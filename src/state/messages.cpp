#include "state/messages.h"

#include <cstdio>
#include <utility>

namespace state {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

std::function<void()>& TitleCloser() {
    static std::function<void()> closer;
    return closer;
}

MessageAnswer DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
        case MessageButtons::OkCancel:
        case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

}  // namespace

MessageAnswer ShowMessage(const Message& message) {
    if (Handler()) return Handler()(message);
    std::fprintf(stderr, "planetarium: %s%s%s\n", message.caption.c_str(),
                 message.caption.empty() ? "" : ": ", message.text.c_str());
    return DefaultAnswer(message.buttons);
}

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

void CloseTitleWindow() {
    if (TitleCloser()) TitleCloser()();
}

void SetTitleWindowCloser(std::function<void()> closer) { TitleCloser() = std::move(closer); }

}  // namespace state
