// The game speed dialog: its initial state, OK and Escape keeping the value, closing it through
// its frame throwing it away, and the holder creating it only when needed.
#include "dialogs/speed_control.h"
#include "kept_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <functional>

using vimbrel::SpeedControl;
using SpeedSetting = vimbrel::KeptDialog<SpeedControl>;

namespace {

template <class T>
T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

QString name_of(const QWidget* widget) {
    return widget ? widget->objectName() : QStringLiteral("(nothing)");
}

int open_speed_dialogs() {
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets())
        if (widget->objectName() == QLatin1String("Speed_control")) ++count;
    return count;
}

}  // namespace

class TestSpeedControl : public QObject {
    Q_OBJECT

private:
    // Runs act on the dialog once its modal loop runs, then returns the value read afterwards.
    // If act leaves the dialog open, it is hidden and the test fails instead of hanging.
    int show_modal_and(SpeedSetting& speed, const std::function<void(SpeedControl&)>& act) {
        bool left_open = false;
        QTimer::singleShot(0, this, [&] {
            act(speed.dialog());
            if (speed.exists() && speed.dialog().isVisible()) {
                left_open = true;
                speed.dialog().hide();
            }
        });
        speed.show_modal();
        if (left_open) qWarning("the dialog stayed open");
        return left_open ? -1 : speed.dialog().value();
    }

    static void click_ok(SpeedControl& dialog) {
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    }

private slots:
    void starts_at_ten_with_its_captions_and_steps() {
        QApplication::setWindowIcon(QIcon(QPixmap(32, 32)));  // the program's emblem is not its own
        SpeedControl dialog;
        const bool without_icon = dialog.windowIcon().isNull();
        QApplication::setWindowIcon(QIcon());
        QCOMPARE(dialog.objectName(), QStringLiteral("Speed_control"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Speed"));
        QVERIFY(without_icon);
        QCOMPARE(dialog.value(), 10);
        QCOMPARE(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Fast"));
        QCOMPARE(child<QLabel>(dialog, "Slow")->text(), QStringLiteral("Slow"));
        QCOMPARE(child<QPushButton>(dialog, "Command1")->text(), QStringLiteral("OK"));
        QVERIFY(!(dialog.windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

        auto* slider = child<QSlider>(dialog, "Hscroll1");
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QVERIFY(slider->sizeHint().height() <= slider->height());  // its marks whole
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(dialog.value(), 11);
        QTest::keyClick(slider, Qt::Key_PageUp);
        QCOMPARE(dialog.value(), 21);
        QTest::keyClick(slider, Qt::Key_Home);
        QCOMPARE(dialog.value(), 0);
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(dialog.value(), 100);
    }

    void ok_has_the_focus_and_the_slider_follows() {
        SpeedSetting speed;
        QString first, after_tab;
        QCOMPARE(show_modal_and(speed,
                                [&](SpeedControl& dialog) {
                                    first = name_of(dialog.focusWidget());
                                    QTest::keyClick(&dialog, Qt::Key_Tab);
                                    after_tab = name_of(dialog.focusWidget());
                                    click_ok(dialog);
                                }),
                 10);
        QCOMPARE(first, QStringLiteral("Command1"));
        QCOMPARE(after_tab, QStringLiteral("Hscroll1"));
    }

    // Enter presses OK, and Escape does what OK does: the dialog has no Cancel button.
    void ok_hides_it_and_keeps_the_value_for_the_next_opening_data() {
        QTest::addColumn<std::function<void(SpeedControl&)>>("close");
        QTest::newRow("OK") << std::function<void(SpeedControl&)>(click_ok);
        QTest::newRow("Enter") << std::function<void(SpeedControl&)>(
            [](SpeedControl& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
        QTest::newRow("Escape") << std::function<void(SpeedControl&)>(
            [](SpeedControl& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    }

    void ok_hides_it_and_keeps_the_value_for_the_next_opening() {
        QFETCH(std::function<void(SpeedControl&)>, close);
        SpeedSetting speed;
        QCOMPARE(show_modal_and(speed, close), 10);

        SpeedControl* const first = &speed.dialog();
        QVERIFY(!first->isVisible());
        QCOMPARE(show_modal_and(speed,
                                [&](SpeedControl& dialog) {
                                    child<QSlider>(dialog, "Hscroll1")->setValue(37);
                                    close(dialog);
                                }),
                 37);
        QCOMPARE(&speed.dialog(), first);

        int shown = -1;
        QCOMPARE(show_modal_and(speed,
                                [&](SpeedControl& dialog) {
                                    shown = dialog.value();
                                    close(dialog);
                                }),
                 37);
        QCOMPARE(shown, 37);
        QCOMPARE(speed.dialog().value(), 37);
    }

    void closing_it_through_its_frame_throws_it_away() {
        SpeedSetting speed;
        QPointer<SpeedControl> first = &speed.dialog();
        first->findChild<QSlider*>(QStringLiteral("Hscroll1"))->setValue(55);

        QCOMPARE(show_modal_and(speed, [](SpeedControl& dialog) { dialog.close(); }), 10);
        QVERIFY(first.isNull());
        QCOMPARE(open_speed_dialogs(), 1);
        QVERIFY(!speed.dialog().isVisible());
    }

    void reading_the_value_creates_it_hidden() {
        QWidget board;
        SpeedSetting speed(&board);
        QCOMPARE(open_speed_dialogs(), 0);
        QCOMPARE(speed.dialog().value(), 10);
        QCOMPARE(open_speed_dialogs(), 1);
        QVERIFY(!speed.dialog().isVisible());
        QCOMPARE(speed.dialog().parentWidget(), &board);
    }

    void destroy_removes_it_and_never_creates_it() {
        {
            SpeedSetting speed;
            speed.destroy();
            QVERIFY(!speed.exists());
            QCOMPARE(open_speed_dialogs(), 0);

            speed.dialog().value();
            speed.destroy();
            QCOMPARE(open_speed_dialogs(), 0);
            speed.dialog().value();
        }
        QCOMPARE(open_speed_dialogs(), 0);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestSpeedControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "speed_control_test.moc"
