// Room for a caption in a label placed at a fixed size: a translation may need more than the
// English text that the place was measured for.
#pragma once

class QLabel;

namespace vimbrel {

// Whether the whole of `label`'s text shows at `width` and the label's current height, wrapped
// into lines if the label wraps.
bool text_fits(const QLabel& label, int width);

// The least width from `width` up to `max_width` at which the whole text shows; `max_width` when
// even that is too narrow.
int width_for_text(const QLabel& label, int width, int max_width);

}  // namespace vimbrel
