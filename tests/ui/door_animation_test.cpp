// The sliding door's composition, the reveal's step widths, and the card pictures themselves.
#include <QRegularExpression>
#include <QtTest>

#include "door_animation.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// Which picture and which of its columns a composed column shows.
struct Column {
    int picture;
    int source_x;
};

// Reads a column of the composed picture back as (picture, source column), from the placeholder
// encoding: red tells the picture, green the column.
Column column_of(const QImage& image, int x) {
    const QRgb rgb = image.pixel(x, 5);
    return {(qRed(rgb) - 20) / 8, qGreen(rgb) / 7};
}

// The picture and its column that step j of a motion shows at column x of a 32-pixel card. Right
// to left the door moves the other way: the left-to-right step seen in a mirror, each picture
// the right way round.
Column table_column(CardMotion motion, int j, int face, int x, bool rtl = false) {
    if (rtl) {
        const Column mirrored = table_column(motion, j, face, 31 - x);
        return {mirrored.picture, 31 - mirrored.source_x};
    }
    switch (motion) {
        case CardMotion::open:
            return x < j ? Column{face, x} : Column{back_id, x - j};
        case CardMotion::close:
            return x < j ? Column{back_id, 32 - j + x} : Column{face, x};
        case CardMotion::remove:
            return x < j ? Column{blank_id, 32 - j + x} : Column{face, x - j};
    }
    return {};
}

}  // namespace

class DoorAnimationTest : public QObject {
    Q_OBJECT

private slots:
    void steps_take_the_columns_of_the_table_data();
    void steps_take_the_columns_of_the_table();
    void steps_at_double_density_take_the_same_columns();
    void reveal_widths_round_halves_to_even();
    void pictures_are_laid_onto_white_at_the_card_size();
    void the_shipped_art_is_complete_at_both_sizes();
};

void DoorAnimationTest::steps_take_the_columns_of_the_table_data() {
    QTest::addColumn<int>("motion");
    QTest::addColumn<int>("j");
    QTest::addColumn<bool>("rtl");
    for (const int j : {1, 10, 31, 32}) {
        QTest::addRow("open j=%d", j) << int(CardMotion::open) << j << false;
        QTest::addRow("close j=%d", j) << int(CardMotion::close) << j << false;
        QTest::addRow("remove j=%d", j) << int(CardMotion::remove) << j << false;
    }
    for (const int motion : {0, 1, 2})
        QTest::addRow("right to left %d", motion) << motion << 10 << true;
}

void DoorAnimationTest::steps_take_the_columns_of_the_table() {
    QFETCH(int, motion);
    QFETCH(int, j);
    QFETCH(bool, rtl);
    const CardPictures pictures{placeholder_images()};
    constexpr int face = 7;
    const QPixmap& cover =
        CardMotion(motion) == CardMotion::remove ? pictures.blank(1) : pictures.back(1);
    QPixmap temp(32, 32);
    temp.fill(Qt::white);
    compose_door_step(temp, CardMotion(motion), j, pictures.face(face, 1), cover, QSize(32, 32),
                      rtl ? Qt::RightToLeft : Qt::LeftToRight);
    const QImage image = temp.toImage();

    for (int x = 0; x < 32; ++x) {
        const Column want = table_column(CardMotion(motion), j, face, x, rtl);
        const Column got = column_of(image, x);
        QVERIFY2(
            got.picture == want.picture && got.source_x == want.source_x,
            qPrintable(QStringLiteral("x=%1: picture %2 column %3, expected picture %4 column %5")
                           .arg(x)
                           .arg(got.picture)
                           .arg(got.source_x)
                           .arg(want.picture)
                           .arg(want.source_x)));
    }
}

// At two device pixels per pixel, a step shows the same columns, taken from the double-size
// pictures: each column is two device columns of its source.
void DoorAnimationTest::steps_at_double_density_take_the_same_columns() {
    const CardPictures pictures{placeholder_images(), placeholder_images(32, 2)};
    constexpr int face = 7;
    constexpr int j = 10;
    for (const CardMotion motion : {CardMotion::open, CardMotion::close, CardMotion::remove}) {
        const QPixmap& cover = motion == CardMotion::remove ? pictures.blank(2) : pictures.back(2);
        QPixmap temp(64, 64);
        temp.setDevicePixelRatio(2);
        temp.fill(Qt::white);
        compose_door_step(temp, motion, j, pictures.face(face, 2), cover, QSize(32, 32));
        const QImage image = pixels(temp);
        for (int x = 0; x < 64; ++x) {
            const Column want = table_column(motion, j, face, x / 2);
            const QRgb expected =
                placeholder(want.picture, 32, 2).pixel(2 * want.source_x + x % 2, 5);
            QVERIFY2(
                image.pixel(x, 5) == expected,
                qPrintable(QStringLiteral("motion %1, device column %2").arg(int(motion)).arg(x)));
        }
    }
}

void DoorAnimationTest::reveal_widths_round_halves_to_even() {
    QCOMPARE(reveal_widths(32), (std::array<int, 8>{4, 8, 12, 16, 20, 24, 28, 32}));
    // 4.5, 13.5, 22.5 and 31.5 go to the even neighbour.
    QCOMPARE(reveal_widths(36), (std::array<int, 8>{4, 9, 14, 18, 22, 27, 32, 36}));
}

void DoorAnimationTest::pictures_are_laid_onto_white_at_the_card_size() {
    PictureImages images = placeholder_images();
    images.faces[3].setPixel(4, 6, qRgba(0, 0, 0, 0));
    images.back = placeholder(back_id, 40);  // the back sets the card size
    const CardPictures pictures(images);
    QCOMPARE(pictures.card_size(), QSize(40, 40));
    const QImage face = pixels(pictures.face(3, 1));
    QCOMPARE(face.size(), QSize(40, 40));
    QCOMPARE(face.pixel(4, 6), qRgb(255, 255, 255));
    QCOMPARE(face.pixel(5, 6), placeholder(3).pixel(5, 6));
    QCOMPARE(face.pixel(35, 35), qRgb(255, 255, 255));  // beyond the 32-pixel face
    // A picture index out of range draws the back instead of reading past the array.
    QCOMPARE(pixels(pictures.face(-1, 1)), pixels(pictures.back(1)));
    QCOMPARE(pixels(pictures.face(face_count, 1)), pixels(pictures.back(1)));
    // Without any picture, as on a broken install, every card is a white 32-pixel square.
    const CardPictures none{PictureImages{}};
    QImage white(32, 32, QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(pixels(none.back(1)), white);
    QCOMPARE(pixels(none.face(0, 1)), white);
}

void DoorAnimationTest::the_shipped_art_is_complete_at_both_sizes() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral("missing")));
    const CardPictures art = CardPictures::from_resources();
    QCOMPARE(art.card_size(), QSize(32, 32));
    QCOMPARE(art.back(1).size(), QSize(32, 32));
    QCOMPARE(art.back(2).size(), QSize(64, 64));
    QCOMPARE(art.back(2).devicePixelRatio(), 2.0);
    QCOMPARE(art.face(24, 2).size(), QSize(64, 64));
    QVERIFY(!art.emblem().isNull());
    // Every face is a different picture.
    for (int a = 0; a < face_count; ++a)
        for (int b = a + 1; b < face_count; ++b)
            QVERIFY2(pixels(art.face(a, 1)) != pixels(art.face(b, 1)),
                     qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
}

VIMBREL_UI_TEST_MAIN(DoorAnimationTest)
#include "door_animation_test.moc"
