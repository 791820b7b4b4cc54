// Centring top-level windows by their frame, correcting the estimate once the frame is known.
#include "window_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vimbrel {

namespace {

// Where the top-left corner of an `outer`-sized frame goes for the frame to be centred.
QPoint centred(const QWidget& window, QSize outer) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(QPoint(), outer);
    return {area.x() + (area.width() - outer.width()) / 2,
            area.y() + (area.height() - outer.height()) / 2};
}

// Waits for the window's first exposure, when the window manager has framed it, centres the
// frame the platform reports, and goes away.
class FirstExposure final : public QObject {
public:
    explicit FirstExposure(QWidget& window) : QObject(&window), window_(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The native window exists from the widget's show event on; its exposure comes later.
        if (watched == window_ && event->type() == QEvent::Show && !handle_) {
            handle_ = window_->windowHandle();
            if (handle_) handle_->installEventFilter(this);
        } else if (watched == handle_ && event->type() == QEvent::Expose && handle_->isExposed()) {
            // Through the native window, which places the frame by the margins it reports itself.
            const QPoint at = centred(*window_, handle_->frameGeometry().size());
            if (handle_->framePosition() != at) handle_->setFramePosition(at);
            handle_->removeEventFilter(this);
            window_->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
};

}  // namespace

void centre_on_screen(QWidget& window, const QWidget* framed_like) {
    const QWindow* other = framed_like ? framed_like->windowHandle() : nullptr;
    const QMargins frame = other && other->isVisible() ? other->frameMargins() : QMargins();
    // Before it is shown, a window's position is that of its frame's top-left corner.
    window.move(centred(window, window.size().grownBy(frame)));
    new FirstExposure(window);
}

}  // namespace vimbrel
