// The cards on high-density screens. At two device pixels per pixel they come from the @2x
// pictures pixel for pixel, or without them from the 1x pictures with every pixel doubled. At a
// fractional ratio (1.25, 1.5, 1.75) they are the @2x pictures smoothly scaled to the card's size
// in device pixels, so that diagonals do not turn into stairs. The board and the panel measure in
// pixels as at one device pixel per pixel. CTest runs this program at QT_SCALE_FACTOR 2, 1.25,
// 1.5 and 1.75.
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QtTest>

#include <set>
#include <utility>
#include <vector>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "dialogs/start_dialog.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

const QRgb left_colour = qRgb(40, 90, 200);
const QRgb right_colour = qRgb(230, 200, 40);
const QRgb line_colour = qRgb(200, 30, 30);      // the 1x picture's vertical line
const QRgb line_colour_2x = qRgb(120, 20, 140);  // the same line in the @2x picture
const QRgb rule_colour = qRgb(20, 140, 60);      // a horizontal line

// A card of the given scale: left and right halves meeting at pixel column 16, a 1-pixel line at
// column 5 and a 1-pixel rule at row 7, each `scale` device pixels wide; drawn by hand, the way
// the card back is, so the @2x picture is the 1x one doubled but for the line's colour.
QImage edge_picture(int scale) {
    QImage image(32 * scale, 32 * scale, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb c = x < 16 * scale ? left_colour : right_colour;
            if (y / scale == 7) c = rule_colour;
            if (x / scale == 5) c = scale == 1 ? line_colour : line_colour_2x;
            image.setPixel(x, y, c);
        }
    return image;
}

PictureImages edge_pictures(int scale) {
    PictureImages images{edge_picture(scale), edge_picture(scale), {}};
    images.faces.fill(edge_picture(scale));
    return images;
}

// The runs of equal colours along a row (or, transposed, a column) of an image.
using Runs = std::vector<std::pair<QRgb, int>>;
Runs runs(const QImage& image, int fixed, bool along_row) {
    Runs r;
    const int length = along_row ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
        const QRgb c = (along_row ? image.pixel(i, fixed) : image.pixel(fixed, i)) & 0xffffff;
        if (!r.empty() && r.back().first == c)
            ++r.back().second;
        else
            r.push_back({c, 1});
    }
    return r;
}

Runs run_list(std::initializer_list<std::pair<QRgb, int>> list) {
    Runs r;
    for (auto [c, n] : list) r.push_back({c & 0xffffff, n});
    return r;
}

std::set<QRgb> colours(const QImage& image) {
    std::set<QRgb> all;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) all.insert(image.pixel(x, y) & 0xffffff);
    return all;
}

// A shipped picture as the board holds it: laid onto white, at device pixels.
QImage on_white(const QString& path) {
    QImage file(path);
    file.setDevicePixelRatio(1.0);
    QImage image(file.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, file);
    return image;
}

// Every cell face up, through Show Cards.
void show_all(BoardWindow& board) {
    board.menus().show_cards->trigger();
}

// The board, the panel and the start dialog lay out as at one device pixel per pixel: same sizes
// in pixels, the panel docked, no caption cut off.
void check_layout(qreal ratio) {
    auto board = open_board();
    QVERIFY(board);
    QCOMPARE(board->board_view()->devicePixelRatioF(), ratio);
    QCOMPARE(board->centralWidget()->size(), QSize(8 * 32 + panel_width, 8 * 32));
    const QPoint client = board->centralWidget()->pos();
    QCOMPARE(board->panel()->geometry(),
             QRect(client + QPoint(8 * 32, 0), QSize(panel_width, 8 * 32)));
    const auto captions_fit = [&] {
        for (QLabel* label : board->panel()->findChildren<QLabel*>()) {
            const QRect room = label->contentsRect();
            const bool fits =
                label->wordWrap()
                    ? label->heightForWidth(room.width()) <= room.height()
                    : label->fontMetrics().horizontalAdvance(label->text()) <= room.width();
            if (!fits) return false;
        }
        return true;
    };
    QVERIFY(captions_fit());
    board->menus().two_people->trigger();  // the longer names
    QVERIFY(captions_fit());
    board->panel()->set_status(QStringLiteral("Computer thinking..."));  // the longest turn text
    QVERIFY(captions_fit());
    StartDialog begin(board.get());
    for (QRadioButton* option : begin.findChildren<QRadioButton*>()) {
        QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->objectName()));
        QVERIFY2(option->parentWidget()->rect().contains(option->geometry()),
                 qPrintable(option->objectName()));
    }
}

}  // namespace

class DoubleDensityTest : public QObject {
    Q_OBJECT

private slots:
    void cards_are_drawn_from_the_double_size_pictures();
    void without_them_every_pixel_becomes_two_by_two();
    void the_shipped_cards_are_their_double_size_pictures();
    void layout_is_as_at_one_pixel() { check_layout(2.0); }
};

