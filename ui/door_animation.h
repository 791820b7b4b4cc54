// The sliding door: one step of a card-sized picture sliding over or off another, for the board's
// card animations and the About box's logo alike.
#pragma once

#include <QPixmap>
#include <QSize>

#include <array>

#include "game_view.h"

class QPainter;

namespace vimbrel {

// Copies `width` whole columns of `source`, starting at its column `source_x`, to column `x` of
// the painter's device; `height` rows from the top. Logical pixels; width 0 copies nothing.
void copy_columns(QPainter& painter, const QPixmap& source, int source_x, int x, int width,
                  int height);

// Step j (1..card width) of a motion, composed into the top-left card of `temp`. The door is
// `cover`: the card back while a card opens or closes, the blank while it leaves the board.
//   open:   face columns 0..j-1 at 0, then the cover from its column 0 at j;
//   close:  cover columns w-j..w-1 at 0, then the face from its column j at j;
//   remove: cover columns w-j..w-1 at 0, then the face from its column 0 at j.
// Both pictures are card-sized and opaque. Right to left the door moves the other way, as the
// whole step mirrored with the pictures themselves unmirrored: it opens from the right edge,
// where a reader of that window starts, and closes from there.
void compose_door_step(QPixmap& temp, CardMotion motion, int j, const QPixmap& face,
                       const QPixmap& cover, QSize card,
                       Qt::LayoutDirection direction = Qt::LeftToRight);

// The widths of the eight steps of the quick reveal: card_width * k / 8, halves rounded to even.
std::array<int, 8> reveal_widths(int card_width);

}  // namespace vimbrel
