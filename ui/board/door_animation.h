// The sliding door: how one step of a card animation is composed from two pictures.
#pragma once

#include <QPixmap>
#include <QSize>

#include <array>

#include "game_view.h"

class QPainter;

namespace vimbrel {

// The three pictures a cell can show during a motion; all card-sized and opaque.
struct DoorPictures {
    const QPixmap& face;
    const QPixmap& back;
    const QPixmap& blank;
};

// Copies `width` whole columns of `source`, starting at its column `source_x`, to column `x` of
// the painter's device; `height` rows from the top. Logical pixels; width 0 copies nothing.
void copy_columns(QPainter& painter, const QPixmap& source, int source_x, int x, int width,
                  int height);

// Step j (1..card width) of a motion, composed into the top-left card of `temp`:
//   open:   face columns 0..j-1 at 0, then the back from its column 0 at j;
//   close:  back columns w-j..w-1 at 0, then the face from its column j at j;
//   remove: blank columns w-j..w-1 at 0, then the face from its column 0 at j.
void compose_door_step(QPixmap& temp, CardMotion motion, int j, const DoorPictures& pictures,
                       QSize card);

// The widths of the eight steps of the quick reveal: card_width * k / 8, halves rounded to even.
std::array<int, 8> reveal_widths(int card_width);

}  // namespace vimbrel
