// The one voice of the game for screen readers: texts spoken without moving the keyboard's focus.
#pragma once

#include <QObject>
#include <QString>

#include <array>

// Qt's own announcement event, which screen readers speak as such, came with Qt 6.8.
#define VIMBREL_ANNOUNCEMENT_EVENT (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))

class QWidget;

namespace vimbrel {

// Speaks a short text through whatever screen reader listens, in the order given, without taking
// the focus and without drawing anything. Each text is its own utterance: a reader queues them, so
// a later one never cuts off an earlier one. With no assistive technology active it does nothing.
//
// Inside, with Qt 6.8 or later, each text is Qt's announcement event, sent from a hidden
// notification of the status bar. Qt 6.4 has none: there each text is shown as a notification of
// the status bar it lives in (a reader speaks a notification when it appears, and within a status
// bar without its role name).
class Announcer final : public QObject {
    Q_OBJECT

public:
    // `status_bar` is the widget assistive technology knows as the window's status bar.
    explicit Announcer(QWidget* status_bar);

    void say(const QString& text);

signals:
    // A text was said (whether or not a reader listens).
    void said(const QString& text);

private:
    // Each text gets a widget of its own, so that a reader that asks for it late (the program may
    // be busy animating a card) still reads that text, not a later one. Reused round robin; each
    // is emptied and hidden again a while after it spoke.
    static constexpr int voices = 8;
    std::array<QWidget*, voices> voice_{};
    int next_ = 0;
};

}  // namespace vimbrel
