// The engine's services on Qt: timers, drawing, labels, menus, pointer, sound, chance and clock.
#include "board/qt_game_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <utility>

#include "board/board_view.h"
#include "board/card_pictures.h"
#include "board/status_panel.h"
#include "game.h"
#include "reader_bus.h"
#include "translations.h"

namespace vimbrel {

namespace {

// How long a message box waits, while a screen reader listens, for the reader to take the news
// told just before it: Orca 48 spoke the computer's cards 104 to 147 ms after the game told them,
// on a loaded machine (docs/accessibility.md); this is twice the longest.
constexpr int before_box_ms = 300;

// How wide a message must be for a window manager to show the box's `title` whole: the title in
// the title-bar font, which window managers commonly draw bold, beside four title-bar buttons
// (window menu, minimize, maximize, close), each about as wide as the bar is high. The box's own
// margins around the message give the title its margins.
int width_for_title(const QString& title) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = metrics.height() + metrics.height() / 2;
    return metrics.horizontalAdvance(title) + 4 * bar;
}

// A whole number in VIMBREL_SEED makes the window's chance replayable, for tests and for chasing a
// fault: the generator starts from it, and the clock that each deal's warm-up reads stands at
// 00:00. A player never sets it: chance then comes from the system's entropy and the warm-up from
// the clock.
std::optional<std::uint64_t> seed_from_environment() {
    bool ok = false;
    const std::uint64_t seed = qEnvironmentVariable("VIMBREL_SEED").toULongLong(&ok);
    return ok ? std::optional(seed) : std::nullopt;
}

// Both players' points at the end, by the names the panel shows: "You: 90 points, Computer: 60
// points."
QString final_scores(const GameEvent& e) {
    const auto name = [&](std::string_view versus_computer, std::string_view two_people) {
        return game_text(e.versus_computer ? versus_computer : two_people);
    };
    //: End of the game, below who won: both players' points. %1 and %3 are the names shown in
    //: the side panel ("You", "Computer" or "Player 1", "Player 2"), %2 and %4 their points
    //: ("90 points").
    return QCoreApplication::translate("vimbrel::QtGameView", "%1: %2, %3: %4.")
        .arg(name(text::you, text::player1), points(e.score), name(text::computer, text::player2),
             points(e.other_score));
}

}  // namespace

QtGameView::QtGameView(const BoardParts& parts)
    : parts_(parts),
      seed_(seed_from_environment()),
      random_(seed_ ? RandomGenerator(*seed_) : RandomGenerator::from_entropy()) {}

QtGameView::~QtGameView() {
    // Qt's override cursor is application-wide and would outlive the window.
    if (busy_) QGuiApplication::restoreOverrideCursor();
}

ViewMetrics QtGameView::metrics() {
    ViewMetrics m;
    const QSize card = parts_.pictures->card_size();
    m.card_width = card.width();
    m.card_height = card.height();
    return m;
}

QTimer* QtGameView::timer(GameTimer which) const {
    switch (which) {
        case GameTimer::time_over:
            return parts_.time_over;
        case GameTimer::next_turn:
            return parts_.next_turn;
        case GameTimer::com_timer:
            return parts_.com_timer;
    }
    return parts_.time_over;
}

void QtGameView::start_timer(GameTimer which) {
    timer(which)->start();
}

void QtGameView::stop_timer(GameTimer which) {
    timer(which)->stop();
}

void QtGameView::stop_all_timers() {
    parts_.time_over->stop();
    parts_.next_turn->stop();
    parts_.com_timer->stop();
}

void QtGameView::animate_card(CardMotion motion, int row, int col, int face, int door_delay) {
    parts_.view->animate_card(motion, row, col, face, door_delay);
}

void QtGameView::reveal_card(int row, int col, int face) {
    parts_.view->reveal_card(row, col, face);
}

void QtGameView::redraw_board() {
    parts_.redraw_board();
}

void QtGameView::show_score(int index, int value) {
    parts_.panel->set_score(index, value);
}

void QtGameView::show_player_names(std::string_view first, std::string_view second) {
    parts_.panel->set_names(game_text(first), game_text(second));
}

void QtGameView::show_status(std::string_view text) {
    parts_.panel->set_status(game_text(text));
}

void QtGameView::show_round(int round) {
    parts_.panel->set_round(round);
}

void QtGameView::enable_menu_item(MenuItem item, bool enabled) {
    (item == MenuItem::show_cards ? parts_.show_cards : parts_.about)->setEnabled(enabled);
}

void QtGameView::set_busy_pointer(bool busy) {
    // The override cursor is a stack: push once when busy starts, pop once when it ends.
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtGameView::beep() {
    bell_.ring();
}

void QtGameView::message_box(std::string_view text, std::string_view title) {
    // Orca 48 takes a new window's events before any other news still in its queue: the last
    // pair, told just before, was heard after the box in 2 of 5 games. The box waits until the
    // reader has taken that news, answering its calls meanwhile and delivering nothing else.
    reader_bus::answer_for(before_box_ms);
    // A screen reader keeps asking about a box it has read after the box has closed (Qt never
    // tells it a window was destroyed), and Qt answers each question about an object it no longer
    // has with a warning: the box stays, hidden, until the next one replaces it (one still open
    // further down the stack stays with the window, which owns it).
    if (last_box_ && !last_box_->isVisible()) delete last_box_;
    last_box_ = new QMessageBox(QMessageBox::NoIcon, game_text(title), game_text(text),
                                QMessageBox::Ok, parts_.window);
    QMessageBox& box = *last_box_;
    // The end's box shows the final scores below who won; a screen reader reads both as it opens.
    box.setInformativeText(std::exchange(final_scores_, QString()));
    // Plain labels, before they are laid out: selectable ones lay their text out in a document
    // whose every change Qt tells a reader as a text event of the label, which a label cannot take
    // (Qt warns each time).
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextInteractionFlags(Qt::NoTextInteraction);
    // A box as narrow as its message would have its title cut short by the window manager. The
    // box sizes itself from its layout's minimum: a spacer across the foot of it keeps that wide
    // enough for the title.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width_for_title(box.windowTitle()), 0), grid->rowCount(), 0,
                      1, grid->columnCount());
    box.exec();
    parts_.view->take_keyboard_focus();
}

void QtGameView::yield() {
    parts_.panel->repaint_now();
    reader_bus::answer();
}

double QtGameView::random() {
    return random_.next();
}

void QtGameView::happened(const GameEvent& event) {
    if (event.kind == GameEvent::Kind::game_over) final_scores_ = final_scores(event);
    parts_.happened(event);
}

TimeOfDay QtGameView::time_of_day() {
    if (seed_) return {0, 0};
    const QTime now = QTime::currentTime();
    return {now.second(), now.minute()};
}

}  // namespace vimbrel
