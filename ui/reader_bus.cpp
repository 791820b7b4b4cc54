// Answering a screen reader's calls over the accessibility bus in the middle of a handler.
#include "reader_bus.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

#include <chrono>
#include <thread>

namespace vimbrel::reader_bus {

namespace {

bool answering_now = false;

// The accessibility bridge answers a reader through D-Bus "virtual objects": each call reaches the
// GUI thread as a queued call to one of them.
class Watch final : public QObject {
public:
    QList<QPointer<QObject>> answerers;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && watched->inherits("QDBusVirtualObject") &&
            !answerers.contains(watched))
            answerers << watched;
        return false;
    }
};

QPointer<Watch> the_watch;

}  // namespace

void watch() {
    if (the_watch || !QCoreApplication::instance()) return;
    the_watch = new Watch;
    the_watch->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(the_watch);
}

void answer() {
    if (!the_watch || answering_now || !QAccessible::isActive()) return;
    answering_now = true;
    for (const QPointer<QObject>& answerer : the_watch->answerers)
        if (answerer) QCoreApplication::sendPostedEvents(answerer, QEvent::MetaCall);
    answering_now = false;
}

void answer_for(int ms) {
    if (!QAccessible::isActive()) return;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        answer();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool answering() {
    return answering_now;
}

}  // namespace vimbrel::reader_bus
