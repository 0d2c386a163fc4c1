#include "platform/desktop/privatemessage.h"

#include <QCoreApplication>

namespace orvane {

PrivateMessageEvent::PrivateMessageEvent(int message, std::uintptr_t wParam, std::intptr_t lParam)
    : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

QEvent::Type PrivateMessageEvent::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void postPrivateMessage(QObject* receiver, int message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return;
    QCoreApplication::postEvent(receiver, new PrivateMessageEvent(message, wParam, lParam));
}

void sendPrivateMessage(QObject* receiver, int message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return;
    PrivateMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(receiver, &event);
}

}  // namespace orvane
