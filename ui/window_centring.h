// Centring a top-level window on its screen by its outer size, frame included.
#pragma once

class QWidget;

namespace vimbrel {

// Places `window`, not yet shown, in the middle of its screen, once. The window manager adds
// its frame only when the window is first shown, so the frame is estimated until then: as the
// frame of `framed_like` (a window already on the screen), or as nothing. When the window is
// first exposed its real frame is known and it is centred again by it if the estimate was off.
// With no window manager the frame is the window itself. Later showings keep the position.
void centre_on_screen(QWidget& window, const QWidget* framed_like = nullptr);

}  // namespace vimbrel
