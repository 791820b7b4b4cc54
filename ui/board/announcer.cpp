// The screen readers' announcer: zero-sized notification widgets shown once per text.
#include "board/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

namespace vimbrel {

namespace {

// How long a text stays in the accessible tree after it was said: longer than a reader takes to
// ask for it, short enough that the picture of a card closed since is soon gone from it. Orca 43
// asked for a text a median 0.4 s after it was shown, 2.3 s at the most, in a whole test game on
// two loaded cores; what it asks later is a text it reads again, not one it has yet to speak.
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
    static_cast<Voice*>(voice_[next_])->say(text);
    next_ = (next_ + 1) % voices;
}

}  // namespace vimbrel

#include "announcer.moc"
