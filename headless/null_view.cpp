// What the null front end passes on: the cards an opponent sees.
#include "null_view.h"

#include "opponent.h"

namespace vimbrel::headless {

void NullView::animate_card(CardMotion motion, int row, int col, int face, int) {
    if (!opponent_) return;
    const int cell = (row - 1) * grid_size_ + col;
    if (motion == CardMotion::open) opponent_->seen(cell, face);
    if (motion == CardMotion::remove) opponent_->removed(cell);
}

}  // namespace vimbrel::headless
