// Painting the card grid and playing the sliding-door animations.
#include "board/board_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <chrono>
#include <cmath>
#include <thread>

#include "board/board_accessible.h"
#include "board/door_animation.h"

namespace vimbrel {

namespace {

// The pause after each animation step grows by this much per unit of door_delay.
constexpr std::chrono::microseconds pause_per_delay_unit{500};

}  // namespace

BoardView::BoardView(const GameState& state, const CardPictures& pictures, QWidget* parent)
    : QWidget(parent), state_(state), pictures_(pictures) {
    // Before anything asks for this widget's accessible interface, which Qt then keeps.
    install_board_accessibility();
    setObjectName(QStringLiteral("board_area"));
    setAccessibleName(QStringLiteral("Board"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

QRect BoardView::cell_rect(int row, int col) const {
    const QSize card = pictures_.card_size();
    return {(col - 1) * card.width(), (row - 1) * card.height(), card.width(), card.height()};
}

const QPixmap& BoardView::picture_of_cell(int cell, qreal ratio) const {
    switch (state_.cell_state[cell]) {
        case face_up: return pictures_.face(state_.card_face[cell], ratio);
        case removed: return pictures_.blank(ratio);
        default: return pictures_.back(ratio);
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
    painter.end();
    emit painted();
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit released(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
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
    const DoorPictures pictures{pictures_.face(face, ratio), pictures_.back(ratio), pictures_.blank(ratio)};
    const QSize card = pictures_.card_size();
    const QRect cell = cell_rect(row, col);
    const auto pause = pause_per_delay_unit * std::max(door_delay, 0);
    // Step j ends j pauses after the motion began. Sleeping to that deadline, not for one more
    // pause, keeps a sleep's overshoot (tens of microseconds, a tenth of the shortest pause) and
    // the drawing time from adding up over the steps: the motion takes its nominal time.
    const auto began = std::chrono::steady_clock::now();
    for (int j = 1; j <= card.width(); ++j) {
        compose_door_step(temp_pic_, motion, j, pictures, card);
        show_step(cell);
        if (pause.count() > 0) std::this_thread::sleep_until(began + j * pause);
    }
    announce_cell(row, col);
}

void BoardView::reveal_card(int row, int col, int face) {
    prepare_temp_pic();
    const qreal ratio = temp_pic_.devicePixelRatio();
    const DoorPictures pictures{pictures_.face(face, ratio), pictures_.back(ratio), pictures_.blank(ratio)};
    const QSize card = pictures_.card_size();
    const QRect cell = cell_rect(row, col);
    for (const int j : reveal_widths(card.width())) {
        compose_door_step(temp_pic_, CardMotion::open, j, pictures, card);
        show_step(cell);
    }
    announce_cell(row, col);
}

// The grid's accessible children are its cells, in reading order, from index 0. The news goes out
// once the running handler is over, because a closing card turns face down only after its motion;
// and only while assistive technology listens.
void BoardView::announce_cell(int row, int col) {
    if (!QAccessible::isActive()) return;
    const int index = (row - 1) * state_.grid_size + col - 1;
    QMetaObject::invokeMethod(
        this,
        [this, index] {
            if (index >= state_.cell_count()) return;  // a smaller board was dealt meanwhile
            QAccessibleEvent changed(this, QAccessible::NameChanged);
            changed.setChild(index);
            QAccessible::updateAccessibility(&changed);
        },
        Qt::QueuedConnection);
}

void BoardView::announce_new_board() {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reordered);
}

}  // namespace vimbrel
