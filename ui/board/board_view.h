// The card grid: paints the board from the game state, plays the card animations, and keeps the
// keyboard's cursor cell.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

class QPainter;

#include "board/card_pictures.h"
#include "game_state.h"
#include "game_view.h"

namespace vimbrel {

// The board window's client area below the menu bar; its (0, 0) is the grid's top-left corner,
// its top-right corner when the window reads right to left (the grid mirrored, its first column
// at the right; the engine still counts from the first column).
// It only reads the game state. Animations draw synchronously with repaint() and never run the
// event loop, so clicks, keys and timer ticks wait until a card has finished moving.
//
// It is the window's one place that takes keyboard focus. The arrow keys, Home and End move a
// cursor cell; Space and Return choose it exactly as a mouse release over its centre does.
// The cursor is view state like a focus ring: it is outlined only while the board has the focus
// and the keyboard was used since the last mouse click, and it never changes a card picture.
class BoardView final : public QWidget {
    Q_OBJECT

public:
    BoardView(const GameState& state, const CardPictures& pictures, QWidget* parent = nullptr);

    // One sliding-door motion of the cell at row, col (from 1): card width steps, each put on the
    // screen at once and followed by a pause, so that step j ends j * door_delay * 500
    // microseconds after the motion began.
    void animate_card(CardMotion motion, int row, int col, int face, int door_delay);
    // The quick eight-step uncovering of Show Cards, without pauses.
    void reveal_card(int row, int col, int face);

    // The scratch picture in which every animation step is composed; the About box uses it too.
    QPixmap& temp_pic() {
        prepare_temp_pic();
        return temp_pic_;
    }
    // The rectangle of the cell at row, col (from 1), in this widget's pixels, mirrored right to
    // left.
    QRect cell_rect(int row, int col) const;
    // The state the grid is drawn from; its accessibility interface names the cells from it.
    const GameState& state() const { return state_; }
    // After a deal: the cursor goes back to row 1, column 1.
    void new_board_dealt();

    // The cursor cell (1..N, row by row) and whether its outline is drawn now.
    int cursor_cell() const;
    bool cursor_outlined() const { return cursor_used_ && hasFocus(); }
    // Gives the board the keyboard focus, with its window active; after a dialog has closed.
    void take_keyboard_focus();

    QSize sizeHint() const override { return minimumSize(); }

signals:
    // A card was chosen at x, y (this widget's pixels): a mouse button released there, or a key
    // that chose the cursor cell, at its centre.
    void chosen(int x, int y);
    // A paint has finished drawing.
    void painted();
    // A new board was dealt, perhaps with fewer cells than the last one; the cursor is back at
    // row 1, column 1.
    void dealt();
    // The cell at row, col (from 1) shows something else: a card's motion or its uncovering by
    // Show Cards has ended there (a closing card is face down in the state only once its handler
    // is over).
    void cell_changed(int row, int col);
    // A key moved the cursor to another cell.
    void cursor_moved();
    // The board took the keyboard focus.
    void focused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Makes temp_pic one card at the screen's pixel density.
    void prepare_temp_pic();
    // Puts the composed temp_pic on the screen over `cell` at once.
    void show_step(const QRect& cell);
    const QPixmap& picture_of_cell(int cell, qreal ratio) const;
    // The one way from a chosen place to the engine's pick, for the mouse and the keys alike.
    void choose_at(QPoint at);
    // Moves the cursor for a navigation key; false if the key is not one.
    bool move_cursor(int key, Qt::KeyboardModifiers modifiers);
    void set_cursor_used(bool used);
    void draw_cursor(QPainter& painter) const;

    const GameState& state_;
    const CardPictures& pictures_;
    QPixmap temp_pic_;
    QRect moving_cell_;  // the cell whose step temp_pic shows, while an animation draws it
    int cursor_row_ = 1;
    int cursor_col_ = 1;
    bool cursor_used_ = false;  // a key moved the cursor or chose a card since the last click
};

}  // namespace vimbrel
