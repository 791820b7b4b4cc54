// The board window's size rules and the docked panel.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTranslator>
#include <QWindow>
#include <QtTest>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "dialogs/about_box.h"
#include "dialogs/speed_control.h"
#include "dialogs/start_dialog.h"
#include "text_room.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// The panel sits flush with the client area's right edge and is as tall as it.
bool panel_docked(BoardWindow& board) {
    const QWidget* client = board.centralWidget();
    const int width = board.panel()->fixed_width();
    return board.panel()->geometry() ==
           QRect(client->x() + client->width() - width, client->y(), width, client->height());
}

// Twips as pixels at the screen's logical dpi: 15 twips a pixel at 96 dpi, 10 at 144.
int pixels_of(int twips) {
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 1440);
}

// One of the windows whose parts are placed in twips, made as its owner makes it.
std::unique_ptr<QWidget> make_window(const QString& name) {
    static QPixmap picture(32, 32);
    static QPixmap temp_pic(33, 33);
    if (name == QLatin1String("display")) return std::make_unique<StatusPanel>();
    if (name == QLatin1String("begin")) return std::make_unique<StartDialog>();
    if (name == QLatin1String("Speed_control")) return std::make_unique<SpeedControl>();
    return std::make_unique<AboutBox>(picture, picture, temp_pic, [] { return 0; });
}

bool fits(BoardWindow& board) {
    const QSize have = board.centralWidget()->size();
    const QSize need = board.board_client_size();
    return have.width() >= need.width() && have.height() >= need.height();
}

// The bounding box of the dark (text) pixels of `shot` within `area`.
QRect ink(const QImage& shot, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 96) box |= QRect(x, y, 1, 1);
    return box;
}

// Counts the paint events its object receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A translation with a turn text longer than its place.
class LongTurnText final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        return QLatin1String(source) == QLatin1String("Your turn.")
                   ? QStringLiteral("Maximiliane ist dran.")
                   : QString();
    }
};

}  // namespace

class BoardLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void the_window_starts_at_the_board_plus_the_panel();
    void a_larger_board_grows_the_window_and_a_smaller_one_keeps_it();
    void resizing_springs_back_and_keeps_the_panel_docked();
    void a_long_name_widens_either_players_label_alike();
    void the_room_for_a_text_leaves_out_the_frame_and_margins();
    void the_panel_is_raised_grey_with_its_texts_aligned_data();
    void the_panel_is_raised_grey_with_its_texts_aligned();
    void a_long_turn_text_shows_whole_from_the_first_paint();
    void the_panel_paints_at_once_when_asked();
    void every_part_stands_at_its_place_in_twips_data();
    void every_part_stands_at_its_place_in_twips();
};

void BoardLayoutTest::the_window_starts_at_the_board_plus_the_panel() {
    auto board = open_board();
    QVERIFY(board);
    // The panel is 1695 twips wide: 113 pixels at 96 dpi, 170 at 144, so that its labels fit.
    const int panel = pixels_of(1695);
    const int lowest = board->panel()->childrenRect().bottom() + 3;  // a 2-pixel frame below
    QCOMPARE(board->centralWidget()->size(), QSize(8 * 32 + panel, std::max(8 * 32, lowest)));
    QCOMPARE(board->board_view()->mapTo(board.get(), QPoint(0, 0)),
             QPoint(0, board->menuBar()->height()));
    QVERIFY(panel_docked(*board));
}

void BoardLayoutTest::a_larger_board_grows_the_window_and_a_smaller_one_keeps_it() {
    auto board = open_board();
    QVERIFY(board);
    board->menus().ten->trigger();
    const int panel = pixels_of(1695);
    QCOMPARE(board->board_client_size(), QSize(10 * 32 + panel, 10 * 32));
    QTRY_VERIFY(fits(*board));
    QTRY_VERIFY(panel_docked(*board));
    const QSize grown = board->size();

    board->menus().six->trigger();
    QTest::qWait(20);
    QCOMPARE(board->size(), grown);
    QVERIFY(panel_docked(*board));
    // The panel's lowest label shows whole on the smallest board too, which it outgrows above
    // 96 dpi.
    const int lowest = board->panel()->childrenRect().bottom() + 3;  // a 2-pixel frame below
    QCOMPARE(board->centralWidget()->minimumSize(),
             QSize(6 * 32 + panel, std::max(6 * 32, lowest)));
}

