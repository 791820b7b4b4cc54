// Building the status panel and writing its labels.
#include "board/status_panel.h"

#include "twips.h"

#include <QLabel>

namespace vimbrel {

namespace {

const QColor panel_grey(192, 192, 192);

// Places are given in twips from the panel's top-left corner.
QLabel* make_label(QWidget* panel, const char* name, const QString& text, Qt::Alignment align,
                   int left, int top, int width, int height) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(align);
    label->setGeometry(Twips(panel).rect(left, top, width, height));
    label->setAutoFillBackground(true);
    return label;
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("display"));
    setAccessibleName(QStringLiteral("Status"));
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

    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    player_name_[0] = make_label(this, "player_name_0", QStringLiteral("You"), centre, 360, 240, 975, 255);
    score_[0] = make_label(this, "score_0", QStringLiteral("0"), right, 960, 480, 495, 255);
    player_name_[1] = make_label(this, "player_name_1", QStringLiteral("Computer"), centre, 360, 960, 975, 255);
    score_[1] = make_label(this, "score_1", QStringLiteral("0"), right, 960, 1200, 495, 255);
    status_ = make_label(this, "label", QStringLiteral("Your turn."), Qt::AlignLeft | Qt::AlignTop, 360, 1680,
                         975, 495);
    status_->setWordWrap(true);  // two lines high: "Computer thinking..." takes both
    make_label(this, "Label1", QStringLiteral("Round :"), left, 240, 2400, 735, 255);
    round_ = make_label(this, "round", QStringLiteral("0"), right, 960, 2400, 495, 255);

    // The names and the turn text speak for themselves; the numbers are named for their meaning.
    player_name_[0]->setAccessibleDescription(QStringLiteral("Player 1"));
    player_name_[1]->setAccessibleDescription(QStringLiteral("Player 2"));
    score_[0]->setAccessibleDescription(QStringLiteral("Score of player 1"));
    score_[1]->setAccessibleDescription(QStringLiteral("Score of player 2"));
    status_->setAccessibleDescription(QStringLiteral("Whose turn it is"));
    round_->setAccessibleDescription(QStringLiteral("Round number"));
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
    name_score(0);
    name_score(1);
}

void StatusPanel::set_status(const QString& text) { status_->setText(text); }

void StatusPanel::set_round(int round) {
    round_->setText(QString::number(round));
    round_->setAccessibleName(QStringLiteral("Round ") + round_->text());
}

void StatusPanel::name_score(int index) {
    score_[index]->setAccessibleName(
        QStringLiteral("%1: %2 points").arg(player_name_[index]->text(), score_[index]->text()));
}

void StatusPanel::repaint_now() { repaint(); }

}  // namespace vimbrel
