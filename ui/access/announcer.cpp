// The screen readers' announcer: Qt's announcement event where Qt has one (6.8 and later),
// else zero-sized notification widgets shown once per text.
#include "access/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLoggingCategory>
#include <QTimer>
#include <QWidget>
#if VIMBREL_ANNOUNCEMENT_EVENT
#include <QAccessibleAnnouncementEvent>
#endif

namespace vimbrel {

// Each text as it is said, with QT_LOGGING_RULES=vimbrel.announcer.debug=true: the moment a
// screen reader's delay is measured from (bench/orca_latency.py).
Q_LOGGING_CATEGORY(announcer_log, "vimbrel.announcer", QtWarningMsg)

namespace {

// How long a text stays in the accessible tree after it was said: longer than a reader takes to
// ask for it on a loaded machine (docs/testing.md has the figures), short enough that the picture
// of a card closed since is soon gone from it. What a reader asks later is a text it reads again,
// not one it has yet to speak.
constexpr int kept_ms = 3'000;

// A notification that holds one text. It has no size and paints nothing.
class Voice final : public QWidget {
    Q_OBJECT

public:
    explicit Voice(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 0, 0);
        hide();
    }

    void say(const QString& text) {
        const int said = ++texts_;
        hide();
        setAccessibleName(text);
        show();  // a reader speaks a notification when it starts to show
        QTimer::singleShot(kept_ms, this, [this, said] {
            if (said != texts_) return;  // it holds a later text now
            hide();
            setAccessibleName(QString());
        });
    }

private:
    int texts_ = 0;
};

QAccessibleInterface* voice_factory(const QString&, QObject* object) {
    if (auto* voice = qobject_cast<Voice*>(object))
        return new QAccessibleWidget(voice, QAccessible::Notification);
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* status_bar) : QObject(status_bar) {
    // Before any voice exists: Qt keeps the first interface it made for a widget.
    static const bool installed = (QAccessible::installFactory(&voice_factory), true);
    (void)installed;
    for (QWidget*& voice : voice_) {
        voice = new Voice(status_bar);
        voice->setObjectName(QStringLiteral("announcement"));
    }
}

void Announcer::say(const QString& text) {
    if (text.isEmpty()) return;
    emit said(text);
    if (!QAccessible::isActive()) return;
    qCDebug(announcer_log).noquote() << text;
#if VIMBREL_ANNOUNCEMENT_EVENT
    // Polite: a reader queues it behind what it is saying. It comes from a notification, which
    // stays hidden: Orca 48 drops all but the first of the events of one kind that an application
    // sends within 0.1 s, unless they come from a notification (the computer's two cards do).
    QAccessibleAnnouncementEvent event(voice_[0], text);
    QAccessible::updateAccessibility(&event);
#else
    static_cast<Voice*>(voice_[next_])->say(text);
    next_ = (next_ + 1) % voices;
#endif
}

}  // namespace vimbrel

#include "announcer.moc"
