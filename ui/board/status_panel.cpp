// Building the status panel and writing its labels.
#include "board/status_panel.h"

#include "game.h"
#include "text_room.h"
#include "translations.h"
#include "twips.h"
#include "twips_placement.h"

#include <QLabel>

#include <algorithm>

namespace vimbrel {

namespace {

const QColor panel_grey(192, 192, 192);

// A grey label at its place on the panel, in twips from the panel's top-left corner.
QLabel* make_label(QWidget* panel, const char* name, const QString& text, Qt::Alignment align,
                   const TwipsRect& place) {
    auto* label = make_in_twips<QLabel>(panel, name, text, place);
    label->setAlignment(reading_alignment(*panel, align));
    label->setAutoFillBackground(true);
    return label;
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent)
    : QFrame(parent), width_(Twips(this).x(panel_width_twips)) {
    setObjectName(QStringLiteral("display"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, panel_grey);
    grey.setColor(QPalette::WindowText, Qt::black);
    setPalette(grey);
    QFont bold = font();
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    setFont(bold);
    // The labels are placed across the docked width: right to left, mirrored across it.
    resize(width_, height());

    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    player_name_[0] =
        make_label(this, "player_name_0", game_text(text::you), centre, {360, 240, 975, 255});
    score_[0] = make_label(this, "score_0", QStringLiteral("0"), right, {960, 480, 495, 255});
    player_name_[1] =
        make_label(this, "player_name_1", game_text(text::computer), centre, {360, 960, 975, 255});
    score_[1] = make_label(this, "score_1", QStringLiteral("0"), right, {960, 1200, 495, 255});
    status_ = make_label(this, "label", game_text(text::your_turn), Qt::AlignLeft | Qt::AlignTop,
                         {360, 1680, 975, 495});
    status_->setWordWrap(true);  // two lines high: "Computer thinking..." takes both
    //: Side panel, caption left of the round number; the space before the colon is the game's
    //: own style. Short: about 8 narrow letters.
    make_label(this, "Label1", tr("Round :"), left, {240, 2400, 735, 255});
    round_ = make_label(this, "round", QStringLiteral("0"), right, {960, 2400, 495, 255});
    name_place_ = {reading_geometry(*player_name_[0]), reading_geometry(*player_name_[1])};
    status_place_ = reading_geometry(*status_);

    // No name: a reader says a status bar's name (or else its description) before its role, and
    // "Status status bar" says one thing twice.
    // The names and the turn text speak for themselves; the numbers are named for their meaning.
    player_name_[0]->setAccessibleDescription(game_text(text::player1));
    player_name_[1]->setAccessibleDescription(game_text(text::player2));
    //: Screen readers: what the upper number in the side panel is.
    score_[0]->setAccessibleDescription(tr("Score of player 1"));
    //: Screen readers: what the lower number in the side panel is.
    score_[1]->setAccessibleDescription(tr("Score of player 2"));
    //: Screen readers: what the turn text in the side panel tells.
    status_->setAccessibleDescription(tr("Whose turn it is"));
    //: Screen readers: what the number beside "Round :" is.
    round_->setAccessibleDescription(tr("Round number"));
    fit_name(0);
    fit_name(1);
    set_status(status_->text());
    name_score(0);
    name_score(1);
    set_round(0);
}

void StatusPanel::set_score(int index, int value) {
    if (index != 0 && index != 1) return;
    score_[index]->setText(QString::number(value));
    name_score(index);
}

void StatusPanel::set_names(const QString& first, const QString& second) {
    player_name_[0]->setText(first);
    player_name_[1]->setText(second);
    fit_name(0);
    fit_name(1);
    name_score(0);
    name_score(1);
}

void StatusPanel::set_status(const QString& text) {
    status_->setText(text);
    // Aligned to where reading starts: it grows towards where it ends, up to the panel's frame.
    const int room = width_ - frameWidth() - status_place_.x();
    set_reading_geometry(*status_, {status_place_.topLeft(),
                                    QSize(width_for_text(*status_, status_place_.width(), room),
                                          status_place_.height())});
}

void StatusPanel::set_round(int round) {
    round_->setText(QString::number(round));
    //: Screen readers: the round number in the side panel, %1 is the number.
    round_->setAccessibleName(tr("Round %1").arg(round_->text()));
}

void StatusPanel::fit_name(int index) {
    // Centred: it grows to both sides alike, so the name stays where it was, within the frame.
    QLabel* name = player_name_[index];
    const QRect place = name_place_[index];
    const int inner_left = frameWidth();
    const int inner_width = width_ - 2 * frameWidth();
    const int width = width_for_text(*name, place.width(), inner_width);
    const int left = std::clamp(place.x() - (width - place.width()) / 2, inner_left,
                                inner_left + inner_width - width);
    set_reading_geometry(*name, {left, place.y(), width, place.height()});
}

void StatusPanel::name_score(int index) {
    const int points = score_[index]->text().toInt();
    //: Screen readers: a score in the side panel; %1 is the player's name, %n the points.
    score_[index]->setAccessibleName(
        translate_count("vimbrel::StatusPanel", QT_TR_N_NOOP("%1: %n points"), points)
            .arg(player_name_[index]->text()));
}

void StatusPanel::repaint_now() {
    repaint();
}

}  // namespace vimbrel
