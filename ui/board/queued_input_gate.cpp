// The gate that keeps input queued before a turn settled from reaching the board.
#include "board/queued_input_gate.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace vimbrel {

namespace {

// Two returns: the first pass of the event loop after the settle may deliver the posted events
// before it reads the window system's; the second pass begins only after both.
constexpr int returns_to_open = 2;

// Keys a screen reader took for itself never come back; a few are remembered at most.
constexpr std::size_t most_stale_keys = 16;

bool is_button_or_key_release(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
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

void QueuedInputGate::close_for(std::chrono::milliseconds hold) {
    close_until_drained();
    held_until_.setRemainingTime(hold);
}

bool QueuedInputGate::event(QEvent* event) {
    if (event->type() != marker_type()) return QObject::event(event);
    if (returns_left_ > 0 && --returns_left_ > 0)
        QCoreApplication::postEvent(this, new QEvent(marker_type()));
    return true;
}

bool QueuedInputGate::is_stale_key(const Key& key) {
    if (stale_keys_.empty()) return false;
    if (stale_keys_.front() == key) {
        stale_keys_.pop_front();
        return true;
    }
    // Another key came first: the remembered ones were kept by the screen reader.
    if (is_open()) stale_keys_.clear();
    return false;
}

bool QueuedInputGate::eventFilter(QObject* watched, QEvent* event) {
    if (watched != board_) return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    bool drop = false;
    if (type == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!is_open() && event->spontaneous()) {
            if (stale_keys_.size() == most_stale_keys) stale_keys_.pop_front();
            stale_keys_.emplace_back(key->key(), key->modifiers());
        }
    } else if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        drop = is_stale_key({key->key(), key->modifiers()}) || !is_open();
    } else {
        drop = !is_open() && is_button_or_key_release(type);
    }
    if (!drop) return QObject::eventFilter(watched, event);
    event->accept();
    return true;
}

}  // namespace vimbrel
