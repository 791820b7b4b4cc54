// Painting the card grid, playing the sliding-door animations, and the keyboard's cursor cell.
#include "board/board_view.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "door_animation.h"
#include "reader_bus.h"
#include "twips_placement.h"

namespace vimbrel {

namespace {

// The pause after each animation step grows by this much per unit of door_delay.
constexpr std::chrono::microseconds pause_per_delay_unit{500};

// The cursor's outline lies inside the cell, this many pixels wide, so that it never touches a
// neighbour and stays whole on every device pixel ratio.
constexpr int outline_width = 2;

}  // namespace

BoardView::BoardView(const GameState& state, const CardPictures& pictures, QWidget* parent)
    : QWidget(parent), state_(state), pictures_(pictures) {
    //: Screen readers: the grid of cards, read as a list of its cards.
    setAccessibleName(tr("Board"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

QRect BoardView::cell_rect(int row, int col) const {
    const QSize card = pictures_.card_size();
    return mirrored_in(
        *this, {(col - 1) * card.width(), (row - 1) * card.height(), card.width(), card.height()});
}

const QPixmap& BoardView::picture_of_cell(int cell, qreal ratio) const {
    switch (state_.cell_state[cell]) {
        case face_up:
            return pictures_.face(state_.card_face[cell], ratio);
        case removed:
            return pictures_.blank(ratio);
        default:
            return pictures_.back(ratio);
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const int grid = state_.grid_size;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (grid > 0 && grid * grid <= max_cells) {
        for (int row = 1; row <= grid; ++row) {
            for (int col = 1; col <= grid; ++col) {
                const QRect target = cell_rect(row, col);
                if (!event->rect().intersects(target)) continue;
                const QPixmap& picture = picture_of_cell((row - 1) * grid + col, ratio);
                painter.drawPixmap(target, picture, picture.rect());
            }
        }
    }
    if (moving_cell_.isValid() && event->rect().intersects(moving_cell_))
        painter.drawPixmap(moving_cell_, temp_pic_, temp_pic_.rect());
    // Over the picture, so that it stays at every step of an animation of its cell.
    if (cursor_outlined() && event->rect().intersects(cell_rect(cursor_row_, cursor_col_)))
        draw_cursor(painter);
    painter.end();
    emit painted();
}

void BoardView::draw_cursor(QPainter& painter) const {
    const QRect cell = cell_rect(cursor_row_, cursor_col_);
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    const int w = outline_width;
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), w), colour);
    painter.fillRect(QRect(cell.left(), cell.bottom() - w + 1, cell.width(), w), colour);
    painter.fillRect(QRect(cell.left(), cell.top() + w, w, cell.height() - 2 * w), colour);
    painter.fillRect(QRect(cell.right() - w + 1, cell.top() + w, w, cell.height() - 2 * w), colour);
}

void BoardView::choose_at(QPoint at) {
    // The engine counts pixels from the grid's first column, which is at the right edge in a
    // window that reads right to left.
    const QPoint pick = mirrored_in(*this, at);
    emit chosen(pick.x(), pick.y());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    set_cursor_used(false);
    const QPointF at = event->position();
    choose_at(QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))));
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    // Not the keypad's Enter: it is a screen reader's "Where am I", which may reach the window
    // when the reader answers late, and must never turn a card.
    if ((key == Qt::Key_Space || key == Qt::Key_Return) && modifiers == Qt::NoModifier) {
        set_cursor_used(true);
        choose_at(cell_rect(cursor_row_, cursor_col_).center());
        return;
    }
    if (!move_cursor(key, modifiers)) QWidget::keyPressEvent(event);
}

