#!/usr/bin/python3
"""Plays Vimbrel against the computer with the Orca screen reader running, by keys through the X
server, and checks what Orca says: what it hands to speech-dispatcher, in order.

    orca_test.py VIMBREL                   the test
    orca_test.py VIMBREL --arrows N        only measures: N arrow keys, the delay until each cell
                                           is spoken
    orca_test.py VIMBREL --whole-game      plays a whole 6 x 6 game by ear, to the "Game Over" box
    orca_test.py VIMBREL --language de     a deal and a turn with the game in German (Orca stays
                                           English): all of the game is said in German

Run it inside `scripts/with-display --wm --bus`. Exits 77 when Orca, speech-dispatcher or xdotool
is missing. speech-dispatcher speaks through its dummy module: nothing is heard, everything is said.
Orca writes each text it speaks to a log of its own (its speech logger, given a file by its user
customisations), with the time it spoke it.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

from real_program import FACES, Failure, Usage, key, main, need

need("orca", "speech-dispatcher", "xdotool")

FACE = "(" + "|".join(sorted(FACES, key=len, reverse=True)) + ")"
GRID = 8  # the start dialog's default board
WAIT = 15.0  # seconds for anything to be said; a loaded machine is slow, a missing text is missing

# Loaded by Orca at start-up from its settings folder: its speech logger writes to a file too.
CUSTOMISATIONS = """
import logging, os
_log = logging.getLogger("speech")
_path = os.environ["VIMBREL_SPEECH_LOG"]
if not any(getattr(h, "baseFilename", None) == _path for h in _log.handlers):
    _file = logging.FileHandler(_path)
    _file.setFormatter(logging.Formatter("%(created).3f %(message)s"))
    _log.addHandler(_file)

# Orca 48 has no speech logger of its own: it writes what it speaks among its debug output only.
# There the speaking functions themselves write to this log, in the lines Orca 43 writes.
from orca import speech as _speech
if not hasattr(_speech, "log") and not hasattr(_speech, "vimbrel_logged"):
    _speech.vimbrel_logged = True
    _log.setLevel(logging.INFO)
    def _logged(function, text_of):
        def speak(*args, **kwargs):
            _log.info("SPEECH OUTPUT: '%s'", text_of(*args))
            return function(*args, **kwargs)
        return speak
    _speech._speak = _logged(_speech._speak, lambda text, *_: text)
    _speech.speak_character = _logged(_speech.speak_character, lambda character, *_: character)
    _speech.speak_key_event = _logged(_speech.speak_key_event, lambda event, *_: (
        f"{event.get_key_name()} {event.get_locking_state_string()}"))
