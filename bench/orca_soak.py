#!/usr/bin/python3
"""A soak run with the Orca screen reader: random real clicks and keys on the game, through the X
server, with Orca listening, and a count of what the game sends the reader over the accessibility
bus (its signals) and of what the reader asks the game back (method calls), per deal, per click
and per key.

    scripts/with-display --wm --bus -- bench/orca_soak.py VIMBREL [EVENTS [SEED]]

First it deals six boards (8, 10, 10, 6, 6 and 8 cards a side), each heard before the next, for
the count of a deal of each kind. Then EVENTS random events (6000 by default): clicks land anywhere on the board and the side panel (never on the menu
bar: Exit is there); keys are the board's (arrows, Home, End, Ctrl+Home, Ctrl+End, Space, Return,
Escape); about one event in a hundred deals a new board of a random size from the Size menu, as a
screen reader activates a menu item. Fails (exit 1) when the game or Orca dies, the game stops
answering, Orca is silent for 60 s, the game's log holds a sanitizer report or one of the
accessibility bridge's complaints, or Orca says nothing for a fresh game started afterwards.
"""
import bisect
import collections
import os
import random
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "ui"))
import orca_test  # noqa: E402  (it skips, exit 77, when Orca is missing)
from real_program import Failure, key  # noqa: E402

KEYS = ("Left", "Right", "Up", "Down", "Home", "End", "ctrl+Home", "ctrl+End", "space", "Return",
        "Escape")
SILENCE = 60.0  # seconds without a word from Orca that count as Orca fallen silent
# What the game's log must not hold: sanitizer reports and the bridge's complaints.
FAULTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
          *orca_test.BRIDGE_FAULTS)


# Added to Orca's start-up settings: every 5 s, the length of Orca's queue of events, and on
# SIGUSR1 a dump of where each of its threads is, both beside its speech log.
WATCH_ORCA = """
import faulthandler as _faulthandler, signal as _signal, threading as _threading, time as _time
_stacks = open(os.environ["VIMBREL_SPEECH_LOG"] + ".stacks", "w")
_faulthandler.register(_signal.SIGUSR1, file=_stacks, all_threads=True)
def _queue_watch():
    from orca import event_manager
    with open(os.environ["VIMBREL_SPEECH_LOG"] + ".queue", "w") as out:
        while True:
            _time.sleep(5)
            manager = event_manager.getManager() if hasattr(event_manager, "getManager") else None
            queue = getattr(manager, "_eventQueue", None) or getattr(manager, "_event_queue", None)
            out.write(f"{_time.time():.3f} {queue.qsize() if queue else -1}\\n")
            out.flush()
_threading.Thread(target=_queue_watch, daemon=True).start()
"""


def a11y_bus(env):
    """The address of the accessibility bus of the session."""
    reply = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                            "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"], env=env,
                           capture_output=True, text=True, check=True).stdout
    return re.search(r"'([^']*)'", reply).group(1)


def bus_name_of(address, pid):
    """The unique name on the bus at `address` of the process `pid`."""
    def call(method, *args):
        return subprocess.run(["gdbus", "call", "--address", address, "--dest",
                               "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                               "--method", f"org.freedesktop.DBus.{method}", *args],
                              capture_output=True, text=True).stdout
    for name in re.findall(r"':[0-9.]+'", call("ListNames")):
        if re.search(rf"\b{pid}\b", call("GetConnectionUnixProcessID", name.strip("'"))):
            return name.strip("'")
    raise Failure(f"the game (process {pid}) is not on the accessibility bus")


def window_geometry():
    """x, y, width and height of the board window's client area on the screen. (A click beside
    the window would take the keys from it, and Orca leaves the news of a window without them
    unsaid.)"""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Vimbrel$",
                          "getwindowgeometry", "--shell"], capture_output=True, text=True).stdout
    values = dict(re.findall(r"^(\w+)=(\d+)$", out, re.M))
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def size_items():
    """The Size menu's items by size, and the Computer menu's memory levels, to be activated as a
    screen reader activates them."""
    import pyatspi
    from gi.repository import GLib
    # libatspi finds fault with the signature of Qt's children-changed signals, once per signal.
    GLib.log_set_handler("dbind", GLib.LogLevelFlags.LEVEL_WARNING, lambda *args: None)
    desktop = pyatspi.Registry.getDesktop(0)
    app = next(a for a in desktop if a is not None and a.name.lower() == "vimbrel")
    items = {grid: pyatspi.findDescendant(app, lambda a: a.name == f"{grid} by {grid}", True)
             for grid in (6, 8, 10)}
    items["memory"] = [pyatspi.findDescendant(app, lambda a, name=name: a.name == name, True)
                       for name in ("Good Memory", "Normal Memory", "Low Memory")]
    return items


