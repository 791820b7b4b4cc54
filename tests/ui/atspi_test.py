#!/usr/bin/python3
"""Plays Vimbrel as a screen reader user does: keys through the X server, and everything read
back over the accessibility bus (AT-SPI), never from the program's insides.

    atspi_test.py VIMBREL [--whole-games]

Run it through atspi_test.sh, which gives it an X server and a session bus of its own (DISPLAY and
DBUS_SESSION_BUS_ADDRESS). Exits 77 when a tool is missing.
With --whole-games it also plays a whole 6 x 6 game against the computer and one between two
people to the "Game Over" box, by keyboard alone, remembering the pictures it has been told.
"""
import os
import re
import subprocess
import sys
import time

from real_program import FACES, Failure, Usage, key, main, need, skip

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    skip("python3-pyatspi")

need("xdotool")

CELL_NAME = re.compile(r"^Row (?P<row>\d+), column (?P<col>\d+), (?:hidden|empty|(?P<face>.+))$")


def wait_for(what, condition, timeout=30.0):
    """Waits until condition() gives something true, running the bus's events meanwhile."""
    deadline = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        try:
            result = condition()
        except Exception:  # the program may be busy or between windows: ask again
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


def find(root, predicate):
    """The first accessible below root (root included) for which predicate holds."""
    return pyatspi.findDescendant(root, predicate, True) if not predicate(root) else root


class Game:
    """The program as the accessibility bus shows it."""

    def __init__(self, program):
        self.process = program
        self.app = wait_for("the program on the accessibility bus", self._app)
        self.told = []  # (event type, source name) in the order the bus delivered them
        for kind in ("object:state-changed:focused", "focus:", "object:property-change:accessible-name"):
            pyatspi.Registry.registerEventListener(self._hear, kind)

    def _app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == "vimbrel":
                return app
        return None

    def _hear(self, event):
        try:
            name = event.source.name
        except Exception:
            name = None
        self.told.append((event.type, name))

    def window(self, name):
        return wait_for(f"the window {name!r}", lambda: next(
            (w for w in self.app if w is not None and w.name == name and w.getState().contains(pyatspi.STATE_SHOWING)), None))

    def board(self):
        return wait_for("the board", lambda: find(self.app, lambda a: a.getRole() == pyatspi.ROLE_LIST and a.name == "Board"))

    def cells(self):
        board = self.board()
        return [c for c in board if c is not None and c.getRole() == pyatspi.ROLE_LIST_ITEM]

    def focused_cell(self):
        for cell in self.cells():
            if cell.getState().contains(pyatspi.STATE_FOCUSED):
                return cell.name
        return None

    def label(self, description):
        status = find(self.app, lambda a: a.getRole() == pyatspi.ROLE_STATUS_BAR)
        return next(l.name for l in status if l is not None and l.description == description)

    def heard(self, kind, name):
        return any(t == kind and n == name for t, n in self.told)


def check_hidden_cards_tell_nothing(game):
    for cell in game.cells():
        if not cell.name.endswith(", hidden"):
            continue
        said = " ".join([cell.name, cell.description, str(cell.getAttributes())])
        interfaces = pyatspi.listInterfaces(cell)
        if any(face in said for face in FACES) or {"Image", "Text", "Value"} & set(interfaces):
            raise Failure(f"a hidden card gives something away: {said!r} {interfaces}")


def check_settings_tell_their_check_state(game):
    """The Size menu's settings are check boxes in their places in the menu, checked or not, so
    that a screen reader says "not checked" of an unchecked one as it says "checked" of the
    checked one (of a plain menu item it says nothing when unchecked)."""
    key("alt", "Right", "Down")  # the Size menu, open at its first item
    item = wait_for("6 by 6 focused", lambda: find(game.app, lambda a: a.name == "6 by 6" and
                                                   a.getState().contains(pyatspi.STATE_FOCUSED)))
    told = [(i.name, i.getRoleName(), i.getState().contains(pyatspi.STATE_CHECKED), i.getIndexInParent())
            for i in item.parent]
    expected = [("6 by 6", "check box", False, 0), ("8 by 8", "check box", True, 1),
                ("10 by 10", "check box", False, 2)]
    if told != expected:
        raise Failure(f"the Size menu tells {told}, not {expected}")
    key("Escape", "Escape")
    wait_for("the keys back on the board", lambda: game.focused_cell())


