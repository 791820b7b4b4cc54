// Building the board window, wiring it to the game, and its size and lifecycle rules.
#include "board/board_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>

#include "board/board_menus.h"
#include "board/board_view.h"
#include "board/queued_input_gate.h"
#include "board/status_panel.h"
#include "dialogs/about_box.h"
#include "reader_bus.h"
#include "window_centring.h"

namespace vimbrel {

namespace {

// A player who runs out of time may still press for a second card: a sighted one sees "Time over."
// at once, a blind one hears it a moment later, and under a screen reader a key reaches the game
// later still (docs/testing.md gives the figures). So after a time over hands the turn to the
// other person, the board takes no input for that long and a margin: too short for that person,
// who has to learn first that the turn is theirs, to notice.
constexpr std::chrono::milliseconds after_time_over{750};

}  // namespace

BoardWindow::BoardWindow(CardPictures pictures, QWidget* parent)
    : QMainWindow(parent),
      pictures_(std::move(pictures)),
      start_dialog_(this, [this](StartDialog& begin) { connect_start_dialog(begin); }) {
    setObjectName(QStringLiteral("board"));
    setWindowTitle(QStringLiteral(VIMBREL_NAME));
    setWindowIcon(pictures_.emblem());

    reader_bus::watch();
    parts_.window = this;
    parts_.pictures = &pictures_;
    parts_.redraw_board = [this] { redraw_board(); };
    parts_.happened = [this](const GameEvent& event) { emit happened(event); };
    game_view_ = std::make_unique<QtGameView>(parts_);
    game_ = std::make_unique<Game>(*game_view_);

    parts_.view = new BoardView(game_->state(), pictures_, this);
    setCentralWidget(parts_.view);
    parts_.view->installEventFilter(this);
    // Beside the grid, not inside it: assistive technology counts the grid's cells only.
    parts_.panel = new StatusPanel(this);
    gate_ = new QueuedInputGate(parts_.view, this);
    connect(parts_.view, &BoardView::chosen, this, [this](int x, int y) {
        if (!ending_) game_->pick(x, y);
    });
    // The window's one focusable widget has the keys from the moment the window is first active.
    parts_.view->setFocus(Qt::OtherFocusReason);
    connect(parts_.view, &BoardView::painted, this, &BoardWindow::first_paint);

    // A time over that passes the turn holds the board a while; the judgements only drop what was
    // queued meanwhile.
    parts_.time_over =
        make_timer("time_over", time_limit_ms, &Game::time_over_tick, after_time_over);
    parts_.com_timer = make_timer("com_timer", judge_pause_ms, &Game::com_timer_tick);
    parts_.next_turn = make_timer("next_turn", judge_pause_ms, &Game::next_turn_tick);

    menus_ = std::make_unique<BoardMenus>(*menuBar());
    parts_.show_cards = menus_->show_cards;
    parts_.about = menus_->about;
    connect_menus();
    menus_->sync(game_->settings());

    apply_size_rule();
    resize(minimumSize());
    centre_on_screen(*this);
}

BoardWindow::~BoardWindow() {
    // The grid reads the game's state: it goes before the game does.
    delete parts_.view;
    parts_.view = nullptr;
    parts_.panel = nullptr;
}

QTimer* BoardWindow::make_timer(const char* name, int interval_ms, void (Game::*tick)(),
                                std::chrono::milliseconds hold) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setSingleShot(true);
    // A coarse timer may fire 5 % early or late to bundle wake-ups: every player gets 5,000 ms.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(interval_ms);
    connect(timer, &QTimer::timeout, this, [this, tick, hold] {
        if (ending_) return;
        const bool locked = game_->state().cards_turned != 0;
        (game_.get()->*tick)();
        // The turn has settled: the board waits for a first card again. What was clicked or
        // pressed while the cards closed or the computer played is still queued; it goes.
        if (locked && game_->state().cards_turned == 0) gate_->close_for(hold);
    });
    return timer;
}

// A screen reader's call answered in the middle of a turn may press a menu item: it does nothing
// then, as a click on the board does.
bool BoardWindow::takes_commands() const {
    return !ending_ && !reader_bus::answering();
}

template <typename Command>
void BoardWindow::run_setting(Command command) {
    if (!takes_commands()) return;
    command();
    menus_->sync(game_->settings());
}

void BoardWindow::connect_menus() {
    BoardMenus& m = *menus_;
    connect(m.new_game, &QAction::triggered, this, &BoardWindow::new_game);
    connect(m.show_cards, &QAction::triggered, this,
            [this] { run_setting([this] { game_->show_cards(); }); });
    connect(m.quit, &QAction::triggered, this, &BoardWindow::exit_program);
    connect(m.door_speed, &QAction::triggered, this, &BoardWindow::choose_game_speed);
    connect(m.about, &QAction::triggered, this, &BoardWindow::show_about);

    const auto on = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, [this, command] { run_setting(command); });
    };
    on(m.six, [this] { game_->choose_board_size(6); });
    on(m.eight, [this] { game_->choose_board_size(8); });
    on(m.ten, [this] { game_->choose_board_size(10); });
    on(m.versus_computer, [this] { game_->choose_players(Players::vs_computer); });
    on(m.two_people, [this] { game_->choose_players(Players::two_people); });
    on(m.good_memory, [this] { game_->choose_memory_level(MemoryLevel::good); });
    on(m.normal_memory, [this] { game_->choose_memory_level(MemoryLevel::normal); });
    on(m.low_memory, [this] { game_->choose_memory_level(MemoryLevel::low); });
    on(m.ai_and_memory, [this] { game_->choose_choice_mode(ChoiceMode::ai_and_memory); });
    on(m.memory_only, [this] { game_->choose_choice_mode(ChoiceMode::memory_only); });
}

