// Building the start dialog and handing its choices over.
#include "dialogs/start_dialog.h"

#include "settings.h"
#include "twips.h"
#include "twips_placement.h"
#include "window_centring.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

namespace vimbrel {

namespace {

// The height, in its parent's pixels, at which the style centres an option's caption.
int caption_middle(const QRadioButton* option) {
    QStyleOptionButton style_option;
    style_option.initFrom(option);
    style_option.text = option->text();
    const QRect caption =
        option->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &style_option, option);
    return option->y() + (caption.top() + caption.bottom() + 1) / 2;
}

// The options of a column overlap where they are placed: an option's place reaches into its
// neighbour's caption, and the later one, on top, takes the clicks there. Each option is cut down
// to the band between the midpoints to its neighbours' captions, so that a click anywhere on a
// caption chooses that caption's option. The captions stay where they are.
template <std::size_t N>
void keep_apart(const std::array<QRadioButton*, N>& column) {
    std::array<int, N> middle{};
    for (std::size_t i = 0; i < N; ++i) middle[i] = caption_middle(column[i]);
    for (std::size_t i = 0; i < N; ++i) {
        QRadioButton* option = column[i];
        const int top =
            i == 0 ? std::numeric_limits<int>::min() / 2 : (middle[i - 1] + middle[i] + 1) / 2;
        const int bottom =
            i + 1 == N ? std::numeric_limits<int>::max() / 2 : (middle[i] + middle[i + 1] + 1) / 2;
        const QRect band(0, top - option->y(), option->width(), bottom - top);
        option->setMask(QRegion(band.intersected(option->rect())));
    }
}

// A caption that widened `left` into `right`, its neighbour on the same line, moves `right` on
// by as much, as far as their frame has room.
// Right to left, "left" and "right" are as a left-to-right reader sees them: mirrored.
void make_room_beside(const QWidget* left, QWidget* right) {
    const int gap = Twips(right).x(60);
    const QRect first = reading_geometry(*left);
    const QRect second = reading_geometry(*right);
    const int overlap = first.right() + gap - second.x();
    if (overlap <= 0) return;
    const QRect inside = right->parentWidget()->contentsRect();
    const int room = mirrored_in(*right->parentWidget(), inside).right() - second.right();
    set_reading_geometry(*right, second.translated(std::min(overlap, std::max(room, 0)), 0));
}

// Moves the selection within a group of options by the arrow keys: Down and Right to the next
// option, Up and Left to the one before, whichever way the group is laid out (Left and Right
// swapped in a mirrored, right-to-left dialog, so that they move the way they point). Qt's own
// handling looks for a neighbour in the key's direction only, so Up and Down did nothing in a row
// of options and Left and Right nothing in a column.
class ArrowsInGroup final : public QObject {
public:
    ArrowsInGroup(std::vector<QRadioButton*> group, QObject* parent)
        : QObject(parent), group_(std::move(group)) {
        for (QRadioButton* option : group_) option->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        const bool mirrored =
            watched->isWidgetType() && static_cast<QWidget*>(watched)->isRightToLeft();
        const int right = mirrored ? -1 : 1;
        int step = 0;
        switch (key->key()) {
            case Qt::Key_Down:
                step = 1;
                break;
            case Qt::Key_Up:
                step = -1;
                break;
            case Qt::Key_Right:
                step = right;
                break;
            case Qt::Key_Left:
                step = -right;
                break;
            default:
                return false;
        }
        const auto at = std::find(group_.begin(), group_.end(), watched);
        if (at == group_.end()) return false;
        const auto to = (at - group_.begin()) + step;
        if (to >= 0 && to < static_cast<std::ptrdiff_t>(group_.size())) {
            QRadioButton* option = group_[static_cast<std::size_t>(to)];
            option->click();
            option->setFocus(Qt::OtherFocusReason);
        }
        return true;
    }

private:
    std::vector<QRadioButton*> group_;
};

// Tab enters a group of options at its selected one and leaves the group from there, as on every
// desktop; the arrow keys move the selection within the group. Only the selected option takes
// the focus by Tab; the others still take it by a click.
template <std::size_t N>
void tab_to_selected(const std::array<QRadioButton*, N>& group) {
    const auto follow = [group] {
        for (QRadioButton* option : group)
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton* option : group)
        QObject::connect(option, &QRadioButton::toggled, option, follow);
    follow();
    new ArrowsInGroup(std::vector<QRadioButton*>(group.begin(), group.end()), group[0]);
}

}  // namespace