def go_to(game, row, col):
    key("ctrl+Home", *(["Down"] * (row - 1)), *(["Right"] * (col - 1)))
    wait_for(f"row {row}, column {col} focused", lambda: re.search(f"row {row}, column {col}$", game.focused_cell() or ""))


def turn_card(game, row, col, memory):
    """Moves to the card, turns it with Space and remembers what it shows."""
    go_to(game, row, col)
    key("space")
    face = wait_for("the picture", lambda: CELL_NAME.match(game.focused_cell() or "").group("face"))
    memory[(row, col)] = face
    return face


def play_to_the_end(game):
    """Plays the person's turns (both people's, in a two-player game) until "Game Over", from
    what the cells' names tell: a face is remembered once its card has been seen open."""
    memory = {}
    while True:
        def ready():
            if any(w is not None and w.name == "Game Over" for w in game.app):
                return "over"
            names = [c.name for c in game.cells()]
            for name in names:
                found = CELL_NAME.match(name)
                if found and found.group("face"):
                    memory[(int(found.group("row")), int(found.group("col")))] = found.group("face")
            if game.label("Whose turn it is") in ("Your turn.", "1P's turn.", "2P's turn.") and \
                    not any(CELL_NAME.match(n).group("face") for n in names):
                return names
            return None
        names = wait_for("the person's turn", ready, timeout=120)
        if names == "over":
            break
        hidden = [(int(m.group("row")), int(m.group("col"))) for m in map(CELL_NAME.match, names)
                  if m and m.group(0).endswith(", hidden")]
        memory = {place: face for place, face in memory.items() if place in hidden}
        faces = {}
        pair = None
        for place, face in memory.items():
            if face in faces:
                pair = (faces[face], place)
            faces[face] = place
        if pair:
            for place in pair:
                turn_card(game, *place, memory)
            continue
        unknown = [place for place in hidden if place not in memory]
        first = unknown[0]
        face = turn_card(game, *first, memory)
        partner = next((p for p, f in memory.items() if f == face and p != first), None)
        turn_card(game, *(partner or next(p for p in unknown if p != first)), memory)
    key("Return")  # closes the box
    wait_for("the box to close", lambda: not any(w is not None and w.name == "Game Over" for w in game.app))
    wait_for("the keys back on the board", lambda: game.focused_cell())
    print("game over; then:", game.label("Score of player 1"), "|", game.label("Score of player 2"),
          "| focused:", game.focused_cell())


def play_whole_games(game):
    key("alt", "Right", "Down", "Return")  # Size, 6 by 6
    wait_for("a 6 x 6 board", lambda: len(game.cells()) == 36 and game.focused_cell())
    play_to_the_end(game)
    key("alt", "Right", "Right", "Down", "Down", "Return")  # Players, 1P vs 2P
    wait_for("two players", lambda: game.label("Whose turn it is") == "1P's turn.")
    play_to_the_end(game)


