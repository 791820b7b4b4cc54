// The gate that keeps input queued before a turn settled from reaching the board.
#include "board/queued_input_gate.h"

#include <QCoreApplication>

namespace vimbrel {

namespace {

// Two returns: the first pass of the event loop after the settle may deliver the posted events
// before it reads the window system's; the second pass begins only after both.
constexpr int returns_to_open = 2;

bool is_board_input(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            return false;
    }
}

}  // namespace

QueuedInputGate::QueuedInputGate(QObject* board, QObject* parent) : QObject(parent), board_(board) {
    setObjectName(QStringLiteral("queued_input_gate"));
    board_->installEventFilter(this);
}

QEvent::Type QueuedInputGate::marker_type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void QueuedInputGate::close_until_drained() {
    // A marker still on its way serves as well: it comes back twice more, each time in a later
    // pass, and no earlier than the posted events queued so far.
    const bool marker_on_its_way = !is_open();
    returns_left_ = returns_to_open;
    if (!marker_on_its_way) QCoreApplication::postEvent(this, new QEvent(marker_type()));
}

bool QueuedInputGate::event(QEvent* event) {
    if (event->type() != marker_type()) return QObject::event(event);
    if (returns_left_ > 0 && --returns_left_ > 0) QCoreApplication::postEvent(this, new QEvent(marker_type()));
    return true;
}

bool QueuedInputGate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && !is_open() && is_board_input(event->type())) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vimbrel
