// The board window's menu tree: Game, Size, Players and Computer.
#pragma once

#include <QCoreApplication>

#include "game_state.h"

class QAction;
class QMenuBar;

namespace vimbrel {

// Builds the menus into a menu bar and keeps their actions. The check marks only show the
// engine's settings: sync() sets them from the settings after every command.
class BoardMenus {
    Q_DECLARE_TR_FUNCTIONS(vimbrel::BoardMenus)

public:
    explicit BoardMenus(QMenuBar& bar);

    // Sets the check marks of the four exclusive groups from the settings.
    void sync(const Settings& settings);

    // Game
    QAction* new_game = nullptr;
    QAction* show_cards = nullptr;
    QAction* door_speed = nullptr;
    QAction* quit = nullptr;
    QAction* about = nullptr;
    // Size
    QAction* six = nullptr;
    QAction* eight = nullptr;
    QAction* ten = nullptr;
    // Players
    QAction* pvc = nullptr;
    QAction* pvp = nullptr;
    // Computer
    QAction* high = nullptr;
    QAction* med = nullptr;
    QAction* low = nullptr;
    QAction* ai_on = nullptr;
    QAction* ai_off = nullptr;
};

}  // namespace vimbrel