"""

# Orca's own start-up, but for its refusal to start while any other Orca of the same user runs,
# on whatever display: this one has a display, buses and settings of its own.
ORCA = """
import importlib.machinery, importlib.util, sys
loader = importlib.machinery.SourceFileLoader("orca_launcher", sys.argv[1])
launcher = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
loader.exec_module(launcher)
launcher.otherOrcas = lambda: []
sys.argv = ["orca"] + sys.argv[2:]
sys.exit(launcher.main())
"""

# The dummy module speaks nothing, but speech-dispatcher 0.12 (Debian 13) still opens an audio
# output for it and gives up without one: libao, whose null driver (in .libao) needs no device.
SPEECHD_CONF = """
AudioOutputMethod "libao"
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
LanguageDefaultModule "en" "dummy"
"""


class Speech:
    """What Orca has said, read from its log as it grows: a list of (time, text)."""

    LINE = re.compile(r"^(\d+\.\d+) SPEECH OUTPUT: '(.*)'(?: voice=\S+)?$")

    def __init__(self, path):
        self.path = path
        self.said = []
        self.read = 0  # how far expect() has looked
        self._partial = ""
        self._offset = 0

    def poll(self):
        try:
            with open(self.path, encoding="utf-8") as log:
                log.seek(self._offset)
                data = log.read()
                self._offset = log.tell()
        except FileNotFoundError:
            return
        data = self._partial + data
        lines = data.split("\n")
        self._partial = lines.pop()
        for line in lines:
            match = self.LINE.match(line)
            if match:
                self.said.append((float(match.group(1)), match.group(2)))

    def expect(self, pattern, timeout=WAIT, since=None):
        """Waits for an utterance matching pattern (fully), said at or after index `since` (by
        default after the last one expected); returns its index, time and match."""
        regex = re.compile(pattern)
        start = self.read if since is None else since
        deadline = time.monotonic() + timeout
        while True:
            self.poll()
            for index in range(start, len(self.said)):
                # Orca 48 leaves out the full stop it puts after a role ("dialog") before a change
                # of voice: the words are the same.
                text = self.said[index][1]
                match = regex.fullmatch(text) or regex.fullmatch(text + ".")
                if match:
                    self.read = max(self.read, index + 1)
                    return index, self.said[index][0], match
            if time.monotonic() > deadline:
                recent = "\n  ".join(text for _, text in self.said[start:][-15:])
                raise Failure(f"Orca never said /{pattern}/; it said:\n  {recent}")
            time.sleep(0.02)

    def settle(self, seconds):
        """Lets Orca speak for a while; returns what it said meanwhile."""
        self.poll()
        start = len(self.said)
        time.sleep(seconds)
        self.poll()
        self.read = max(self.read, len(self.said))
        return [text for _, text in self.said[start:]]


class Player:
    """Plays by keys and ear alone: it knows the board only from what Orca said."""

    def __init__(self, speech, burst=False):
        self.speech = speech
        self.burst = burst  # walks in one burst of keys, hearing only where it ends
        self.row, self.col = 1, 1
        self.gone = set()  # places of pairs taken
        self.arrow_delays = []

    def go_to(self, row, col):
        """Moves the cursor by arrow keys; returns what the card there is called, if it moved."""
        keys = ["Down"] * (row - self.row) + ["Up"] * (self.row - row)
        keys += ["Right"] * (col - self.col) + ["Left"] * (self.col - col)
        name = None
        if self.burst and keys:
            # Waiting for each cell's name on a loaded machine can take longer than the 5 seconds
            # a second card has; a player who knows the way does not wait either.
            key(*keys)
            self.row, self.col = row, col
            keys = []
            name = self.speech.expect(rf"Row {row}, column {col}, (hidden|empty|{FACE})\.")[2][1]
        for arrow in keys:
            pressed = time.time()
            key(arrow)
            self.row += {"Down": 1, "Up": -1}.get(arrow, 0)
            self.col += {"Right": 1, "Left": -1}.get(arrow, 0)
            # The place first, then what lies there.
            _, spoken, match = self.speech.expect(
                rf"Row {self.row}, column {self.col}, (hidden|empty|{FACE})\.")
            self.arrow_delays.append(spoken - pressed)
            name = match.group(1)
        return name

    def hidden_places(self):
        return [(r, c) for r in range(1, GRID + 1) for c in range(1, GRID + 1)
                if (r, c) not in self.gone]

    def turn(self, row, col):
        """Turns the card at row, col and returns the picture Orca names, said at once."""
        self.go_to(row, col)
        key("space")
        return self.speech.expect(rf"{FACE}\.")[2].group(1)

    def computer_moves(self):
        """Follows the computer's turn to "Your turn."; returns the last two cards it closed."""
        closed = None
        self.speech.expect(r"Computer thinking\.\.\.")
        while True:
            cards = []
            for _ in range(2):
                match = self.speech.expect(rf"Row (\d+), column (\d+): {FACE}\.")[2]
                cards.append((int(match.group(1)), int(match.group(2)), match.group(3)))
            index, _, match = self.speech.expect(
                r"The computer takes the pair: -?\d+ points\.|No pair\.")
            if match.group(0) == "No pair.":
                closed = cards
                break
            assert cards[0][2] == cards[1][2], f"the computer took two different cards: {cards}"
            self.gone.update((r, c) for r, c, _ in cards)
        self.speech.expect(r"(Round \d+\. )?Your turn\.")
        return closed


