// Building the game speed dialog.
#include "dialogs/speed_control.h"

#include "settings.h"
#include "text_room.h"
#include "twips.h"
#include "twips_placement.h"
#include "window_centring.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace vimbrel {

namespace {

constexpr int tick_spacing = 10;  // a mark every tenth of the way, matching the page keys

}  // namespace

SpeedControl::SpeedControl(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Speed_control"));
    //: Title of the dialog with the slider that sets how fast the cards open and close.
    setWindowTitle(tr("Game Speed"));
    setWindowIcon(QIcon());  // a dialog of its own, without the program's emblem
    setFixedSize(Twips(parent).size(4650, 1200));

    //: Game Speed dialog: closes it and keeps the speed set.
    auto* ok = make_in_twips<QPushButton>(this, "Command1", tr("OK"), {1800, 720, 1095, 375});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("Hscroll1"));
    slider_->setRange(min_door_delay, max_door_delay);
    slider_->setSingleStep(1);
    slider_->setPageStep(10);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(tick_spacing);
    // The marks need a little more height than the bare track; the slider grows downwards,
    // towards the labels, and keeps its place and width (far wider than the slider's hint).
    place_in_twips(*slider_, {480, 240, 3735, 270}, TwipsFit::grow_to_hint);
    slider_->setValue(default_door_delay);
    //: Screen readers: the name of the slider in the Game Speed dialog.
    slider_->setAccessibleName(tr("Game speed"));
    //: Screen readers: how the Game Speed slider works.
    slider_->setAccessibleDescription(tr("Fast at the left end, slow at the right end"));

    //: Game Speed dialog: the caption under the slider's left end. Short: about 5 letters.
    auto* fast = make_in_twips<QLabel>(this, "Label1", tr("Fast"), {480, 600, 495, 255});
    //: Game Speed dialog: the caption under the slider's right end. Short: about 6 letters.
    auto* slow = make_in_twips<QLabel>(this, "Slow", tr("Slow"), {3840, 600, 615, 255});
    // A longer caption keeps its place under its end of the slider: "Fast" grows towards the
    // middle, and so does "Slow". Right to left the slider's fast end is at the right, and the
    // captions are mirrored with it.
    const QRect fast_place = reading_geometry(*fast);
    set_reading_geometry(*fast,
                         {fast_place.topLeft(),
                          QSize(width_for_text(*fast, fast_place.width(), width() - fast_place.x()),
                                fast_place.height())});
    const QRect slow_place = reading_geometry(*slow);
    const int slow_width = width_for_text(*slow, slow_place.width(), slow_place.right() + 1);
    set_reading_geometry(*slow, {slow_place.right() + 1 - slow_width, slow_place.y(), slow_width,
                                 slow_place.height()});

    // The labels take no focus: OK has it when the dialog first opens, the slider comes next.
    setTabOrder(ok, slider_);
    ok->setFocus();

    // Centred once, by the outer size; hiding and showing again keeps the position.
    centre_on_screen(*this, parent);
}

// Escape does what OK does: the dialog has no Cancel, and a player who presses Escape expects
// to keep the speed. Closing it through its frame still throws it away (see KeptDialog).
void SpeedControl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int SpeedControl::value() const {
    return slider_->value();
}

}  // namespace vimbrel
