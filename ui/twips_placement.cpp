// Placing widgets at rectangles given in twips.
#include "twips_placement.h"

#include <QLabel>

#include "twips.h"

namespace vimbrel {

void place_in_twips(QWidget& widget, const TwipsRect& place, TwipsFit fit) {
    const Twips twips(&widget);
    QRect where = twips.rect(place.left, place.top, place.width, place.height);
    if (fit == TwipsFit::grow_to_hint) {
        // A caption wider or taller than its place in the platform's font widens the widget
        // rather than being cut off.
        const QSize hint = widget.sizeHint();
        where.setSize(where.size().expandedTo(hint));
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        // A caption's place holds one line of the Latin font it was measured with; the Chinese,
        // Japanese and Korean faces have taller lines, and their captions keep the whole line.
        const QRect text = label->fontMetrics().boundingRect(
            QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 0, label->text());
        const int line = text.height() + 2 * label->margin() +
                         (label->height() - label->contentsRect().height());
        if (where.height() < line) where.setHeight(line);
    }
    widget.setGeometry(where);
}

}  // namespace vimbrel
