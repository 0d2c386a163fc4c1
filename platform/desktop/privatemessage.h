// A private window message as a Qt event: the number, wParam and lParam a
// window's handleMessage acts on. Sending is a direct dispatch on the same
// thread; posting queues it.
#pragma once

#include <QEvent>
#include <cstdint>

class QObject;

namespace orvane {

class PrivateMessageEvent : public QEvent {
public:
    PrivateMessageEvent(int message, std::uintptr_t wParam, std::intptr_t lParam);

    static QEvent::Type eventType();

    int message() const { return message_; }
    std::uintptr_t wParam() const { return wParam_; }
    std::intptr_t lParam() const { return lParam_; }

private:
    int message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
};

// Queues the message for the receiver's thread; the receiver owns nothing until then.
void postPrivateMessage(QObject* receiver, int message, std::uintptr_t wParam, std::intptr_t lParam);
// Delivers it at once on the calling thread.
void sendPrivateMessage(QObject* receiver, int message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace orvane