// The window system resizes the native window itself, past the minimum Qt keeps for resize():
// as with no window manager, or a tiling one, which ignore size hints.
void BoardLayoutTest::resizing_springs_back_and_keeps_the_panel_docked() {
    auto board = open_board();
    QVERIFY(board);
    QWindow* native = board->windowHandle();
    const QSize least = board->size();
    // Too narrow, too low, or both; the same small size twice springs back twice.
    for (const QSize small :
         {QSize(200, 150), QSize(least.width(), 150), QSize(200, least.height())}) {
        for (int again = 0; again < 2; ++again) {
            native->resize(small);
            QTRY_COMPARE(board->size(), least);
            QTRY_COMPARE(native->size(), least);
            QVERIFY(fits(*board));
            QVERIFY(panel_docked(*board));
        }
    }

    native->resize(700, 560);
    QTRY_COMPARE(board->size(), QSize(700, 560));
    QTRY_VERIFY(panel_docked(*board));
    click_cell(*board, 1);  // the grid stays at the client area's top-left corner
    QCOMPARE(board->game().state().cell_state[1], face_up);
    // A menu bar that grows (wrapped, or in a larger font) moves the grid down within the same
    // window: the panel goes with it.
    board->menuBar()->setFixedHeight(board->menuBar()->height() + 10);
    QTRY_COMPARE(board->centralWidget()->y(), board->menuBar()->height());
    QCOMPARE(board->size(), QSize(700, 560));
    QVERIFY(panel_docked(*board));
}

// Player 2's label is fitted as player 1's is: same width, same centre, inside the panel, each
// on its own line.
void BoardLayoutTest::a_long_name_widens_either_players_label_alike() {
    StatusPanel panel;
    const auto* first = panel.findChild<QLabel*>(QStringLiteral("player_name_0"));
    const auto* second = panel.findChild<QLabel*>(QStringLiteral("player_name_1"));
    const QRect first_place = first->geometry();
    const QRect place = second->geometry();
    const QString name = QStringLiteral("Maximiliane-Mustermann");
    panel.set_names(name, name);
    QCOMPARE(first->y(), first_place.y());
    QCOMPARE(second->y(), place.y());
    QVERIFY(first_place.y() < place.y());
    QVERIFY(second->width() > place.width());
    QCOMPARE(second->x(), first->x());
    QCOMPARE(second->width(), first->width());
    QVERIFY(panel.rect().contains(second->geometry()));
}

// A label's frame and margins take their room from the text's: the least width that shows the
// whole text is wider by as much as they take.
void BoardLayoutTest::the_room_for_a_text_leaves_out_the_frame_and_margins() {
    QLabel bare(QStringLiteral("Maximiliane"));
    QLabel framed(bare.text());
    framed.setFrameStyle(QFrame::Box | QFrame::Plain);
    framed.setLineWidth(3);
    framed.setMargin(2);
    for (QLabel* label : {&bare, &framed}) label->resize(10, 40);
    const int bare_width = width_for_text(bare, 1, 1000);
    QVERIFY(bare_width > 1 && bare_width < 1000);
    QCOMPARE(width_for_text(framed, 1, 1000), bare_width + 2 * 3 + 2 * 2);
}

void BoardLayoutTest::the_panel_is_raised_grey_with_its_texts_aligned_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("alignment");
    QTest::newRow("first name") << QStringLiteral("player_name_0") << int(Qt::AlignHCenter);
    QTest::newRow("first score") << QStringLiteral("score_0") << int(Qt::AlignRight);
    QTest::newRow("second name") << QStringLiteral("player_name_1") << int(Qt::AlignHCenter);
    QTest::newRow("second score") << QStringLiteral("score_1") << int(Qt::AlignRight);
    QTest::newRow("turn") << QStringLiteral("label") << int(Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("round caption") << QStringLiteral("Label1") << int(Qt::AlignLeft);
    QTest::newRow("round") << QStringLiteral("round") << int(Qt::AlignRight);
}

// The panel as it is drawn: the game's light grey behind every text, a raised frame two pixels
// wide (light at the top left, dark at the bottom right), and each text at its side of its place.
void BoardLayoutTest::the_panel_is_raised_grey_with_its_texts_aligned() {
    QFETCH(QString, label);
    QFETCH(int, alignment);
    StatusPanel panel;
    panel.resize(panel.fixed_width(), 10 * 32);
    const QImage shot = panel.grab().toImage();
    QCOMPARE(shot.devicePixelRatio(), 1.0);
    const QRgb grey = qRgb(192, 192, 192);
    const int middle = panel.height() / 2;
    const int right = panel.width() - 1;
    QCOMPARE(shot.pixel(2, middle), grey);
    QCOMPARE(shot.pixel(right - 2, middle), grey);
    for (int edge : {0, 1}) {
        QVERIFY(qGray(shot.pixel(edge, middle)) > qGray(grey));
        QVERIFY(qGray(shot.pixel(right - edge, middle)) < qGray(grey));
    }

    const QRect place = panel.findChild<QLabel*>(label)->geometry();
    const QRect text = ink(shot, place);
    QVERIFY(!text.isEmpty());
    for (const QPoint& corner : {place.topLeft(), place.bottomRight()})
        QCOMPARE(shot.pixel(corner), grey);
    const int slack = 3;  // the font's own side bearing
    if (alignment & Qt::AlignLeft) QVERIFY(text.left() - place.left() <= slack);
    if (alignment & Qt::AlignRight) QVERIFY(place.right() - text.right() <= slack);
    if (alignment & Qt::AlignHCenter)
        QVERIFY(qAbs((text.left() + text.right()) - (place.left() + place.right())) <= 2);
    if (alignment & Qt::AlignTop)
        QVERIFY(text.top() - place.top() <= slack);
    else
        QVERIFY(qAbs((text.top() + text.bottom()) - (place.top() + place.bottom())) <= 2 * slack);
}