def run(binary, whole_games):
    # The texts checked here are the English ones, and the program speaks the desktop's language.
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANGUAGE="", LC_ALL="C.UTF-8")
    program = subprocess.Popen([binary], env=env)
    try:
        game = Game(program)
        game.window("Welcome !! Please Select --")
        key("Return")  # OK is the start dialog's default button
        wait_for("the start dialog to close", lambda: not any(
            w is not None and w.name.startswith("Welcome") and w.getState().contains(pyatspi.STATE_SHOWING) for w in game.app))

        # The keys are on the board at once: the cursor cell is the focused one.
        wait_for("row 1, column 1 focused", lambda: game.focused_cell() == "Row 1, column 1, hidden")
        # A deal may put another picture anywhere: every cell's name was told anew.
        wait_for("the deal's news of every cell", lambda: all(
            game.heard("object:property-change:accessible-name", f"Row {row}, column {col}, hidden")
            for row in range(1, 9) for col in range(1, 9)))
        check_hidden_cards_tell_nothing(game)
        check_settings_tell_their_check_state(game)
        key("Right", "Down")
        wait_for("row 2, column 2 focused", lambda: game.focused_cell() == "Row 2, column 2, hidden")
        wait_for("the focus event of row 2, column 2",
                 lambda: game.heard("object:state-changed:focused", "Row 2, column 2, hidden"))

        # Space turns the card; its name tells the picture, and the change is announced. The second
        # card follows at once: its 5 seconds run from the first one, and on a loaded machine every
        # question over the bus takes a while, so what it tells is read from the events afterwards.
        key("space")
        opened = wait_for("the card's picture", lambda: CELL_NAME.match(game.focused_cell() or "").group("face"))
        if game.label("Whose turn it is") != "Your turn.":
            raise Failure("the status does not say it is the player's turn")
        key("Right", "Return")
        wait_for("the news of the open card", lambda: game.heard(
            "object:property-change:accessible-name", f"Row 2, column 2, {opened}"))
        print(f"row 2, column 2 shows: {opened}")

        # The second card, and then the computer's answer, all told through the panel's labels.
        wait_for("the focus event of row 2, column 3", lambda: any(
            kind == "object:state-changed:focused" and (name or "").startswith("Row 2, column 3, ")
            for kind, name in game.told))
        # With Qt 6.8 the name of a card turned under the cursor is news only once the cursor
        # leaves (Orca 48 would say it again after the picture): it is read while the card is open.
        second = wait_for("the second picture", lambda: next(
            (found.group("face") for kind, name in game.told + [("read", game.focused_cell())]
             if kind in ("object:property-change:accessible-name", "read")
             for found in [CELL_NAME.match(name or "")]
             if found and found.group("face") and name.startswith("Row 2, column 3, ")), None))
        print(f"row 2, column 3 shows: {second}")
        if second == opened:
            wait_for("the pair's points", lambda: game.label("Score of player 1") == "You: 10 points")
            wait_for("the news of the points", lambda: game.heard("object:property-change:accessible-name", "You: 10 points"))
        else:
            wait_for("the computer's move", lambda: game.heard("object:property-change:accessible-name", "Computer thinking...")
                     or game.label("Round number") == "Round 2")
            wait_for("the turn back", lambda: game.label("Round number") == "Round 2")
            wait_for("the news of the round", lambda: game.heard("object:property-change:accessible-name", "Round 2"))
        wait_for("the player's turn", lambda: game.label("Whose turn it is") == "Your turn.")
        check_hidden_cards_tell_nothing(game)
        print("status:", game.label("Whose turn it is"), "|", game.label("Score of player 1"), "|",
              game.label("Score of player 2"), "|", game.label("Round number"))

        if whole_games:
            play_whole_games(game)

        # Exit, as a screen reader activates a menu item; the program ends cleanly.
        exit_item = find(game.app, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM and a.name == "Exit")
        exit_item.queryAction().doAction(0)
        if program.wait(timeout=60) != 0:
            raise Failure(f"the program ended with {program.returncode}")
    finally:
        if program.poll() is None:
            program.terminate()
            program.wait(timeout=30)


def from_command_line(args):
    if not args:
        raise Usage()
    if not os.environ.get("DISPLAY"):
        raise Usage("no DISPLAY: run it through atspi_test.sh")
    run(args[0], "--whole-games" in args[1:])


if __name__ == "__main__":
    sys.exit(main(__doc__, from_command_line))
