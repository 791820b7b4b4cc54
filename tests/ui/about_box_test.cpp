// The About box: its texts, the logo sweeps frame by frame, repaints between sweeps, and its
// lifecycle (a fresh, uncovered box at every opening, destroyed when closed).
#include "dialogs/about_box.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

using vimbrel::AboutBox;

namespace {

// Not 32 by 32, and not square, so that neither a constant nor a swapped W and H go unnoticed.
constexpr int card_w = 24;
constexpr int card_h = 20;

// Every device pixel tells which picture it came from (red) and where (green, blue).
QPixmap pattern(int picture, qreal ratio) {
    QImage image(qRound(card_w * ratio), qRound(card_h * ratio), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(picture, x * 5, y * 5));
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QImage device_pixels(const QPixmap& pixmap, int width, int height) {
    return pixmap.toImage().copy(0, 0, width, height).convertToFormat(QImage::Format_RGB32);
}

QImage shown_by(QWidget& logo) {
    return logo.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The frame of step i of a sweep: left of the door the picture that slides in or is revealed,
// right of it the other, as device pixels of pictures with the given ratio.
QImage expected_frame(const QImage& back, const QImage& emblem, bool covering, int i, int ratio) {
    QImage frame(back.size(), QImage::Format_RGB32);
    const int door = i * ratio;
    const int width = back.width();
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb pixel =
                covering ? (x < door ? back.pixel(width - door + x, y) : emblem.pixel(x, y))
                         : (x < door ? emblem.pixel(x, y) : back.pixel(x - door, y));
            frame.setPixel(x, y, pixel);
        }
    return frame;
}

// The board's side of the box: its card back, the emblem, the scratch picture and the speed.
struct Board {
    explicit Board(qreal ratio = 1)
        : back(pattern(40, ratio)),
          emblem(pattern(200, ratio)),
          temp_pic(qRound(33 * ratio), qRound(33 * ratio)) {
        temp_pic.setDevicePixelRatio(ratio);
        temp_pic.fill(Qt::white);
    }

    AboutBox* open_about_box() {
        auto* box = new AboutBox(back, emblem, temp_pic, [this] {
            ++speed_reads;
            if (on_speed_read) on_speed_read();
            return 0;
        });
        box->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();  // the tests tick it by hand
        return box;
    }

    QPixmap back;
    QPixmap emblem;
    QPixmap temp_pic;
    int speed_reads = 0;
    std::function<void()> on_speed_read;
};

QWidget& logo_of(AboutBox& box) {
    return *box.findChild<QWidget*>(QStringLiteral("logo"));
}

}  // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void opens_with_its_texts_uncovered_and_ticking() {
        QPixmap back = pattern(40, 1), emblem = pattern(200, 1), temp_pic(33, 33);
        QApplication::setWindowIcon(QIcon(emblem));  // the program's emblem is not the box's own
        AboutBox box(back, emblem, temp_pic, [] { return 0; });
        const bool without_icon = box.windowIcon().isNull();
        QApplication::setWindowIcon(QIcon());
        QVERIFY(without_icon);
        QCOMPARE(box.objectName(), QStringLiteral("aboutbox"));
        QCOMPARE(box.windowTitle(), QStringLiteral("About Vimbrel"));
        QVERIFY(
            !(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Only the title and the close button: without this a window manager adds its own.
        QVERIFY(box.windowFlags().testFlag(Qt::CustomizeWindowHint));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(box.testAttribute(Qt::WA_DeleteOnClose));

        auto* title = box.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(title->text(), QStringLiteral("Vimbrel 3.0 for Windows95"));
        for (QLabel* label : box.findChildren<QLabel*>())
            QVERIFY2(label->font().bold() || !label->pixmap().isNull(),
                     qPrintable(label->objectName()));
        QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("Thanks for Playing"));
        QStringList credits;
        for (int n = 2; n <= 6; ++n)
            credits << box.findChild<QLabel*>(QStringLiteral("Label%1").arg(n))->text();
        QVERIFY(credits.contains(QStringLiteral("Version 3.00")));
        QVERIFY(credits.join(' ').contains(
            QStringLiteral("Twemoji by Twitter, Inc and other contributors, CC-BY 4.0")));

        auto* timer = box.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        QCOMPARE(box.phase(), 0);
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("origin_logo"))->isHidden());
        QCOMPARE(shown_by(logo_of(box)), device_pixels(emblem, card_w, card_h));
    }

    // Between sweeps the logo is painted from the phase, not from the scratch picture, which the
    // board may have drawn over since.
    void a_tick_covers_the_logo_and_the_next_uncovers_it() {
        Board board;
        std::unique_ptr<AboutBox> box(board.open_about_box());

        // The box's own timer drives the ticks.
        QVERIFY(QMetaObject::invokeMethod(box->findChild<QTimer*>(QStringLiteral("Timer1")),
                                          "timeout"));
        QCOMPARE(box->phase(), 1);
        QVERIFY(box->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        board.temp_pic.fill(Qt::green);
        QCOMPARE(shown_by(logo_of(*box)), device_pixels(board.back, card_w, card_h));

        box->tick();
        QCOMPARE(box->phase(), 0);
        board.temp_pic.fill(Qt::green);
        QCOMPARE(shown_by(logo_of(*box)), device_pixels(board.emblem, card_w, card_h));
    }

    void every_step_slides_the_door_and_reads_the_speed_data() {
        QTest::addColumn<int>("ratio");
        QTest::newRow("1x") << 1;
        QTest::newRow("2x pictures stay sharp") << 2;
    }

    void every_step_slides_the_door_and_reads_the_speed() {
        QFETCH(int, ratio);
        Board board(ratio);
        std::unique_ptr<AboutBox> box(board.open_about_box());
        const QImage back = device_pixels(board.back, card_w * ratio, card_h * ratio);
        const QImage emblem = device_pixels(board.emblem, card_w * ratio, card_h * ratio);
        // On the 1x screen a 1x frame can be read back as it was put on the screen.
        const bool check_screen = ratio == 1;
        if (check_screen) {
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        }
        QWidget& logo = logo_of(*box);

        bool covering = true;
        int wrong_steps = 0, off_screen_steps = 0;
        board.on_speed_read = [&] {
            // The speed is read for the pause that follows each step's frame.
            const int step = board.speed_reads - (covering ? 0 : card_w);
            const QImage expected = expected_frame(back, emblem, covering, step, ratio);
            if (device_pixels(board.temp_pic, back.width(), back.height()) != expected)
                ++wrong_steps;
            if (check_screen) {
                const QPoint at = logo.mapTo(box.get(), QPoint(0, 0));
                const QImage on_screen =
                    box->screen()
                        ->grabWindow(box->winId(), at.x(), at.y(), card_w, card_h)
                        .toImage()
                        .convertToFormat(QImage::Format_RGB32);
                if (on_screen != expected) ++off_screen_steps;
            }
        };
        box->tick();
        QCOMPARE(board.speed_reads, card_w);
        covering = false;
        box->tick();
        QCOMPARE(board.speed_reads, 2 * card_w);
        QCOMPARE(wrong_steps, 0);
        QCOMPARE(off_screen_steps, 0);
    }

    // The emblem's transparent parts show the box's background, as a picture widget does.
    void transparent_parts_of_the_emblem_show_the_background() {
        Board board;
        QImage see_through = board.emblem.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < card_h; ++y) see_through.setPixel(0, y, qRgba(0, 0, 0, 0));
        board.emblem = QPixmap::fromImage(see_through);
        std::unique_ptr<AboutBox> box(board.open_about_box());
        const QRgb background = box->palette().color(QPalette::Base).rgb();
        QCOMPARE(box->grab().toImage().pixel(1, 1), background);  // the box is white, not grey

        QCOMPARE(shown_by(logo_of(*box)).pixel(0, 5), background);
        box->tick();
        box->tick();
        QCOMPARE(board.temp_pic.toImage().pixel(0, 5), background);
        QCOMPARE(shown_by(logo_of(*box)).pixel(0, 5), background);
    }

    void closing_destroys_it_data() {
        QTest::addColumn<std::function<void(AboutBox&)>>("close");
        QTest::newRow("Thanks for Playing") << std::function<void(AboutBox&)>([](AboutBox& box) {
            QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        QTest::newRow("frame") << std::function<void(AboutBox&)>(
            [](AboutBox& box) { box.close(); });
    }

    void closing_destroys_it() {
        QFETCH(std::function<void(AboutBox&)>, close);
        Board board;
        QPointer<AboutBox> box = board.open_about_box();
        bool left_open = false;
        QTimer::singleShot(0, box, [&] {
            close(*box);
            if (box && box->isVisible()) {
                left_open = true;
                box->hide();
            }
        });
        box->exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!left_open);
        QVERIFY(box.isNull());
        delete box.data();
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestAboutBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "about_box_test.moc"
