// Drops the board input that was already queued when a turn settled.
#pragma once

#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>

#include <chrono>
#include <deque>
#include <utility>

namespace vimbrel {

// While a turn closes (cards closing or leaving, the computer playing) the animations run the
// event loop not at all, so clicks and keys made meanwhile wait in the queues. Once the turn has
// settled, they must not become the next player's first card: the board takes only input made
// after that moment.
//
// close_until_drained() shuts the gate and posts a marker behind the posted events. The marker
// comes back once per pass of the event loop, and is posted again; the gate opens on its second
// return. Input queued before the settle is delivered by the end of the first pass: posted input
// (Wayland's, the offscreen platform's, a test's) comes before the marker, and the window
// system's input, which xcb's reader thread has already taken in, is delivered in that pass
// after the posted events, since posting the marker wakes the loop for both. Every pass lasts
// microseconds, so input made after the settle finds the gate open.
//
// Keys can come later still. While a screen reader listens, Qt's accessibility bridge holds back
// every key press, asks the screen reader over the bus whether it wants it, and posts it again
// when the answer comes, however long that takes. The board hears of every key press first
// through its ShortcutOverride, which the bridge does not hold back: the keys announced so while
// the gate is shut are remembered, in order, and dropped when they come back.
class QueuedInputGate final : public QObject {
    Q_OBJECT

public:
    // `board` is the widget whose mouse buttons and keys are dropped while the gate is shut.
    explicit QueuedInputGate(QObject* board, QObject* parent = nullptr);

    // Shuts the gate until the input queued so far has been delivered (and dropped).
    void close_until_drained();
    // Shuts it as close_until_drained() does and for `hold` at least: for input the player made
    // before learning that the turn had passed, which reaches the game a little later.
    void close_for(std::chrono::milliseconds hold);
    // Whether the board takes input now.
    bool is_open() const { return returns_left_ == 0 && held_until_.hasExpired(); }
    // How much longer the hold of close_for() lasts; zero once it is over.
    std::chrono::milliseconds held_for() const {
        return std::chrono::ceil<std::chrono::milliseconds>(held_until_.remainingTimeAsDuration());
    }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Key = std::pair<int, Qt::KeyboardModifiers>;

    static QEvent::Type marker_type();
    // Whether a key press is one announced while the gate was shut; forgets it if so.
    bool is_stale_key(const Key& key);

    QObject* board_;
    int returns_left_ = 0;          // returns of the marker until the gate opens; 0: open
    QDeadlineTimer held_until_{0};  // shut at least until then
    std::deque<Key> stale_keys_;    // announced while shut, not yet come back
};

}  // namespace vimbrel
