// On a screen with two device pixels per pixel the cards come from the @2x pictures, pixel for
// pixel, while the board still measures 32 pixels per card.
#include <QtTest>

#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

class HighDpiTest : public QObject {
    Q_OBJECT

private slots:
    void cards_are_drawn_from_the_double_size_pictures();
};

void HighDpiTest::cards_are_drawn_from_the_double_size_pictures() {
    auto board = open_board(CardPictures(placeholder_images(), placeholder_images(32, 2)));
    QVERIFY(board);
    QCOMPARE(board->board_view()->devicePixelRatioF(), 2.0);
    QCOMPARE(board->board_client_size(), QSize(8 * 32 + 113, 8 * 32));
    const auto double_size = [](int id) { return placeholder(id, 32, 2).convertToFormat(QImage::Format_RGB32); };
    QCOMPARE(cell_on_screen(*board, 2), double_size(back_id));

    click_cell(*board, 2);
    const QImage face = double_size(board->game().state().card_face[2]);
    QCOMPARE(cell_on_screen(*board, 2), face);
    // The last animation step was composed at the screen's density too.
    QCOMPARE(board->board_view()->temp_pic().devicePixelRatio(), 2.0);
    QCOMPARE(pixels(board->board_view()->temp_pic()), face);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "high_dpi_test.moc"