def choose_size(speech, grid):
    """Deals a new board from the Size menu, as a screen reader activates a menu item."""
    import pyatspi
    from gi.repository import GLib
    # libatspi finds fault with the signature of Qt's children-changed signals, once per signal.
    GLib.log_set_handler("dbind", GLib.LogLevelFlags.LEVEL_WARNING, lambda *args: None)
    desktop = pyatspi.Registry.getDesktop(0)
    app = next(a for a in desktop if a is not None and a.name.lower() == "vimbrel")
    item = pyatspi.findDescendant(app, lambda a: a.name == f"{grid} by {grid}", True)
    mark = len(speech.said)
    item.queryAction().doAction(0)
    speech.expect(rf"New game, {grid} by {grid} cards, you against the computer\. Your turn\.",
                  since=mark)
    speech.expect(r"Row 1, column 1, hidden\.", since=mark)


# What Qt's accessibility bridge logs when it is asked about, or tells of, an object it no longer
# has (or one that cannot hold what it is told): Qt 6.4's words, then Qt 6.8's.
BRIDGE_FAULTS = ("Accessible invalid", "Could not find accessible on path",
                 "Received text event for invalid interface")


def invalid_cells(work):
    """How often Qt's accessibility bridge logged any of BRIDGE_FAULTS; prints each count."""
    with open(os.path.join(work, "game.err"), errors="replace") as err:
        lines = err.readlines()
    counts = [sum(fault in line for line in lines) for fault in BRIDGE_FAULTS]
    print("Qt's bridge met objects that are gone: " +
          ", ".join(f"{count} \"{fault}\"" for fault, count in zip(BRIDGE_FAULTS, counts)))
    return sum(counts)

def picture(text):
    """The picture an utterance names, alone ("frog.") or as the cell's name; else None."""
    match = re.fullmatch(rf"(?:Row \d+, column \d+, )?{FACE}\.?", text)  # Orca 48: "frog"
    return match and match.group(1)


def check_every_utterance(said):
    """No picture by a face-down card's name, no text, group or turned picture said twice in a
    row."""
    texts = [text for _, text in said]
    for text in texts:
        if text.endswith(", hidden.") and re.search(FACE, text):
            raise Failure(f"a face-down card was named by its picture: {text!r}")
    for first, second in zip(texts, texts[1:]):
        # Key echoes end with a space. "Vimbrel frame." is Orca's own word on the window becoming
        # active: when the dialog closes, the window manager and the board may both activate it.
        if first == second and not first.endswith((" ", " frame.")):
            raise Failure(f"said twice in a row: {first!r}")
        # Orca 48 named a group of options as the place entered and again as the option's group.
        if first.rstrip(".") + " panel" == second.rstrip(".") or \
                second.rstrip(".") + " panel" == first.rstrip("."):
            raise Failure(f"a group said twice: {first!r}, {second!r}")
        if picture(first) and picture(first) == picture(second):
            raise Failure(f"a picture said twice: {first!r}, {second!r}")


def measure_arrows(speech, count):
    player = Player(speech)
    for step in range(count):
        player.go_to(1, 2 if step % 2 == 0 else 1)
    delays = [delay * 1000 for delay in player.arrow_delays]
    low, _, high = statistics.quantiles(delays, n=4)
    print(f"cell spoken after an arrow key: median {statistics.median(delays):.0f} ms, quartiles "
          f"{low:.0f}-{high:.0f} ms over {count} keys (xdotool's start included)")


GAME_OVER = r"alert Game Over\."  # the message box, as Orca reads it when it opens
# What the announcer says of the game.
GAME_NEWS = (rf"{FACE}\.|Row \d+, column \d+: {FACE}\.|Pair! .*|The computer takes the pair: .*|"
             r"No pair\.|Computer thinking\.\.\.|(Round \d+\. )?Your turn\.|Time over\. .*")


