// Named child widgets made and placed at rectangles given in twips, as every window here lays out.
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

// Sets the widget's geometry to `place`, converted on the widget's screen.
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
