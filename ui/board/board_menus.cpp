// Building the menu tree and showing the settings as check marks.
#include "board/board_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vimbrel {

namespace {

template <typename Menu = QMenu>
QMenu* add_menu(QMenuBar& bar, const char* name, const QString& caption) {
    auto* menu = new Menu(caption, &bar);
    bar.addMenu(menu);
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
    //: Menu bar: the game's commands (New, Show Cards, Game Speed, Exit, About).
    QMenu* game = add_menu(bar, "game", tr("Game"));
    //: Game menu: deals a new game after asking for the players and the board size.
    new_game = add_item(game, "new", tr("New"));
    //: Game menu: turns every face-down card face up; the game cannot go on afterwards.
    show_cards = add_item(game, "show_cards", tr("Show Cards"));
    //: Game menu: opens the dialog that sets how fast the cards open and close.
    door_speed = add_item(game, "door_speed", tr("Game Speed"));
    add_separator(game, "sep");
    //: Game menu: ends the program.
    quit = add_item(game, "quit", tr("Exit"));
    add_separator(game, "sep2");
    //: Game menu: opens the box with the program's name, version and credits.
    about = add_item(game, "about", tr("About"));

    //: Menu bar: the board size (the number of cards).
    QMenu* size = add_menu<SettingMenu>(bar, "board_size", tr("Size"));
    //: Size menu: a board of 6 rows of 6 cards.
    six = add_item(size, "six", tr("6 by 6"));
    //: Size menu: a board of 8 rows of 8 cards.
    eight = add_item(size, "eight", tr("8 by 8"));
    //: Size menu: a board of 10 rows of 10 cards.
    ten = add_item(size, "ten", tr("10 by 10"));
    make_setting({six, eight, ten});

    //: Menu bar: who plays.
    QMenu* players = add_menu<SettingMenu>(bar, "option", tr("Players"));
    //: Players menu: one person against the computer.
    versus_computer = add_item(players, "pvc", tr("1P vs Com"));
    //: Players menu: two people taking turns at one computer.
    two_people = add_item(players, "pvp", tr("1P vs 2P"));
    make_setting({versus_computer, two_people});

    //: Menu bar: how well the computer opponent remembers and how it chooses cards.
    QMenu* computer = add_menu<SettingMenu>(bar, "computer", tr("Computer"));
    //: Computer menu: the computer forgets the cards it has seen slowly (hardest opponent).
    good_memory = add_item(computer, "high", tr("Good Memory"));
    //: Computer menu: the computer forgets the cards it has seen at a medium pace.
    normal_memory = add_item(computer, "med", tr("Normal Memory"));
    //: Computer menu: the computer forgets the cards it has seen quickly (easiest opponent).
    low_memory = add_item(computer, "low", tr("Low Memory"));
    add_separator(computer, "sep1");
    //: Computer menu: when the computer guesses, it prefers the cards it has seen least often.
    ai_and_memory = add_item(computer, "ai_on", tr("Choosing with AI and Memory"));
    //: Computer menu: when the computer guesses, any card it does not remember is as likely.
    memory_only = add_item(computer, "ai_off", tr("Choosing only with Memory"));
    make_setting({good_memory, normal_memory, low_memory});
    make_setting({ai_and_memory, memory_only});
}

void BoardMenus::sync(const Settings& settings) {
    six->setChecked(settings.board_size == 6);
    eight->setChecked(settings.board_size == 8);
    ten->setChecked(settings.board_size == 10);
    versus_computer->setChecked(settings.players == Players::vs_computer);
    two_people->setChecked(settings.players == Players::two_people);
    good_memory->setChecked(settings.memory == MemoryLevel::good);
    normal_memory->setChecked(settings.memory == MemoryLevel::normal);
    low_memory->setChecked(settings.memory == MemoryLevel::low);
    ai_and_memory->setChecked(settings.choice == ChoiceMode::ai_and_memory);
    memory_only->setChecked(settings.choice == ChoiceMode::memory_only);
}

}  // namespace vimbrel