def whole_game(speech, player):
    """Plays to the end from what Orca says alone, remembering each picture heard by its place."""
    known = {}  # place -> picture, of the face-down cards heard of

    def hidden():
        return [p for p in player.hidden_places() if p not in known]

    def twin(face, besides):
        return next((p for p, f in known.items() if f == face and p != besides), None)

    while True:
        pair = next(((p, twin(f, p)) for p, f in known.items() if twin(f, p)), None)
        if pair:
            first_place, second_place = pair
            player.turn(*first_place)
            player.turn(*second_place)
        else:
            first_place = hidden()[0]
            first = player.turn(*first_place)
            second_place = twin(first, first_place) or hidden()[1]
            known[first_place] = first
            known[second_place] = player.turn(*second_place)
        _, _, match = speech.expect(r"Pair! \d+ points\.|No pair\.")
        if match.group(0) != "No pair.":
            player.gone.update((first_place, second_place))
            for place in (first_place, second_place):
                known.pop(place, None)
            if not player.hidden_places():
                speech.expect(GAME_OVER)
                break
            continue
        ended = False
        speech.expect(r"Computer thinking\.\.\.")
        while True:
            card_or_end = speech.expect(rf"Row \d+, column \d+: {FACE}\.|" + GAME_OVER)[2]
            if not card_or_end.group(0).startswith("Row "):
                ended = True
                break
            speech.read -= 1  # the card is read again below
            cards = []
            for _ in range(2):
                card = speech.expect(rf"Row (\d+), column (\d+): {FACE}\.")[2]
                cards.append(((int(card.group(1)), int(card.group(2))), card.group(3)))
            _, _, match = speech.expect(r"The computer takes the pair: -?\d+ points\.|No pair\.")
            for place, face in cards:
                if match.group(0) == "No pair.":
                    known[place] = face
                else:
                    player.gone.add(place)
                    known.pop(place, None)
            if match.group(0) == "No pair.":
                break
        if ended:
            break
        speech.expect(r"(Round \d+\. )?Your turn\.")
    # Who won, then the final scores as the side panel shows them; nothing of the game after.
    over = speech.read - 1
    speech.expect(r"(You win\.|Computer win\.|Draw game!) "
                  r"You: -?\d+ points, Computer: -?\d+ points\.")
    speech.settle(1.0)
    late = [text for _, text in speech.said[over:] if re.fullmatch(GAME_NEWS, text)]
    if late:
        raise Failure(f"said after the Game Over box opened: {late}")


def translated(language):
    """The program's texts in `language`, from its .ts file, as patterns: source -> translation,
    for a text with a number its last plural form (German's for 8 and for 10 points)."""
    path = os.path.join(os.path.dirname(__file__), "..", "..", "translations",
                        f"vimbrel_{language}.ts")
    texts = {}
    for message in ElementTree.parse(path).iter("message"):
        forms = [form.text for form in message.iter("numerusform")]
        texts[message.findtext("source")] = re.escape(forms[-1] if forms else
                                                      message.findtext("translation"))
    return texts


def heard_in(speech, language):
    """A deal and a turn, with the game in `language`: the deal, the cells, the cards, the pair
    or miss and the turn are said in that language, and nothing of the game in English."""
    t = translated(language)
    face = "(" + "|".join(sorted((t[name] for name in FACES), key=len, reverse=True)) + ")"
    cell = t["Row %1, column %2, %3"].replace("%1", "1").replace("%3", t["hidden"]) + r"\."
    # Orca 43 says the deal first, Orca 48 the focused cell.
    dealt = speech.read
    speech.expect(t["New game, %n by %n cards, you against the computer."].replace("%n", "8") +
                  " " + t["Your turn."], since=dealt)
    speech.expect(cell.replace("%2", "1"), since=dealt)
    key("space")
    speech.expect(face + r"\.")
    key("Right")
    speech.expect(cell.replace("%2", "2"))
    key("space")
    speech.expect(face + r"\.")
    pair = speech.expect(t["Pair! %n points."].replace("%n", "10") + "|" + t["No pair."])[2]
    if re.fullmatch(t["No pair."], pair.group(0)):
        speech.expect(t["Computer thinking..."])
    english = {re.escape(text) for text in FACES} | {r"Your turn\.", r"No pair\.", r"Pair! .*"}
    heard = [text for _, text in speech.said]
    if any(re.fullmatch("|".join(english), text) for text in heard):
        raise Failure(f"the game spoke English: {heard}")


