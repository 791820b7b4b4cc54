// The windows under a real window manager, which frames them with a title bar: each one opens in
// the middle of the screen by its frame, not by its client area. with_window_manager.sh runs it.
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include <cmath>

#include "board/board_menus.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// How far the middle of the window's frame lies from the middle of its screen, in pixels.
QPointF off_centre(const QWidget& window) {
    const QRectF frame = window.windowHandle()->frameGeometry();
    const QRectF screen = window.screen()->geometry();
    return {frame.x() + frame.width() / 2 - (screen.x() + screen.width() / 2),
            frame.y() + frame.height() / 2 - (screen.y() + screen.height() / 2)};
}

bool framed_and_centred(const QWidget& window) {
    const QPointF off = off_centre(window);
    return window.windowHandle()->frameMargins().top() > 0 && std::abs(off.x()) <= 1 &&
           std::abs(off.y()) <= 1;
}

QString where(const QWidget& window) {
    const QRect frame = window.windowHandle()->frameGeometry();
    const QMargins m = window.windowHandle()->frameMargins();
    return QStringLiteral("%1: frame %2x%3 at %4,%5 (margins %6 %7 %8 %9)")
        .arg(window.objectName())
        .arg(frame.width())
        .arg(frame.height())
        .arg(frame.x())
        .arg(frame.y())
        .arg(m.left())
        .arg(m.top())
        .arg(m.right())
        .arg(m.bottom());
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void every_window_opens_centred_by_its_frame();
};

// The window manager starts beside this program: wait until it frames a new window.
void WindowManagerTest::initTestCase() {
    const bool framed = QTest::qWaitFor(
        [] {
            QWidget probe;
            probe.resize(100, 100);
            probe.show();
            return QTest::qWaitForWindowExposed(&probe) &&
                   probe.windowHandle()->frameMargins().top() > 0;
        },
        30000);
    QVERIFY2(framed, "no window manager framed a window");
}

void WindowManagerTest::every_window_opens_centred_by_its_frame() {
    BoardWindow board{CardPictures(placeholder_images())};
    QStringList off;
    const auto check = [&](QWidget* window) {
        if (!QTest::qWaitFor([&] { return framed_and_centred(*window); }, 10000))
            off << where(*window);
    };
    when_modal([&](QWidget* begin) {
        check(begin);
        press_ok(begin);
    });
    board.show();
    QVERIFY(QTest::qWaitFor([&] { return board.game().state().round_no == 1; }, 20000));
    check(&board);

    when_modal([&](QWidget* speed) {
        check(speed);
        press_ok(speed);
    });
    board.menus().door_speed->trigger();
    when_modal([&](QWidget* about) {
        check(about);
        about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    board.menus().about->trigger();
    QVERIFY2(off.isEmpty(), qPrintable(off.join(QStringLiteral("; "))));
}

VIMBREL_UI_TEST_MAIN(WindowManagerTest)
#include "window_manager_test.moc"
