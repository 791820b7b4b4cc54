// Helpers for the window tests: an offscreen main, recognisable card pictures, answering modal
// dialogs, and reading cells back from the screen.
#pragma once

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

#include "board/board_menus.h"
#include "board/board_view.h"
#include "board/board_window.h"
#include "game_window.h"

#define VIMBREL_UI_TEST_MAIN(TestClass)                     \
    int main(int argc, char** argv) {                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen");        \
        QApplication app(argc, argv);                       \
        TestClass test;                                     \
        return QTest::qExec(&test, argc, argv);             \
    }

namespace vimbrel::testing {

// Whether Qt's Wayland platform plugin is missing, said as the reason to skip a Wayland test.
inline bool wayland_plugin_missing() {
    const QString plugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
    if (QFile::exists(plugin)) return false;
    std::printf("SKIP: Qt's Wayland platform plugin is not installed (%s)\n", qPrintable(plugin));
    return true;
}

inline constexpr int back_id = 25;
inline constexpr int blank_id = 26;

// Red tells the picture (faces 0..24, back, blank), green the column, blue the row; the @2x
// twin (scale 2) also differs from a blown-up 1x picture.
inline QImage placeholder(int id, int size = 32, int scale = 1) {
    QImage image(size * scale, size * scale, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(
                x, y, qRgb(20 + id * 8, (x * 7) % 256, 100 + y + (scale - 1) * ((x + y) % 2) * 50));
    return image;
}

inline PictureImages placeholder_images(int size = 32, int scale = 1) {
    PictureImages images{placeholder(back_id, size, scale), placeholder(blank_id, size, scale), {}};
    for (int i = 0; i < face_count; ++i) images.faces[i] = placeholder(i, size, scale);
    return images;
}

// The text of one of the window's labels, by its name.
inline QString label_text(BoardWindow& board, const char* name) {
    const auto* label = board.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

inline QImage pixels(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

// Hands the next modal dialog or message box to `act`, from inside its exec().
inline void when_modal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->deleteLater();
        poll->stop();
        act(modal);
    });
    poll->start(5);
}

inline void press_ok(QWidget* dialog) {
    dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
}

inline QRect cell_rect(BoardWindow& board, int cell) {
    const int grid = board.game().state().grid_size;
    return board.board_view()->cell_rect((cell - 1) / grid + 1, (cell - 1) % grid + 1);
}

inline QImage cell_on_screen(BoardWindow& board, int cell) {
    return pixels(board.board_view()->grab(cell_rect(board, cell)));
}

// The picture the cell's state calls for.
inline QImage expected_picture(BoardWindow& board, int cell) {
    const GameState& s = board.game().state();
    const qreal ratio = board.board_view()->devicePixelRatioF();
    if (s.cell_state[cell] == face_up)
        return pixels(board.pictures().face(s.card_face[cell], ratio));
    return pixels(s.cell_state[cell] == removed ? board.pictures().blank(ratio)
                                                : board.pictures().back(ratio));
}

inline bool board_shows_the_state(BoardWindow& board) {
    for (int cell = 1; cell <= board.game().state().cell_count(); ++cell)
        if (cell_on_screen(board, cell) != expected_picture(board, cell)) return false;
    return true;
}

// A shown board window whose start dialog got OK and whose first game is dealt; no pauses.
inline std::unique_ptr<BoardWindow> open_board(
    const CardPictures& pictures = CardPictures(placeholder_images())) {
    auto board = make_game_window(pictures);
    board->game().set_door_delay(0);
    when_modal(press_ok);
    board->show();
    // The first deal sets round 1; before it the state shows round 0.
    if (!QTest::qWaitFor([&] { return board->game().state().round_no == 1; })) return nullptr;
    return board;
}

// The same, set to two people: every turn is a person's, and the computer never plays.
inline std::unique_ptr<BoardWindow> open_board_for_two() {
    auto board = open_board();
    if (board) board->menus().two_people->trigger();
    return board;
}

// Two face-down cells whose pictures are equal (same = true) or different.
inline std::pair<int, int> two_cells(const GameState& s, bool same) {
    for (int a = 1; a <= s.cell_count(); ++a)
        for (int b = a + 1; b <= s.cell_count(); ++b)
            if (s.cell_state[a] == face_down && s.cell_state[b] == face_down &&
                (s.card_face[a] == s.card_face[b]) == same)
                return {a, b};
    return {0, 0};
}

// A player's click or key comes through the event loop's queues, behind what is queued already:
// it reaches the board only after the input queued while a turn settled has been dropped.
inline void wait_for_the_queues(BoardWindow& board) {
    (void)QTest::qWaitFor([&] { return board.board_takes_input(); });
}

inline void click_cell(BoardWindow& board, int cell, Qt::MouseButton button = Qt::LeftButton) {
    wait_for_the_queues(board);
    QTest::mouseRelease(board.board_view(), button, {}, cell_rect(board, cell).center());
}

inline QTimer* timer(BoardWindow& board, const char* name) {
    return board.findChild<QTimer*>(QString::fromLatin1(name));
}

// Fires a running single-shot timer now instead of waiting for it.
inline bool fire(BoardWindow& board, const char* name) {
    QTimer* t = timer(board, name);
    return t && t->isActive() && QMetaObject::invokeMethod(t, "timeout");
}

// The person turns two face-down cards, a pair (same) or a miss, and the judging pause runs out
// at once. Returns the two cells, or {0, 0} if the judgement did not run.
inline std::pair<int, int> play_turn(BoardWindow& board, bool same) {
    const auto cells = two_cells(board.game().state(), same);
    click_cell(board, cells.first);
    click_cell(board, cells.second);
    return fire(board, "next_turn") ? cells : std::pair<int, int>{0, 0};
}

}  // namespace vimbrel::testing