def orca_version(launcher):
    """Orca's major version, from `orca --version`."""
    output = subprocess.run([launcher, "--version"], capture_output=True, text=True).stdout
    return int(re.search(r"(\d+)\.\d+", output).group(1))


def start_orca(work):
    """Starts Orca on its own settings in `work` and waits until it speaks; returns what it says,
    the environment the game runs in, and Orca's process."""
    speech = Speech(os.path.join(work, "speech.log"))
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_HOME=os.path.join(work, "data"), XDG_CACHE_HOME=os.path.join(work, "cache"),
               VIMBREL_SPEECH_LOG=speech.path, LANGUAGE="", LC_ALL="C.UTF-8",
               XDG_RUNTIME_DIR=os.path.join(work, "run"))
    # speech-dispatcher 0.12 (Debian 13) will not start without a runtime folder for its socket.
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    os.makedirs(os.path.join(work, "config", "speech-dispatcher"))
    with open(os.path.join(work, "config", "speech-dispatcher", "speechd.conf"), "w") as conf:
        conf.write(SPEECHD_CONF)
    with open(os.path.join(work, ".libao"), "w") as libao:
        libao.write("default_driver=null\n")
    prefs = os.path.join(work, "orca")
    os.makedirs(prefs)
    with open(os.path.join(prefs, "orca-customizations.py"), "w") as custom:
        custom.write(CUSTOMISATIONS)

    launcher = shutil.which("orca")
    with open(launcher) as script:
        python = script.readline()[2:].split()  # its interpreter, from the #! line
    output = open(os.path.join(work, "orca.err"), "w")
    orca = subprocess.Popen(python + ["-c", ORCA, launcher, "--user-prefs", prefs], env=env,
                            stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT)
    deadline = time.monotonic() + 30
    while not any(text == "Screen reader on." for _, text in speech.said):
        if orca.poll() is not None or time.monotonic() > deadline:
            orca.kill()
            with open(os.path.join(work, "orca.err")) as err:
                raise Failure("Orca did not start:\n" + err.read()[-2000:])
        time.sleep(0.05)
        speech.poll()
    return speech, env, orca