def deal(items, grid, before):
    """Deals a board of `grid` cards a side, the board being of `before`: by the Size menu, or for
    the same size (the size already chosen deals nothing, and New asks first) by a memory level
    not chosen yet."""
    import pyatspi
    item = items[grid] if grid != before else next(
        level for level in items["memory"] if not level.getState().contains(pyatspi.STATE_CHECKED))
    item.queryAction().doAction(0)


def dealt(speech, items, grid, timeout, before):
    """Deals a board of `grid` cards a side through the Size menu, again every two seconds, until Orca
    says the new game; whether it did within `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        mark = len(speech.said)
        deal(items, grid, before)
        try:
            speech.expect(rf"New game, {grid} by {grid} cards, .*", since=mark, timeout=10.0)
            return True
        except Failure:
            pass
    return False


def count_traffic(monitor_log, game, reader, actions):
    """Per kind of action: how many signals the game sent and calls the reader made to it, in the
    time from each action to the next."""
    sent = collections.defaultdict(list)
    asked = collections.defaultdict(list)
    members = collections.Counter()
    times = [when for when, _ in actions]
    signals = [0] * len(actions)
    calls = [0] * len(actions)
    with open(monitor_log, errors="replace") as log:
        for line in log:
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 8 or fields[0] not in ("sig", "mc"):
                continue
            index = bisect.bisect_right(times, float(fields[1])) - 1
            if index < 0:
                continue
            if fields[0] == "sig" and fields[3] == game:
                signals[index] += 1
                members[(actions[index][1].split(",")[0], fields[7])] += 1
            elif fields[0] == "mc" and fields[3] == reader and fields[4] == game:
                calls[index] += 1
    for (_, kind), signal_count, call_count in zip(actions, signals, calls):
        sent[kind].append(signal_count)
        asked[kind].append(call_count)
    return sent, asked, members


def soak(binary, events, seed):
    rng = random.Random(seed)
    print(f"seed {seed}, {events} events, load average {os.getloadavg()[0]:.1f}")
    work = tempfile.mkdtemp(prefix="vimbrel-soak-")
    print(f"work folder {work}", flush=True)
    orca_test.CUSTOMISATIONS += WATCH_ORCA
    speech, env, orca = orca_test.start_orca(work)
    address = a11y_bus(env)
    monitor_log = os.path.join(work, "bus.tsv")
    monitor = subprocess.Popen(["dbus-monitor", "--address", address, "--profile"],
                               stdout=open(monitor_log, "w"), stderr=subprocess.DEVNULL)
    game_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = subprocess.Popen([binary], env=game_env, stderr=open(os.path.join(work, "game.err"), "w"))
    actions = []  # (time, what), each action as it began
    longest_silence = 0.0
    problem = None  # what went wrong, told after the counts
    elapsed = 0.0
    try:
        speech.expect(r"Welcome !! Please Select -- dialog\.", timeout=60)
        key("Return")
        speech.expect(r"New game, 8 by 8 cards, .*", timeout=60)
        name, reader = bus_name_of(address, game.pid), bus_name_of(address, orca.pid)
        items = size_items()
        x, y, width, height = window_geometry()
        # First a deal of each kind, alone, each heard before the next.
        grid = 8
        for size in (8, 10, 10, 6, 6, 8):
            time.sleep(2.0)
            actions.append((time.time(), "deal, same size" if size == grid else
                            f"deal, {grid} to {size}"))
            if not dealt(speech, items, size, 30.0, grid):
                raise Failure(f"the game took no deal of {size} by {size}")
            grid = size
        time.sleep(2.0)
        x, y, width, height = window_geometry()
        started = time.monotonic()
        for event in range(events):
            if game.poll() is not None:
                problem = f"the game ended (status {game.returncode}) at event {event}"
                break
            if orca.poll() is not None:
                problem = f"Orca ended (status {orca.returncode}) at event {event}"
                break
            speech.poll()
            last = speech.said[-1][0] if speech.said else 0.0
            silence = time.time() - last
            longest_silence = max(longest_silence, silence)
            if silence > SILENCE:
                for _ in range(3):  # where Orca is busy: three dumps of its threads
                    os.kill(orca.pid, signal.SIGUSR1)
                    time.sleep(2)
                problem = (f"Orca has said nothing of the game for {silence:.0f} s, at event "
                           f"{event}")
                break
            choice = rng.random()
            if choice < 0.01:
                grid, before = rng.choice((6, 8, 10)), grid
                actions.append((time.time(), "deal, same size" if grid == before else
                                f"deal, {before} to {grid}"))
                # Once: the game takes no menu command from a reader while a card moves, and then
                # the board keeps its size (rarely: a deal is one event in a hundred).
                deal(items, grid, before)
                # The window takes the size of the board: clicks stay on it.
                x, y, width, height = window_geometry()
            elif choice < 0.5:
                # Anywhere below the menu bar: the board and the side panel.
                at = (x + rng.randrange(width), y + 30 + rng.randrange(height - 30))
                actions.append((time.time(), "click"))
                subprocess.run(["xdotool", "mousemove", str(at[0]), str(at[1]), "click", "1"],
                               check=True)
            else:
                actions.append((time.time(), "key"))
                key(rng.choice(KEYS))
            time.sleep(rng.random() * 0.1)
            if event % 500 == 499:
                print(f"  {event + 1} events, {time.monotonic() - started:.0f} s, Orca said "
                      f"{len(speech.said)} texts", flush=True)
        actions.append((time.time(), "end"))
        elapsed = time.monotonic() - started
        # After the run, silent or not: a deal is heard, and a fresh game of Vimbrel.
        after = []
        key("Return")  # closes a Game Over box, if one is open
        time.sleep(1.0)
        if not dealt(speech, items, 6, 60.0, grid):
            after.append("the game took no new deal after the run, or Orca did not say it")
        game.terminate()
        game.wait(timeout=60)
        fresh = subprocess.Popen([binary], env=game_env,
                                 stderr=open(os.path.join(work, "fresh.err"), "w"))
        mark = len(speech.said)
        try:
            speech.expect(r"Welcome !! Please Select -- dialog\.", since=mark, timeout=60)
            print("Orca said the fresh game's welcome dialog", flush=True)
        except Failure:
            after.append("Orca said nothing of a fresh game")
            for _ in range(2):  # where Orca is now
                os.kill(orca.pid, signal.SIGUSR1)
                time.sleep(2)
        fresh.terminate()
        fresh.wait(timeout=60)
        problem = "; ".join(filter(None, [problem] + after)) or None
    finally:
        for process in (game, orca, monitor):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    process.kill()
    with open(os.path.join(work, "game.err"), errors="replace") as err:
        log = err.read()
    faults = {fault: log.count(fault) for fault in FAULTS if fault in log}
    print(f"{len(actions) - 1} actions in {elapsed:.0f} s; Orca said {len(speech.said)} texts, silent for "
          f"{longest_silence:.1f} s at the most; the game's log: {faults or 'clean'} ({work})")
    sent, asked, members = count_traffic(monitor_log, name, reader, actions[:-1])
    for kind in sorted(sent):
        print(f"  {kind}: {len(sent[kind])} times, signals to the reader median "
              f"{statistics.median(sent[kind]):.0f} (max {max(sent[kind])}, total "
              f"{sum(sent[kind])}), calls from the reader median "
              f"{statistics.median(asked[kind]):.0f} (max {max(asked[kind])}, total "
              f"{sum(asked[kind])})")
    for (kind, member), count in sorted(members.items()):
        print(f"    after a {kind}: {count} {member}")
    if problem or faults:
        raise Failure(problem or f"the game's log holds {faults}")


def main():
    args = sys.argv[1:]
    if not 1 <= len(args) <= 3:
        print(__doc__)
        return 2
    events = int(args[1]) if len(args) > 1 else 6000
    seed = int(args[2]) if len(args) > 2 else random.randrange(1 << 32)
    try:
        soak(os.path.abspath(args[0]), events, seed)
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
