// The screen readers' announcer: zero-sized notification widgets shown once per text.
#include "board/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace vimbrel {

namespace {

// A notification that holds one text. It has no size and paints nothing.
class Voice final : public QWidget {
    Q_OBJECT

public:
    explicit Voice(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 0, 0);
    }
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
        voice->hide();
    }
}

void Announcer::say(const QString& text) {
    if (text.isEmpty()) return;
    emit said(text);
    if (!QAccessible::isActive()) return;
    // A reader speaks a notification when it starts to show.
    QWidget* voice = voice_[next_];
    next_ = (next_ + 1) % voices;
    voice->hide();
    voice->setAccessibleName(text);
    voice->show();
}

}  // namespace vimbrel

#include "announcer.moc"
