// Building the start dialog and handing its choices over.
#include "dialogs/start_dialog.h"

#include "twips.h"
#include "window_centring.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace vimbrel {

namespace {

// Places are given in twips, relative to the widget's parent. A caption wider or taller than its
// place in the platform's font widens the widget rather than being cut off.
void place(QWidget* widget, int left, int top, int width, int height) {
    const Twips twips(widget);
    const QSize fit = widget->sizeHint();
    widget->setGeometry(twips.x(left), twips.y(top), std::max(twips.x(width), fit.width()),
                        std::max(twips.y(height), fit.height()));
}

template <typename Widget>
Widget* make(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
             int height) {
    auto* widget = new Widget(caption, parent);
    widget->setObjectName(QString::fromLatin1(name));
    place(widget, left, top, width, height);
    return widget;
}

}  // namespace

StartDialog::StartDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("begin"));
    setWindowTitle(QStringLiteral("Welcome !! Please Select --"));
    setWindowIcon(QIcon());
    setFixedSize(Twips(parent).size(5115, 3720));

    auto* frame1 = make<QGroupBox>(this, "Frame1", QStringLiteral("Players Mode"), 360, 120, 4455, 855);
    option1_ = make<QRadioButton>(frame1, "Option1", QStringLiteral("1P vs Computer"), 240, 360, 1455, 195);
    option2_ = make<QRadioButton>(frame1, "Option2", QStringLiteral("1P vs 2P"), 2160, 360, 1455, 255);
    auto* frame2 = make<QGroupBox>(this, "Frame2", QStringLiteral("Board Size"), 360, 1080, 4455, 1575);
    six_ = make<QRadioButton>(frame2, "six", QStringLiteral("6 x 6"), 240, 360, 1455, 375);
    eight_ = make<QRadioButton>(frame2, "eight", QStringLiteral("8 x 8"), 240, 600, 1575, 495);
    ten_ = make<QRadioButton>(frame2, "ten", QStringLiteral("10 x 10"), 240, 960, 1455, 375);
    command1_ = make<QPushButton>(this, "Command1", QStringLiteral("OK"), 1920, 3000, 1455, 495);
    option1_->setChecked(true);
    eight_->setChecked(true);

    // OK comes first, then the two frames' buttons in reading order.
    setTabOrder(command1_, option1_);
    setTabOrder(option1_, option2_);
    setTabOrder(option2_, six_);
    setTabOrder(six_, eight_);
    setTabOrder(eight_, ten_);
    command1_->setDefault(true);
    command1_->setFocus();

    connect(command1_, &QPushButton::clicked, this, &StartDialog::ok);
    centre_on_screen(*this, parent);
}

Players StartDialog::players() const {
    return option1_->isChecked() ? Players::vs_computer : Players::two_people;
}

int StartDialog::board_size() const {
    if (six_->isChecked()) return 6;
    if (eight_->isChecked()) return 8;
    return 10;
}

void StartDialog::ok() {
    emit chosen(players(), board_size());
    hide();
}

void StartDialog::closeEvent(QCloseEvent* event) {
    closed_through_frame_ = true;
    event->accept();
}

}  // namespace vimbrel
