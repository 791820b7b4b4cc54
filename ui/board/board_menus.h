// The board window's menu tree: Game, Size, Players and Computer.
#pragma once

#include <QCoreApplication>
#include <QMenu>

#include "game_state.h"

class QAction;
class QMenuBar;

namespace vimbrel {

// A menu whose items are settings with check marks. It is a plain QMenu to the eye; screen
// readers are told its items as check boxes (see access/setting_menu.cpp), so that an unchecked
// one is said "not checked" as a checked one is said "checked".
class SettingMenu final : public QMenu {
    Q_OBJECT

public:
    using QMenu::QMenu;
};

// Builds the menus into a menu bar and keeps their actions. The check marks only show the
// engine's settings: sync() sets them from the settings after every command.
class BoardMenus {
    Q_DECLARE_TR_FUNCTIONS(vimbrel::BoardMenus)

public:
    explicit BoardMenus(QMenuBar& bar);

    // Sets the check marks of the four exclusive groups from the settings.
    void sync(const Settings& settings);

    // Each action's objectName is the menu item's own name (`pvc`, `high`, `ai_on`...), which
    // tests and screen readers' scripts see; the members here say what the item chooses.
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
    QAction* versus_computer = nullptr;
    QAction* two_people = nullptr;
    // Computer
    QAction* good_memory = nullptr;
    QAction* normal_memory = nullptr;
    QAction* low_memory = nullptr;
    QAction* ai_and_memory = nullptr;
    QAction* memory_only = nullptr;
};

}  // namespace vimbrel
