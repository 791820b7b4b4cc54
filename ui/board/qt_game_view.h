// The engine's window onto the world, built from the board window's widgets and Qt's services.
#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

#include "game_view.h"
#include "random_generator.h"
#include "sound/desktop_bell.h"

class QAction;
class QMessageBox;
class QTimer;
class QWidget;

namespace vimbrel {

class BoardView;
class CardPictures;
class StatusPanel;

// What of the board window the engine reaches.
struct BoardParts {
    QWidget* window = nullptr;  // parent of the message box; its screen gives the twips per pixel
    BoardView* view = nullptr;
    StatusPanel* panel = nullptr;
    const CardPictures* pictures = nullptr;
    QTimer* time_over = nullptr;
    QTimer* next_turn = nullptr;
    QTimer* com_timer = nullptr;
    QAction* show_cards = nullptr;
    QAction* about = nullptr;
    std::function<void()> redraw_board;  // the window's refresh, size rule and full repaint
    std::function<void(const GameEvent&)> happened;  // the window's news of the game
};

class QtGameView final : public GameView {
public:
    // parts must outlive the view; the window fills it in as it builds its widgets.
    explicit QtGameView(const BoardParts& parts);
    ~QtGameView() override;
    QtGameView(const QtGameView&) = delete;
    QtGameView& operator=(const QtGameView&) = delete;

    ViewMetrics metrics() override;
    void start_timer(GameTimer timer) override;
    void stop_timer(GameTimer timer) override;
    void animate_card(CardMotion motion, int row, int col, int face, int door_delay) override;
    void reveal_card(int row, int col, int face) override;
    void redraw_board() override;
    void show_score(int index, int value) override;
    void show_player_names(std::string_view first, std::string_view second) override;
    void show_status(std::string_view text) override;
    void show_round(int round) override;
    void enable_menu_item(MenuItem item, bool enabled) override;
    void set_busy_pointer(bool busy) override;
    void beep() override;
    void message_box(std::string_view text, std::string_view title) override;
    void yield() override;
    double random() override;
    TimeOfDay time_of_day() override;
    void happened(const GameEvent& event) override;

    // Stops the three timers at once, whatever the engine believes; for the end of the program.
    void stop_all_timers();

private:
    QTimer* timer(GameTimer which) const;

    const BoardParts& parts_;
    const std::optional<std::uint64_t> seed_;  // from VIMBREL_SEED: chance and clock fixed
    RandomGenerator random_;
    DesktopBell bell_;
    bool busy_ = false;
    QString final_scores_;  // told by the end of the game, shown by its message box
    // The last message box, kept hidden once closed; the window owns it.
    QPointer<QMessageBox> last_box_;
};

}  // namespace vimbrel
