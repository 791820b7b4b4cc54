// Building the menu tree and showing the settings as check marks.
#include "board/board_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vimbrel {

namespace {

QMenu* add_menu(QMenuBar& bar, const char* name, const QString& caption) {
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(caption);  // the open menu is named like its entry in the bar
    return menu;
}

QAction* add_item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void add_separator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The items of one setting. They show check marks, so they are checkable items on their own
// rather than an exclusive group, which menus draw with radio dots. Qt flips an item's mark as it
// is chosen; the command that follows puts every mark back from the settings (sync), so each
// setting keeps one mark, and choosing its checked item again leaves it checked.
void make_setting(std::initializer_list<QAction*> actions) {
    for (QAction* action : actions) action->setCheckable(true);
}

}  // namespace

BoardMenus::BoardMenus(QMenuBar& bar) {
    QMenu* game = add_menu(bar, "game", QStringLiteral("Game"));
    new_game = add_item(game, "new", QStringLiteral("New"));
    show_cards = add_item(game, "show_cards", QStringLiteral("Show Cards"));
    door_speed = add_item(game, "door_speed", QStringLiteral("Game Speed"));
    add_separator(game, "sep");
    quit = add_item(game, "quit", QStringLiteral("Exit"));
    add_separator(game, "sep2");
    about = add_item(game, "about", QStringLiteral("About"));

    QMenu* size = add_menu(bar, "board_size", QStringLiteral("Size"));
    six = add_item(size, "six", QStringLiteral("6 by 6"));
    eight = add_item(size, "eight", QStringLiteral("8 by 8"));
    ten = add_item(size, "ten", QStringLiteral("10 by 10"));
    make_setting({six, eight, ten});

    QMenu* players = add_menu(bar, "option", QStringLiteral("Players"));
    pvc = add_item(players, "pvc", QStringLiteral("1P vs Com"));
    pvp = add_item(players, "pvp", QStringLiteral("1P vs 2P"));
    make_setting({pvc, pvp});

    QMenu* computer = add_menu(bar, "computer", QStringLiteral("Computer"));
    high = add_item(computer, "high", QStringLiteral("Good Memory"));
    med = add_item(computer, "med", QStringLiteral("Normal Memory"));
    low = add_item(computer, "low", QStringLiteral("Low Memory"));
    add_separator(computer, "sep1");
    ai_on = add_item(computer, "ai_on", QStringLiteral("Choosing with AI and Memory"));
    ai_off = add_item(computer, "ai_off", QStringLiteral("Choosing only with Memory"));
    make_setting({high, med, low});
    make_setting({ai_on, ai_off});

    sync(Settings{});
}

void BoardMenus::sync(const Settings& settings) {
    six->setChecked(settings.board_size == 6);
    eight->setChecked(settings.board_size == 8);
    ten->setChecked(settings.board_size == 10);
    pvc->setChecked(settings.players == Players::vs_computer);
    pvp->setChecked(settings.players == Players::two_people);
    high->setChecked(settings.memory == MemoryLevel::good);
    med->setChecked(settings.memory == MemoryLevel::normal);
    low->setChecked(settings.memory == MemoryLevel::low);
    ai_on->setChecked(settings.choice == ChoiceMode::ai_and_memory);
    ai_off->setChecked(settings.choice == ChoiceMode::memory_only);
}

}  // namespace vimbrel
