// Placing widgets at rectangles given in twips, mirrored in windows that read right to left.
#include "twips_placement.h"

#include "twips.h"

#include <QLabel>
#include <QStyle>

namespace vimbrel {

QRect mirrored_in(const QWidget& within, const QRect& place) {
    if (!within.isRightToLeft()) return place;
    return {within.width() - place.x() - place.width(), place.y(), place.width(), place.height()};
}

QPoint mirrored_in(const QWidget& within, const QPoint& point) {
    if (!within.isRightToLeft()) return point;
    return {within.width() - 1 - point.x(), point.y()};
}

Qt::Alignment reading_alignment(const QWidget& within, Qt::Alignment alignment) {
    if (!within.isRightToLeft()) return alignment;
    return QStyle::visualAlignment(Qt::RightToLeft, alignment);  // absolute: the text won't swap it
}

void set_reading_geometry(QWidget& widget, const QRect& place) {
    const QWidget* parent = widget.parentWidget();
    widget.setGeometry(parent ? mirrored_in(*parent, place) : place);
}

QRect reading_geometry(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    return parent ? mirrored_in(*parent, widget.geometry()) : widget.geometry();
}

void place_in_twips(QWidget& widget, const TwipsRect& place, TwipsFit fit) {
    const Twips twips(&widget);
    QRect where = twips.rect(place.left, place.top, place.width, place.height);
    if (fit == TwipsFit::grow_to_hint) {
        // A caption wider or taller than its place in the platform's font widens the widget
        // rather than being cut off; right to left it grows to the left, as it reads.
        const QSize hint = widget.sizeHint();
        where.setSize(where.size().expandedTo(hint));
    }
    if (auto* label = qobject_cast<QLabel*>(&widget); label && !label->wordWrap()) {
        // A one-line caption whose font has taller lines than the place (the Chinese, Japanese
        // and Korean fonts' are) grows about its middle, so that its line shows whole.
        const int frame = label->height() - label->contentsRect().height() + 2 * label->margin();
        const int line =
            label->fontMetrics()
                .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 0, label->text())
                .height();
        const int extra = line + frame - where.height();
        if (extra > 0) where.adjust(0, -extra / 2, 0, extra - extra / 2);
    }
    set_reading_geometry(widget, where);
    if (auto* label = qobject_cast<QLabel*>(&widget); label && label->parentWidget())
        label->setAlignment(reading_alignment(*label->parentWidget(), label->alignment()));
}

}  // namespace vimbrel