// Every start dialog built hands its choices to the game when OK is pressed.
void BoardWindow::connect_start_dialog(StartDialog& begin) {
    connect(&begin, &StartDialog::chosen, this, [this](Players players, int size) {
        run_setting([&] { game_->apply_start_choices(players, size); });
    });
}

void BoardWindow::first_paint() {
    // Runs inside a paint: the modal dialog must wait until the paint has returned.
    if (!ending_ && game_->take_first_paint()) QTimer::singleShot(0, this, &BoardWindow::new_game);
}

void BoardWindow::new_game() {
    if (!takes_commands() || start_dialog_.is_open()) return;
    // OK has written the choices by now; closed through its frame, the dialog is gone and the
    // next New builds a fresh one. Either way a new game starts.
    start_dialog_.show_modal();
    run_setting([this] { game_->start_new_game(); });
    if (!ending_) parts_.view->take_keyboard_focus();
}

StartDialog* BoardWindow::start_dialog() const {
    return start_dialog_.existing();
}

bool BoardWindow::board_takes_input() const {
    return gate_->is_open();
}

void BoardWindow::choose_game_speed() {
    if (!takes_commands()) return;
    speed_control_.show_modal();
    if (ending_) return;
    game_->set_door_delay(speed_control_.dialog().value());
    parts_.view->take_keyboard_focus();
}

void BoardWindow::show_about() {
    if (!takes_commands() || !game_->menu_item_enabled(MenuItem::about)) return;
    const qreal ratio = parts_.view->devicePixelRatioF();
    auto* box = new AboutBox(
        pictures_.back(ratio), pictures_.face(emblem_face, ratio), parts_.view->temp_pic(),
        [this] { return speed_control_.dialog().value(); }, this);
    box->exec();  // it deletes itself when it closes
    if (!ending_) parts_.view->take_keyboard_focus();
}

QSize BoardWindow::board_client_size() const {
    const GameState& s = game_->state();
    return {s.card_width * s.grid_size + parts_.panel->fixed_width(),
            std::max(s.card_height * s.grid_size, parts_.panel->least_height())};
}

void BoardWindow::redraw_board() {
    parts_.view->new_board_dealt();
    parts_.view->update();  // forget what was drawn for a previous, larger board
    apply_size_rule();
    parts_.view->repaint();
}

void BoardWindow::apply_size_rule() {
    // The main window's layout turns the grid's minimum into the window's minimum, menu bar
    // included, and grows the window when it is smaller; it never shrinks it.
    parts_.view->setMinimumSize(board_client_size());
    if (QLayout* l = layout()) {
        l->invalidate();
        l->activate();
    }
    dock_panel();
}

// Qt keeps the window at its minimum only when it resizes the window itself. The window system
// may not: with no window manager, or one that ignores size hints, a frame dragged smaller stays
// smaller, so the window springs back to the grid plus the panel here.
void BoardWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    spring_back();
    dock_panel();
}

void BoardWindow::spring_back() {
    if (isMinimized()) return;
    const QSize least = minimumSize();
    if (width() >= least.width() && height() >= least.height()) return;
    // A window manager that insists on its own size may answer the request with that size again:
    // ask once, until the window system reports a change of size, so that the two cannot trade
    // sizes for ever.
    if (size() == refused_size_) return;
    refused_size_ = size();
    if (const QWindow* native = windowHandle()) {
        connect(native, &QWindow::widthChanged, this, &BoardWindow::forget_refused_size,
                Qt::UniqueConnection);
        connect(native, &QWindow::heightChanged, this, &BoardWindow::forget_refused_size,
                Qt::UniqueConnection);
    }
    resize(size().expandedTo(least));
}

void BoardWindow::forget_refused_size() {
    refused_size_ = QSize();
}

// The panel keeps to the right edge of the part of the client area that is on show, which is all
// of it unless the window system holds the window smaller than the grid plus the panel. Right to
// left it keeps to the left edge, the far side of the mirrored grid.
void BoardWindow::dock_panel() {
    const QWidget* client = parts_.view;
    const QPoint at = client->pos();
    const int shown_width = std::min(client->width(), width() - at.x());
    const int shown_height = std::min(client->height(), height() - at.y());
    const int panel_width = parts_.panel->fixed_width();
    const int left = client->isRightToLeft() ? 0 : shown_width - panel_width;
    parts_.panel->setGeometry(at.x() + left, at.y(), panel_width, shown_height);
}

bool BoardWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::Move;
    if (watched == parts_.view && moved) dock_panel();
    return QMainWindow::eventFilter(watched, event);
}

void BoardWindow::exit_program() {
    if (reader_bus::answering()) return;
    ending_ = true;
    game_view_->stop_all_timers();
    QCoreApplication::exit(0);
}

void BoardWindow::destroy_dialogs() {
    // The game speed dialog first, then the start dialog; neither is created here.
    speed_control_.destroy();
    start_dialog_.destroy();
}

void BoardWindow::closeEvent(QCloseEvent* event) {
    ending_ = true;
    game_view_->stop_all_timers();
    destroy_dialogs();
    event->accept();
}

}  // namespace vimbrel
