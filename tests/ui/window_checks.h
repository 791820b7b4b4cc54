// What must hold on the board window between any two events: the game's own rules, and the
// timers, menus, pointer, labels and layout showing exactly the game's state.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <string>
#include <utility>

#include "board/board_menus.h"
#include "board/board_view.h"
#include "board/board_window.h"
#include "board/status_panel.h"
#include "invariants.h"
#include "ui_test_support.h"

namespace vimbrel::testing {

// Show Cards and About enabled as the game says, every other item enabled and shown, the check
// marks on the settings.
inline QString fault_in_menus(BoardWindow& board) {
    const Game& g = board.game();
    BoardMenus& m = board.menus();
    if (m.show_cards->isEnabled() != g.menu_item_enabled(MenuItem::show_cards))
        return QStringLiteral("Show Cards is not enabled as the game says");
    if (m.about->isEnabled() != g.menu_item_enabled(MenuItem::about))
        return QStringLiteral("About is not enabled as the game says");
    for (QAction* top : board.menuBar()->actions()) {
        if (!top->isEnabled() || !top->isVisible())
            return QStringLiteral("a menu is disabled: ") + top->objectName();
        for (QAction* item : top->menu()->actions())
            if (item != m.show_cards && item != m.about &&
                (!item->isEnabled() || !item->isVisible()))
                return QStringLiteral("a menu item is disabled or hidden: ") + item->objectName();
    }
    const Settings& set = g.settings();
    const bool marks = m.six->isChecked() == (set.board_size == 6) &&
                       m.eight->isChecked() == (set.board_size == 8) &&
                       m.ten->isChecked() == (set.board_size == 10) &&
                       m.versus_computer->isChecked() == (set.players == Players::vs_computer) &&
                       m.two_people->isChecked() == (set.players == Players::two_people) &&
                       m.good_memory->isChecked() == (set.memory == MemoryLevel::good) &&
                       m.normal_memory->isChecked() == (set.memory == MemoryLevel::normal) &&
                       m.low_memory->isChecked() == (set.memory == MemoryLevel::low) &&
                       m.ai_and_memory->isChecked() == (set.choice == ChoiceMode::ai_and_memory) &&
                       m.memory_only->isChecked() == (set.choice == ChoiceMode::memory_only);
    return marks ? QString() : QStringLiteral("the check marks do not show the settings");
}

// The first disagreement found, or an empty string. Inside a dialog (between_actions false) only
// what holds at every moment the event loop runs; between actions also that no dialog is left
// open, the layout, the names and the turn text. The pointer check pops and pushes the override
// cursor once to tell one push from two; Qt has no way to read the depth.
inline QString fault_in_window(BoardWindow& board, bool between_actions) {
    const Game& g = board.game();
    const GameState& s = g.state();
    if (const std::string f = find_fault(g); !f.empty()) return QString::fromStdString(f);

    for (const auto& [name, which] : {std::pair{"time_over", GameTimer::time_over},
                                      std::pair{"next_turn", GameTimer::next_turn},
                                      std::pair{"com_timer", GameTimer::com_timer}})
        if (timer(board, name)->isActive() != g.timer_running(which))
            return QStringLiteral("%1 runs in Qt but not in the game, or the other way").arg(name);

    const QString menus = fault_in_menus(board);
    if (!menus.isEmpty()) return menus;

    // Busy exactly while the computer waits for its judgement, and pushed only once.
    const bool computers_turn = g.timer_running(GameTimer::com_timer);
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (bool(cursor) != computers_turn)
        return computers_turn ? QStringLiteral("no busy pointer during the computer's turn")
                              : QStringLiteral("a busy pointer outside the computer's turn");
    if (cursor) {
        if (cursor->shape() != Qt::WaitCursor)
            return QStringLiteral("the override pointer is not busy");
        QGuiApplication::restoreOverrideCursor();
        const bool stacked = QGuiApplication::overrideCursor() != nullptr;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        if (stacked) return QStringLiteral("the busy pointer is pushed more than once");
    }

    if (label_text(board, "score_0") != QString::number(s.score[1]) ||
        label_text(board, "score_1") != QString::number(s.score[2]))
        return QStringLiteral("the score labels do not show the scores");
    if (label_text(board, "round") != QString::number(s.round_no))
        return QStringLiteral("the round label does not show the round");
    if (!between_actions) return {};

    // Between actions no dialog is open and the turn texts follow the turn.
    if (QApplication::activeModalWidget()) return QStringLiteral("a modal dialog is still open");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &board && w->isVisible() && !qobject_cast<QMenu*>(w))
            return QStringLiteral("a window is still shown: ") + w->objectName();
    const QWidget* view = board.board_view();
    if (board.panel()->geometry() !=
        QRect(view->x() + view->width() - panel_width, view->y(), panel_width, view->height()))
        return QStringLiteral("the panel is not docked at the right, full height");
    const QSize needed = board.board_client_size();
    if (view->width() < needed.width() || view->height() < needed.height())
        return QStringLiteral("the grid and the panel do not fit the window");
    const bool vs_computer = g.settings().players == Players::vs_computer;
    if (label_text(board, "player_name_0") != (vs_computer ? "You" : "Player 1") ||
        label_text(board, "player_name_1") != (vs_computer ? "Computer" : "Player 2"))
        return QStringLiteral("the names do not show the players");
    if (s.pairs_taken == s.cell_count() / 2) return {};
    if (computers_turn != (s.current_player == 2 && vs_computer))
        return QStringLiteral("the computer's judgement does not match whose turn it is");
    const char* text = computers_turn          ? "Computer thinking..."
                       : s.current_player == 2 ? "2P's turn."
                       : vs_computer           ? "Your turn."
                                               : "1P's turn.";
    if (label_text(board, "label") != QLatin1String(text))
        return QStringLiteral("the status reads \"%1\", not \"%2\"")
            .arg(label_text(board, "label"), text);
    return {};
}

}  // namespace vimbrel::testing
