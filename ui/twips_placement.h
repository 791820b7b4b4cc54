// Named child widgets made and placed at rectangles given in twips, as every window here lays out,
// and the one mirror that turns those places around in a window that reads right to left.
#pragma once

#include <QLatin1String>
#include <QWidget>

#include <utility>

namespace vimbrel {

// A rectangle in twips from the parent's top-left corner.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class TwipsFit {
    exact,         // the place as given
    grow_to_hint,  // widened or heightened to the widget's size hint, so nothing is cut off
};

// Every place in the windows is given as a left-to-right reader sees it, from the left edge. In a
// widget laid out right to left (Arabic, Hebrew, or Qt's -reverse) it lies mirrored across the
// widget, so that the window reads from the right; left to right it stays as given. The mirror is
// its own inverse: the same call turns a place on the screen back into the one given.
QRect mirrored_in(const QWidget& within, const QRect& place);
QPoint mirrored_in(const QWidget& within, const QPoint& point);

// A text's alignment as a left-to-right reader sees it, left and right swapped right to left:
// whatever the text's own direction, so that numbers and Latin words line up with the rest.
Qt::Alignment reading_alignment(const QWidget& within, Qt::Alignment alignment);

// A child's geometry, set and read as a left-to-right reader sees it (mirrored in its parent).
void set_reading_geometry(QWidget& widget, const QRect& place);
QRect reading_geometry(const QWidget& widget);

// Sets the widget's geometry to `place`, converted on the widget's screen. The parent must have
// its size already: a right-to-left window mirrors the place across it, and a label's text
// alignment with it. A one-line label is never shorter than its text's line.
void place_in_twips(QWidget& widget, const TwipsRect& place, TwipsFit fit = TwipsFit::exact);

// A new child of `parent` built from `content` (its caption, or a slider's orientation), named
// `name` for the tests and the accessibility tree, and placed in twips.
template <typename Widget, typename Content>
Widget* make_in_twips(QWidget* parent, const char* name, Content&& content, const TwipsRect& place,
                      TwipsFit fit = TwipsFit::exact) {
    auto* widget = new Widget(std::forward<Content>(content), parent);
    widget->setObjectName(QLatin1String(name));
    place_in_twips(*widget, place, fit);
    return widget;
}

}  // namespace vimbrel
