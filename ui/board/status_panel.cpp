// Building the status panel and writing its labels.
#include "board/status_panel.h"

#include <QLabel>

namespace vimbrel {

namespace {

constexpr int twips_per_pixel = 15;
const QColor panel_grey(192, 192, 192);

// Places are given in twips from the panel's top-left corner.
QLabel* make_label(QWidget* panel, const char* name, const QString& text, Qt::Alignment align,
                   int left, int top, int width, int height) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(align);
    label->setGeometry(left / twips_per_pixel, top / twips_per_pixel, width / twips_per_pixel,
                       height / twips_per_pixel);
    label->setAutoFillBackground(true);
    return label;
}

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent) {
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
}

void StatusPanel::set_score(int index, int value) {
    if (index == 0 || index == 1) score_[index]->setText(QString::number(value));
}

void StatusPanel::set_names(const QString& first, const QString& second) {
    player_name_[0]->setText(first);
    player_name_[1]->setText(second);
}

void StatusPanel::set_status(const QString& text) { status_->setText(text); }

void StatusPanel::set_round(int round) { round_->setText(QString::number(round)); }

void StatusPanel::repaint_now() { repaint(); }

}  // namespace vimbrel