// The panel as the first paint shows it, before any deal: a turn text longer than its place
// widens the label, as later ones do.
void BoardLayoutTest::a_long_turn_text_shows_whole_from_the_first_paint() {
    LongTurnText translation;
    QCoreApplication::installTranslator(&translation);
    StatusPanel panel;
    QCoreApplication::removeTranslator(&translation);
    const auto* turn = panel.findChild<QLabel*>(QStringLiteral("label"));
    QCOMPARE(turn->text(), QStringLiteral("Maximiliane ist dran."));
    QVERIFY(turn->fontMetrics().horizontalAdvance(QStringLiteral("Maximiliane")) <=
            turn->contentsRect().width());
    QVERIFY(panel.rect().contains(turn->geometry()));
}

// Asked to, the panel paints before control returns to the event loop, so that a new turn text
// shows while the game holds the loop (the computer "thinking").
void BoardLayoutTest::the_panel_paints_at_once_when_asked() {
    StatusPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.set_status(QStringLiteral("Computer thinking..."));
    panel.repaint_now();
    QVERIFY(counter.paints > 0);
}

void BoardLayoutTest::every_part_stands_at_its_place_in_twips_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("part");  // empty: the window's own size
    QTest::addColumn<QRect>("twips");   // from the top-left corner of the part's parent
    QTest::addColumn<bool>("grows");    // to its caption's size hint, never smaller
    const auto row = [](const char* window, const char* part, QRect twips, bool grows = false) {
        QTest::addRow("%s %s", window, part) << window << part << twips << grows;
    };
    row("display", "player_name_0", {360, 240, 975, 255});
    row("display", "score_0", {960, 480, 495, 255});
    row("display", "player_name_1", {360, 960, 975, 255});
    row("display", "score_1", {960, 1200, 495, 255});
    row("display", "label", {360, 1680, 975, 495});
    row("display", "Label1", {240, 2400, 735, 255});
    row("display", "round", {960, 2400, 495, 255});
    row("begin", "", {0, 0, 5115, 3720});
    row("begin", "Frame1", {360, 120, 4455, 855}, true);
    row("begin", "Option1", {240, 360, 1455, 195}, true);
    row("begin", "Option2", {2160, 360, 1455, 255}, true);
    row("begin", "Frame2", {360, 1080, 4455, 1575}, true);
    row("begin", "six", {240, 360, 1455, 375}, true);
    row("begin", "eight", {240, 600, 1575, 495}, true);
    row("begin", "ten", {240, 960, 1455, 375}, true);
    row("begin", "Command1", {1920, 3000, 1455, 495}, true);
    row("Speed_control", "", {0, 0, 4650, 1200});
    row("Speed_control", "Hscroll1", {480, 240, 3735, 270}, true);
    row("Speed_control", "Label1", {480, 600, 495, 255});
    row("Speed_control", "Slow", {3840, 600, 615, 255});
    row("Speed_control", "Command1", {1800, 720, 1095, 375});
    row("aboutbox", "", {0, 0, 5745, 3195});
    row("aboutbox", "Command1", {360, 1800, 1935, 375});
    row("aboutbox", "Label1", {1080, 240, 3495, 255});
    row("aboutbox", "Label2", {1080, 660, 4455, 690});
    row("aboutbox", "Label3", {1080, 1380, 4455, 255});
    row("aboutbox", "Label4", {360, 2280, 5145, 450});
    row("aboutbox", "Label5", {360, 2730, 5145, 255});
    row("aboutbox", "Label6", {2520, 1770, 2985, 450});
}

// The panel's and the dialogs' parts at their places, at the screen's logical dpi: CTest runs
// this program at 96 dpi and, with Qt's scaling off, at the font dpi of several desktops and at
// 1440, where a twip is a pixel.
void BoardLayoutTest::every_part_stands_at_its_place_in_twips() {
    QFETCH(QString, window);
    QFETCH(QString, part);
    QFETCH(QRect, twips);
    QFETCH(bool, grows);
    const auto made = make_window(window);
    QWidget* widget = part.isEmpty() ? made.get() : made->findChild<QWidget*>(part);
    QVERIFY(widget);
    QSize size(pixels_of(twips.width()), pixels_of(twips.height()));
    if (grows) size = size.expandedTo(widget->sizeHint());
    QCOMPARE(widget->size(), size);
    if (!part.isEmpty())
        QCOMPARE(widget->pos(), QPoint(pixels_of(twips.x()), pixels_of(twips.y())));
}

VIMBREL_UI_TEST_MAIN(BoardLayoutTest)
#include "board_layout_test.moc"
