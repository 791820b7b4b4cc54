// Placing widgets at rectangles given in twips.
#include "twips_placement.h"

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
    widget.setGeometry(where);
}

}  // namespace vimbrel
