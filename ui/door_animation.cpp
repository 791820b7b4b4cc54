// Composing the steps of the sliding-door animation.
#include "door_animation.h"

#include <QPainter>

#include <cmath>

namespace vimbrel {

void copy_columns(QPainter& painter, const QPixmap& source, int source_x, int x, int width,
                  int height) {
    if (width <= 0 || height <= 0) return;
    // The source rectangle of drawPixmap is in the source's device pixels.
    const qreal ratio = source.devicePixelRatio();
    painter.drawPixmap(QRectF(x, 0, width, height), source,
                       QRectF(source_x * ratio, 0, width * ratio, height * ratio));
}

void compose_door_step(QPixmap& temp, CardMotion motion, int j, const QPixmap& face,
                       const QPixmap& cover, QSize card, Qt::LayoutDirection direction) {
    const int w = card.width();
    const int h = card.height();
    QPainter painter(&temp);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Columns source_x.. of `picture` to column x, or the same strip seen in a mirror.
    const bool mirrored = direction == Qt::RightToLeft;
    const auto copy = [&](const QPixmap& picture, int source_x, int x, int width) {
        if (mirrored) {
            source_x = w - source_x - width;
            x = w - x - width;
        }
        copy_columns(painter, picture, source_x, x, width, h);
    };
    switch (motion) {
        case CardMotion::open:
            copy(face, 0, 0, j);
            copy(cover, 0, j, w - j);
            break;
        case CardMotion::close:
            copy(cover, w - j, 0, j);
            copy(face, j, j, w - j);
            break;
        case CardMotion::remove:
            copy(cover, w - j, 0, j);
            copy(face, 0, j, w - j);
            break;
    }
}

std::array<int, 8> reveal_widths(int card_width) {
    std::array<int, 8> widths{};
    for (int k = 1; k <= 8; ++k)
        widths[k - 1] = static_cast<int>(std::nearbyint(card_width * k / 8.0));  // ties to even
    return widths;
}

}  // namespace vimbrel
