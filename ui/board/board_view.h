// The card grid: paints the board from the game state and plays the card animations.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include "board/card_pictures.h"
#include "game_state.h"
#include "game_view.h"

namespace vimbrel {

// The board window's client area below the menu bar; its (0, 0) is the grid's top-left corner.
// It only reads the game state. Animations draw synchronously with repaint() and never run the
// event loop, so clicks and timer ticks wait until a card has finished moving.
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
    // The rectangle of the cell at row, col (from 1), in this widget's pixels.
    QRect cell_rect(int row, int col) const;
    // The state the grid is drawn from; its accessibility interface names the cells from it.
    const GameState& state() const { return state_; }
    // Tells assistive technology that the whole board was dealt afresh.
    void announce_new_board();

    QSize sizeHint() const override { return minimumSize(); }

signals:
    // A mouse button was released at x, y (this widget's pixels).
    void released(int x, int y);
    // A paint has finished drawing.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Makes temp_pic one card at the screen's pixel density.
    void prepare_temp_pic();
    // Puts the composed temp_pic on the screen over `cell` at once.
    void show_step(const QRect& cell);
    const QPixmap& picture_of_cell(int cell, qreal ratio) const;
    // Tells assistive technology that the cell at row, col now shows something else.
    void announce_cell(int row, int col);

    const GameState& state_;
    const CardPictures& pictures_;
    QPixmap temp_pic_;
    QRect moving_cell_;  // the cell whose step temp_pic shows, while an animation draws it
};

}  // namespace vimbrel
