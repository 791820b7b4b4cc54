// The About box and its sliding logo animation.
#include "dialogs/about_box.h"

#include "door_animation.h"
#include "twips.h"
#include "twips_placement.h"
#include "window_centring.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <thread>
#include <utility>

namespace vimbrel {

namespace {

// An image as a picture widget holds it: its transparent parts filled with the background.
QPixmap on_background(const QPixmap& image, const QColor& background) {
    if (image.isNull()) return image;
    QPixmap flat(image.size());
    flat.setDevicePixelRatio(image.devicePixelRatio());
    flat.fill(background);
    QPainter painter(&flat);
    painter.drawPixmap(0, 0, image);
    return flat;
}

// Stands in for removing the window menu's size, minimize and maximize entries: the box keeps
// a title and a close button only.
void strip_window_menu(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

// Every text of the box is bold, the title as well as the credits.
QLabel* add_label(QWidget* parent, const char* name, const QString& text, const TwipsRect& place) {
    auto* label = make_in_twips<QLabel>(parent, name, text, place);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    return label;
}

}  // namespace

// The visible logo. At rest it shows its resting image; during a sweep, each frame just
// composed in the scratch picture, painted before show_now returns.
class LogoPicture final : public QWidget {
public:
    using QWidget::QWidget;

    void set_resting(const QPixmap& image) { resting_ = image; }

    // Copies the top-left size of frame onto the picture, on the screen at once.
    void show_now(const QPixmap& frame, QSize size) {
        frame_ = &frame;
        frame_size_ = size;
        repaint();
        frame_ = nullptr;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QPixmap& shown = frame_ ? *frame_ : resting_;
        const QSize size = frame_ ? frame_size_ : resting_.deviceIndependentSize().toSize();
        copy_columns(painter, shown, 0, 0, size.width(), size.height());
    }

private:
    QPixmap resting_;
    const QPixmap* frame_ = nullptr;
    QSize frame_size_;
};

AboutBox::AboutBox(const QPixmap& back, const QPixmap& emblem, QPixmap& temp_pic,
                   std::function<int()> game_speed, QWidget* parent)
    : QDialog(parent), back_(back), temp_pic_(temp_pic), game_speed_(std::move(game_speed)) {
    setObjectName(QStringLiteral("aboutbox"));
    //: Title of the About box; %1 is the program's name.
    setWindowTitle(tr("About %1").arg(QStringLiteral(VIMBREL_NAME)));
    setWindowIcon(QIcon());  // the emblem is in the box itself, not in its title bar
    setAttribute(Qt::WA_DeleteOnClose);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    strip_window_menu(*this);
    const Twips twips(parent);
    setFixedSize(twips.size(5745, 3195));

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &AboutBox::tick);

    const QPixmap picture = on_background(emblem, palette().color(QPalette::Base));
    const QSize picture_size = picture.deviceIndependentSize().toSize();
    //: Screen readers: the About box's picture of the game's emblem; %1 is the program's name.
    const QString emblem_name = tr("%1 emblem").arg(QStringLiteral(VIMBREL_NAME));
    origin_logo_ = new QLabel(this);
    origin_logo_->setObjectName(QStringLiteral("origin_logo"));
    origin_logo_->setPixmap(picture);
    set_reading_geometry(*origin_logo_, QRect(twips.point(4680, 120), picture_size));
    origin_logo_->hide();
    origin_logo_->setAccessibleName(emblem_name);

    //: About box: the button that closes it. About 18 letters at most.
    auto* thanks = make_in_twips<QPushButton>(this, "Command1", tr("Thanks for Playing"),
                                              {360, 1800, 1935, 375});
    connect(thanks, &QPushButton::clicked, this, &QDialog::accept);

    logo_ = new LogoPicture(this);
    logo_->setObjectName(QStringLiteral("logo"));
    set_reading_geometry(*logo_, QRect(twips.point(240, 120), picture_size));
    logo_->set_resting(picture);
    logo_->setAccessibleName(emblem_name);

    //: About box, the title line in bold; %1 is the program's name, %2 its version (3.0). Keep
    //: "Windows95".
    QLabel* title =
        add_label(this, "Label1",
                  tr("%1 %2 for Windows95")
                      .arg(QStringLiteral(VIMBREL_NAME), QStringLiteral(VIMBREL_SHORT_VERSION)),
                  {1080, 240, 3495, 255});
    title->setWordWrap(false);
    //: About box: what the game is, in three lines at most.
    add_label(this, "Label2",
              tr("A memory card game for one player against a forgetful computer, "
                 "or for two players."),
              {1080, 660, 4455, 690});  // three lines of bold text
    //: About box: %1 is the version number.
    add_label(this, "Label3", tr("Version %1").arg(QStringLiteral(VIMBREL_VERSION)),
              {1080, 1380, 4455, 255});
    //: About box: who drew the card pictures, and their licence; two lines at most. Keep the
    //: names "Twemoji" and "Twitter, Inc" and the licence's name "CC-BY 4.0".
    add_label(this, "Label4",
              tr("Card pictures: Twemoji by Twitter, Inc and other contributors, "
                 "CC-BY 4.0"),
              {360, 2280, 5145, 450});
    //: About box: the web page of the card pictures' licence. Its line has no room for a longer
    //: address (such as the page in your language, .../deed.de): keep it as it is.
    add_label(this, "Label5", tr("https://creativecommons.org/licenses/by/4.0/"),
              {360, 2730, 5145, 255});
    //: About box, beside the button: the toolkit the game is built with and its licence; two
    //: short lines at most.
    add_label(this, "Label6", tr("Uses the Qt toolkit under the GNU LGPL v3."),
              {2520, 1770, 2985, 450});

    centre_on_screen(*this, parent);  // once, by the outer size

    const QSize card = back_.deviceIndependentSize().toSize();
    w_ = card.width();
    h_ = card.height();
    timer_->start();
}

void AboutBox::tick() {
    timer_->stop();
    if (phase_ == 1) {
        phase_ = 0;
        logo_->set_resting(origin_logo_->pixmap());
        sweep(CardMotion::open);
    } else {
        sweep(CardMotion::close);
        phase_ = 1;
        logo_->set_resting(back_);
    }
    timer_->start();
}

// Covering, the card back slides in from the left over the emblem, which stays in place, as a
// card closes; uncovering, it slides out to the right and the emblem shows from the left, as a card
// opens (mirrored right to left, as the board's cards are). Every step is composed in temp_pic and
// put on the screen at once.
void AboutBox::sweep(CardMotion motion) {
    for (int i = 1; i <= w_; ++i) {
        compose_door_step(temp_pic_, motion, i, origin_logo_->pixmap(), back_, {w_, h_},
                          layoutDirection());
        show_frame_and_pause();
    }
}

// The pause sleeps rather than spins, and lets no event through, so that input waits until
// the sweep is over.
void AboutBox::show_frame_and_pause() {
    logo_->show_now(temp_pic_, {w_, h_});
    const int speed = game_speed_ ? game_speed_() : 0;
    if (speed > 0) std::this_thread::sleep_for(std::chrono::microseconds(speed) * 500);
}

}  // namespace vimbrel
