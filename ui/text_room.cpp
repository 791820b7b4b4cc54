// Measuring a label's text against the room it has.
#include "text_room.h"

#include <QFontMetrics>
#include <QLabel>

namespace vimbrel {

bool text_fits(const QLabel& label, int width) {
    // What the frame and margins take, around the room the text is drawn in.
    const QRect inside = label.contentsRect();
    const int text_width = width - (label.width() - inside.width()) - 2 * label.margin();
    const int text_height = inside.height() - 2 * label.margin();
    // The laid-out size of the text, its fractional width rounded up to whole pixels. A single
    // word longer than the line sticks out sideways rather than wrapping.
    const int flags = label.wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect needed = label.fontMetrics().boundingRect(QRect(0, 0, text_width, QWIDGETSIZE_MAX),
                                                          flags, label.text());
    return needed.width() <= text_width && needed.height() <= text_height;
}

int width_for_text(const QLabel& label, int width, int max_width) {
    for (int w = width; w < max_width; ++w)
        if (text_fits(label, w)) return w;
    return max_width;
}

}  // namespace vimbrel