bool BoardView::move_cursor(int key, Qt::KeyboardModifiers modifiers) {
    const int grid = std::max<int>(state_.grid_size, 1);
    const bool plain = modifiers == Qt::NoModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    int row = cursor_row_;
    int col = cursor_col_;
    // The arrows move the way they point: right to left, column 1 is at the right. Home and End
    // go to where a row starts and ends as it reads.
    const int right = isRightToLeft() ? -1 : 1;
    switch (key) {
        case Qt::Key_Left:
            col = std::clamp(col - right, 1, grid);
            break;
        case Qt::Key_Right:
            col = std::clamp(col + right, 1, grid);
            break;
        case Qt::Key_Up:
            row = std::max(row - 1, 1);
            break;
        case Qt::Key_Down:
            row = std::min(row + 1, grid);
            break;
        case Qt::Key_Home:
            col = 1;
            row = ctrl ? 1 : row;
            break;
        case Qt::Key_End:
            col = grid;
            row = ctrl ? grid : row;
            break;
        default:
            return false;
    }
    const bool home_or_end = key == Qt::Key_Home || key == Qt::Key_End;
    if (!plain && !(ctrl && home_or_end)) return false;
    set_cursor_used(true);
    if (row == cursor_row_ && col == cursor_col_) return true;  // at the edge: it stays
    update(cell_rect(cursor_row_, cursor_col_));
    cursor_row_ = row;
    cursor_col_ = col;
    update(cell_rect(cursor_row_, cursor_col_));
    emit cursor_moved();
    return true;
}

void BoardView::set_cursor_used(bool used) {
    if (used == cursor_used_) return;
    cursor_used_ = used;
    update(cell_rect(cursor_row_, cursor_col_));
}

int BoardView::cursor_cell() const {
    return (cursor_row_ - 1) * state_.grid_size + cursor_col_;
}

// Only the cursor's cell looks different with and without the focus.
void BoardView::focusInEvent(QFocusEvent*) {
    update(cell_rect(cursor_row_, cursor_col_));
    emit focused();
}

void BoardView::focusOutEvent(QFocusEvent*) {
    update(cell_rect(cursor_row_, cursor_col_));
}

void BoardView::take_keyboard_focus() {
    // Without a window manager nobody gives the window back the keys a dialog had. A Wayland
    // compositor does that itself and refuses to be asked.
    QWidget* board = window();
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (board->isVisible() && !board->isActiveWindow() && !wayland) board->activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void BoardView::prepare_temp_pic() {
    const qreal ratio = devicePixelRatioF();
    const QSize device = pictures_.card_size() * ratio;
    if (temp_pic_.size() != device || temp_pic_.devicePixelRatio() != ratio) {
        temp_pic_ = QPixmap(device);
        temp_pic_.setDevicePixelRatio(ratio);
        temp_pic_.fill(Qt::white);
    }
}

void BoardView::show_step(const QRect& cell) {
    moving_cell_ = cell;
    repaint(cell);
    moving_cell_ = QRect();
}

void BoardView::animate_card(CardMotion motion, int row, int col, int face, int door_delay) {
    prepare_temp_pic();
    const qreal ratio = temp_pic_.devicePixelRatio();
    const QPixmap& face_picture = pictures_.face(face, ratio);
    const QPixmap& cover =
        motion == CardMotion::remove ? pictures_.blank(ratio) : pictures_.back(ratio);
    const QSize card = pictures_.card_size();
    const QRect cell = cell_rect(row, col);
    const auto pause = pause_per_delay_unit * std::max(door_delay, 0);
    // Step j ends j pauses after the motion began. Sleeping to that deadline, not for one more
    // pause, keeps a sleep's overshoot (tens of microseconds, a tenth of the shortest pause) and
    // the drawing time from adding up over the steps: the motion takes its nominal time.
    const auto began = std::chrono::steady_clock::now();
    for (int j = 1; j <= card.width(); ++j) {
        compose_door_step(temp_pic_, motion, j, face_picture, cover, card, layoutDirection());
        show_step(cell);
        reader_bus::answer();
        if (pause.count() > 0) std::this_thread::sleep_until(began + j * pause);
    }
    emit cell_changed(row, col);
}

void BoardView::reveal_card(int row, int col, int face) {
    prepare_temp_pic();
    const qreal ratio = temp_pic_.devicePixelRatio();
    const QPixmap& face_picture = pictures_.face(face, ratio);
    const QPixmap& back = pictures_.back(ratio);
    const QSize card = pictures_.card_size();
    const QRect cell = cell_rect(row, col);
    for (const int j : reveal_widths(card.width())) {
        compose_door_step(temp_pic_, CardMotion::open, j, face_picture, back, card,
                          layoutDirection());
        show_step(cell);
    }
    emit cell_changed(row, col);
}

void BoardView::new_board_dealt() {
    update(cell_rect(cursor_row_, cursor_col_));
    cursor_row_ = 1;
    cursor_col_ = 1;
    emit dealt();
}

}  // namespace vimbrel
