// The board window `board`: the card grid, the status panel, the menus and the three timers.
#pragma once

#include <QMainWindow>

#include <chrono>
#include <memory>

#include "board/card_pictures.h"
#include "board/qt_game_view.h"
#include "dialogs/speed_control.h"
#include "dialogs/start_dialog.h"
#include "game.h"
#include "kept_dialog.h"

class QTimer;

namespace vimbrel {

class BoardMenus;
class BoardView;
class QueuedInputGate;
class StatusPanel;

// Owns the game and everything it is shown with. Wires the widgets' events to the engine and
// keeps the window's layout rules: at least the grid plus the panel, the panel docked right.
class BoardWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit BoardWindow(CardPictures pictures, QWidget* parent = nullptr);
    ~BoardWindow() override;

    Game& game() { return *game_; }
    const CardPictures& pictures() const { return pictures_; }
    BoardView* board_view() const { return parts_.view; }
    StatusPanel* panel() const { return parts_.panel; }
    BoardMenus& menus() { return *menus_; }
    // The start dialog while it exists (it is created on first use).
    StartDialog* start_dialog() const;

    // New: the start dialog, modal, then a new game however the dialog was closed.
    void new_game();
    // Game Speed: the speed dialog, modal, then its slider becomes the animation speed.
    void choose_game_speed();
    // About: a fresh About box, modal; it is destroyed when it closes.
    void show_about();
    // The game speed dialog's holder; the dialog exists only once it has been needed.
    KeptDialog<SpeedControl>& speed_control() { return speed_control_; }
    // The client size the current board needs below the menu bar: the grid plus the panel, as
    // tall as the taller of the two.
    QSize board_client_size() const;
    // Whether the board takes clicks and keys now; not until the input queued while a turn
    // settled has been dropped.
    bool board_takes_input() const;

signals:
    // What happened in the game, as the engine tells it: what a screen reader's narrator says.
    void happened(const vimbrel::GameEvent& event);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A game timer whose tick calls `tick`; when that settles the turn, the board drops the input
    // queued meanwhile and takes none for `hold`.
    QTimer* make_timer(const char* name, int interval_ms, void (Game::*tick)(),
                       std::chrono::milliseconds hold = {});
    void connect_menus();
    void connect_start_dialog(StartDialog& begin);
    // Whether a menu command may run now.
    bool takes_commands() const;
    // Runs a settings command, then shows the engine's settings as check marks again.
    template <typename Command>
    void run_setting(Command command);
    void first_paint();
    void redraw_board();
    void apply_size_rule();
    void spring_back();
    void forget_refused_size();
    void dock_panel();
    void exit_program();
    void destroy_dialogs();

    CardPictures pictures_;
    BoardParts parts_;  // what the engine's services reach; filled in as the widgets are built
    std::unique_ptr<BoardMenus> menus_;
    std::unique_ptr<QtGameView> game_view_;
    std::unique_ptr<Game> game_;
    QueuedInputGate* gate_ = nullptr;
    KeptDialog<StartDialog> start_dialog_;
    KeptDialog<SpeedControl> speed_control_{this};
    QSize refused_size_;   // a too-small size the window system kept after the window sprang back
    bool ending_ = false;  // Exit or close has begun: nothing more reaches the game
};

}  // namespace vimbrel