def play(binary, work, arrows=0, whole=False, language=None):
    speech, env, orca = start_orca(work)
    game = None
    try:
        # The game in the desktop's language; Orca's own words stay English.
        tongue = dict(LANGUAGE=language, LC_ALL=f"{language}.UTF-8") if language else {}
        game = subprocess.Popen([binary], env=dict(env, QT_QPA_PLATFORM="xcb",
                                                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **tongue),
                                stderr=open(os.path.join(work, "game.err"), "w"))
        welcome = translated(language)["Welcome !! Please Select --"] if language else \
            r"Welcome !! Please Select --"
        speech.expect(welcome + r" dialog\.", timeout=30)
        if whole:
            # The board size by keys: Tab to the selected size, 8 x 8, and Up to 6 x 6.
            for _ in range(8):
                key("Tab")
                if any("8 x 8" in text for text in speech.settle(0.8)):
                    break
            key("Up")
            speech.expect(r"6 x 6( selected radio button)?\.")
        key("Return")
        start = speech.read
        if language:
            heard_in(speech, language)
            return speech
        if arrows:
            speech.expect(r"Row 1, column 1, hidden\.", since=start)
            measure_arrows(speech, arrows)
            return speech
        speech.expect(rf"New game, {GRID} by {GRID} cards, you against the computer\. Your turn\.",
                      since=start)
        # Orca 43 names the list as the focus enters it; Orca 48 ("Board List with 64 items") only
        # when the window's focus event came first, not always. "Where am I" below tells its size.
        if orca_version(shutil.which("orca")) < 48:
            speech.expect(rf"List with {GRID * GRID} items\.", since=start)
        speech.expect(r"Row 1, column 1, hidden\.", since=start)
        player = Player(speech, burst=whole)
        if whole:
            whole_game(speech, player)
            check_every_utterance(speech.said)
            key("Return")
            speech.settle(1.0)
            invalid = invalid_cells(work)
            if invalid > 2:
                raise Failure(f"Qt was asked about objects that are gone: {invalid} times")
            return speech

        # Turns of two cards, row by row, until one misses and the computer plays.
        places = iter(player.hidden_places())
        while True:
            first_place, second_place = next(places), next(places)
            first = player.turn(*first_place)
            second = player.turn(*second_place)
            if first != second:
                speech.expect(r"No pair\.")
                break
            speech.expect(r"Pair! \d+ points\.")
            player.gone.update((first_place, second_place))
        closed = player.computer_moves()

        # A card the computer showed and closed again is a hidden card once more: its place is
        # heard, never its picture. The keypad's Enter, the reader's "Where am I", says where the
        # cursor is in the list of cards and leaves the card as it is.
        row, col, _ = next(card for card in closed if card[:2] != (player.row, player.col))
        assert player.go_to(row, col) == "hidden"
        mark = len(speech.said)
        key("KP_Enter")
        speech.expect(rf".*\b{(row - 1) * GRID + col} of {GRID * GRID}\b.*", since=mark)
        late = speech.settle(1.0)
        if any(re.fullmatch(rf"{FACE}\.", text) for text in late):
            raise Failure(f"the keypad's Enter turned a card: {late}")

        # Orca's status bar command (Insert and the keypad's Enter twice) reads the side panel:
        # the scores by name, turn and round, each once, and nothing the announcer said before.
        mark = len(speech.said)
        subprocess.run(["xdotool", "keydown", "KP_Insert", "key", "--delay", "150", "KP_Enter",
                        "KP_Enter", "keyup", "KP_Insert"], check=True)
        speech.expect(r"[Ss]tatus ?bar\.", since=mark)  # Orca 48: "status bar"
        speech.expect(r"You: -?\d+ points\.")
        speech.expect(r"Your turn\.")
        speech.expect(r"Round \d+\.")
        speech.settle(1.0)
        status = [text for _, text in speech.said[mark:speech.read]]
        if any(re.search(FACE, text) for text in status):
            raise Failure(f"the status bar told a picture: {status}")
        if "Round :." in status or len(set(status)) < len(status) or "You." in status:
            raise Failure(f"the status bar told something twice or the round's caption: {status}")

        # Qt 6.4 asks Orca about every key and gives up waiting after 100 ms; on a loaded machine
        # Orca's late answers about its own command keys are then taken as answers about the next
        # keys, and one "consumed" answer swallows the next key. Let those answers come first.
        speech.settle(1.5)

        # One card, then nothing: the time runs out.
        player.turn(row, col)
        speech.expect(r"Time over\. 5 points lost: -?\d+ points\.", timeout=5 + WAIT)
        player.computer_moves()

        # A 10 x 10 board whose far cells Orca has met, then a 6 x 6 one: the cells that are gone
        # leave the reader's view, so it never asks for them again.
        choose_size(speech, 10)
        far = Player(speech)
        far.go_to(10, 10)
        choose_size(speech, 6)
        far = Player(speech)
        far.go_to(2, 2)
        speech.settle(2.0)
        invalid = invalid_cells(work)
        if invalid > 2:
            raise Failure(f"Orca kept asking for cells that are gone: {invalid} times")
        check_every_utterance(speech.said)
        delays = sorted(player.arrow_delays)
        print(f"cell spoken after an arrow key: median {statistics.median(delays) * 1000:.0f} ms "
              f"over {len(delays)} keys (xdotool's start included)")
        return speech
    finally:
        for process in (game, orca):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
        speech.poll()
        print("Orca said:")
        for when, text in speech.said:
            print(f"  {when:.3f}  {text}")


def from_command_line(args):
    whole = args[1:] == ["--whole-game"]
    if not (len(args) == 1 or whole or (len(args) == 3 and args[1] in ("--arrows", "--language"))):
        raise Usage()
    arrows = int(args[2]) if len(args) == 3 and args[1] == "--arrows" else 0
    language = args[2] if len(args) == 3 and args[1] == "--language" else None
    if whole:
        global GRID
        GRID = 6
    with tempfile.TemporaryDirectory(prefix="vimbrel-orca-") as work:
        play(os.path.abspath(args[0]), work, arrows, whole, language)


if __name__ == "__main__":
    sys.exit(main(__doc__, from_command_line))