void DoubleDensityTest::cards_are_drawn_from_the_double_size_pictures() {
    auto board = open_board(CardPictures(placeholder_images(), placeholder_images(32, 2)));
    QVERIFY(board);
    QCOMPARE(board->board_view()->devicePixelRatioF(), 2.0);
    QCOMPARE(board->board_client_size(), QSize(8 * 32 + 113, 8 * 32));
    const auto double_size = [](int id) {
        return placeholder(id, 32, 2).convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(cell_on_screen(*board, 2), double_size(back_id));

    click_cell(*board, 2);
    const QImage face = double_size(board->game().state().card_face[2]);
    QCOMPARE(cell_on_screen(*board, 2), face);
    // The last animation step was composed at the screen's density too.
    QCOMPARE(board->board_view()->temp_pic().devicePixelRatio(), 2.0);
    QCOMPARE(pixels(board->board_view()->temp_pic()), face);
}

void DoubleDensityTest::without_them_every_pixel_becomes_two_by_two() {
    auto board = open_board(CardPictures(edge_pictures(1)));
    QVERIFY(board);
    for (const int cell : {1, 2}) {
        const QImage card = cell_on_screen(*board, cell);
        QCOMPARE(card.size(), QSize(64, 64));
        // Row 20 of the picture: the line at column 5 and the edge at 16, in whole device pixels.
        QCOMPARE(
            runs(card, 40, true),
            run_list({{left_colour, 10}, {line_colour, 2}, {left_colour, 20}, {right_colour, 32}}));
        QCOMPARE(runs(card, 41, true), runs(card, 40, true));
        // Column 25: the rule at row 7.
        QCOMPARE(runs(card, 50, false),
                 run_list({{right_colour, 14}, {rule_colour, 2}, {right_colour, 48}}));
        click_cell(*board, cell);  // and the same once it has opened, after its animation
    }
}

void DoubleDensityTest::the_shipped_cards_are_their_double_size_pictures() {
    auto board = open_board(CardPictures::from_resources());
    QVERIFY(board);
    // The back is pixel art: its @2x picture, and so the card on the screen, is the 1x picture
    // with every pixel doubled; a 1-pixel bevel is exactly two device pixels.
    const QImage back = cell_on_screen(*board, 1);
    QCOMPARE(back, on_white(QStringLiteral(":/cards/back@2x.png")));
    QCOMPARE(back, on_white(QStringLiteral(":/cards/back.png"))
                       .scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    show_all(*board);
    const GameState& s = board->game().state();
    for (int cell = 1; cell <= s.cell_count(); ++cell) {
        const QString file =
            QStringLiteral(":/cards/face%1@2x.png").arg(s.card_face[cell], 2, 10, QChar('0'));
        QVERIFY2(cell_on_screen(*board, cell) == on_white(file), qPrintable(file));
    }
}

class FractionalDensityTest : public QObject {
    Q_OBJECT

public:
    explicit FractionalDensityTest(qreal ratio) : ratio_(ratio) {}

private slots:
    void cards_are_the_double_size_pictures_scaled_smoothly();
    void layout_is_as_at_one_pixel() { check_layout(ratio_); }

private:
    // A picture as the board should show it: laid onto white, then scaled smoothly to the card.
    QImage smoothly_scaled(QImage picture) const {
        picture.setDevicePixelRatio(1.0);  // an @2x file's own pixels, not half as many
        QImage white(picture.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QPainter(&white).drawImage(0, 0, picture);
        const QSize device = QSize(32, 32) * ratio_;
        return white.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    qreal ratio_;
};

void FractionalDensityTest::cards_are_the_double_size_pictures_scaled_smoothly() {
    {
        auto board = open_board(CardPictures(edge_pictures(1), edge_pictures(2)));
        QVERIFY(board);
        QCOMPARE(board->board_view()->devicePixelRatioF(), ratio_);
        const QImage expected = smoothly_scaled(edge_picture(2));
        // The 1-pixel line falls between device pixels and is blended with its neighbours.
        QVERIFY(colours(expected).size() > 4);
        for (const int cell : {1, 2, 10}) {
            QCOMPARE(cell_on_screen(*board, cell), expected);
            click_cell(*board, cell);  // and the same once it has opened, after its animation
            QCOMPARE(cell_on_screen(*board, cell), expected);
        }
    }
    auto board = open_board(CardPictures::from_resources());
    QVERIFY(board);
    QCOMPARE(cell_on_screen(*board, 1),
             smoothly_scaled(QImage(QStringLiteral(":/cards/back@2x.png"))));
    show_all(*board);
    const GameState& s = board->game().state();
    for (int cell = 1; cell <= s.cell_count(); ++cell) {
        const QString file =
            QStringLiteral(":/cards/face%1@2x.png").arg(s.card_face[cell], 2, 10, QChar('0'));
        QVERIFY2(cell_on_screen(*board, cell) == smoothly_scaled(QImage(file)), qPrintable(file));
    }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    const qreal ratio = app.devicePixelRatio();
    if (ratio == 2.0) {
        DoubleDensityTest test;
        return QTest::qExec(&test, argc, argv);
    }
    if (ratio != 1.0) {
        FractionalDensityTest test(ratio);
        return QTest::qExec(&test, argc, argv);
    }
    qCritical("high_dpi_test runs at a QT_SCALE_FACTOR other than 1");
    return 1;
}

#include "high_dpi_test.moc"