StartDialog::StartDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("begin"));
    //: Title of the dialog before each game that asks who plays and how many cards. Keep the
    //: playful "!!" and "--".
    setWindowTitle(tr("Welcome !! Please Select --"));
    setWindowIcon(QIcon());
    setFixedSize(Twips(parent).size(5115, 3720));

    //: Start dialog: the frame around the choice of who plays.
    auto* players_frame = make_in_twips<QGroupBox>(this, "Frame1", tr("Players Mode"),
                                                   {360, 120, 4455, 855}, TwipsFit::grow_to_hint);
    //: Start dialog: one person against the computer. Sits left of "1P vs 2P" on one line.
    versus_computer_ = make_in_twips<QRadioButton>(players_frame, "Option1", tr("1P vs Computer"),
                                                   {240, 360, 1455, 195}, TwipsFit::grow_to_hint);
    //: Start dialog: two people taking turns at one computer.
    two_people_ = make_in_twips<QRadioButton>(players_frame, "Option2", tr("1P vs 2P"),
                                              {2160, 360, 1455, 255}, TwipsFit::grow_to_hint);
    //: Start dialog: the frame around the choice of the board size.
    auto* size_frame = make_in_twips<QGroupBox>(this, "Frame2", tr("Board Size"),
                                                {360, 1080, 4455, 1575}, TwipsFit::grow_to_hint);
    //: Start dialog: a board of 6 rows of 6 cards.
    six_ = make_in_twips<QRadioButton>(size_frame, "six", tr("6 x 6"), {240, 360, 1455, 375},
                                       TwipsFit::grow_to_hint);
    //: Start dialog: a board of 8 rows of 8 cards.
    eight_ = make_in_twips<QRadioButton>(size_frame, "eight", tr("8 x 8"), {240, 600, 1575, 495},
                                         TwipsFit::grow_to_hint);
    //: Start dialog: a board of 10 rows of 10 cards.
    ten_ = make_in_twips<QRadioButton>(size_frame, "ten", tr("10 x 10"), {240, 960, 1455, 375},
                                       TwipsFit::grow_to_hint);
    //: Start dialog: the button that starts the game with the choices made.
    ok_button_ = make_in_twips<QPushButton>(this, "Command1", tr("OK"), {1920, 3000, 1455, 495},
                                            TwipsFit::grow_to_hint);
    make_room_beside(versus_computer_, two_people_);
    versus_computer_->setChecked(true);
    eight_->setChecked(true);
    keep_apart(std::array{six_, eight_, ten_});
    tab_to_selected(std::array{versus_computer_, two_people_});
    tab_to_selected(std::array{six_, eight_, ten_});

    // OK comes first, then the two frames' buttons in reading order.
    setTabOrder(ok_button_, versus_computer_);
    setTabOrder(versus_computer_, two_people_);
    setTabOrder(two_people_, six_);
    setTabOrder(six_, eight_);
    setTabOrder(eight_, ten_);
    ok_button_->setDefault(true);
    ok_button_->setFocus();

    connect(ok_button_, &QPushButton::clicked, this, &StartDialog::ok);
    centre_on_screen(*this, parent);
}

Players StartDialog::players() const {
    return versus_computer_->isChecked() ? Players::vs_computer : Players::two_people;
}

int StartDialog::board_size() const {
    // The options stand in the order of the sizes; one of them is always checked.
    const std::array options{six_, eight_, ten_};
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked()) return board_sizes[i];
    }
    return default_board_size;
}

void StartDialog::ok() {
    emit chosen(players(), board_size());
    accept();
}

// The frame closes it with QDialog's own rejection, since this class's reject (Escape) does
// nothing.
void StartDialog::closeEvent(QCloseEvent* event) {
    QDialog::reject();
    event->accept();
}

}  // namespace vimbrel
