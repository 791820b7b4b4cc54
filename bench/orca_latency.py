#!/usr/bin/python3
"""How long Orca takes to speak what the game tells it: plays the Orca test's game
(tests/ui/orca_test.py), with the game logging each text its announcer says and when, and pairs
each text Orca spoke with the moment the game said it.

    scripts/with-display --wm --bus -- bench/orca_latency.py build/default/ui/vimbrel

Prints, for your card, the computer's card, "Your turn." and "Time over.", the delay from the
game's announcement to Orca's speech, and the arrow keys' delay from the key to the cell's name,
with the machine's load.
"""
import datetime
import os
import re
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "ui"))
import orca_test  # noqa: E402  (it skips, exit 77, when Orca is missing)

KINDS = (("your card", rf"{orca_test.FACE}\."),
         ("the computer's card", rf"Row \d+, column \d+: {orca_test.FACE}\."),
         ("Your turn.", r"(Round \d+\. )?Your turn\."),
         ("Time over.", r"Time over\. .*"))
ANNOUNCED = re.compile(r"^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}) announced: (.*)$")


def announced(log_path):
    """(time, text) of every text the game's announcer said."""
    said = []
    with open(log_path, encoding="utf-8", errors="replace") as log:
        for line in log:
            match = ANNOUNCED.match(line.rstrip("\n"))
            if match:
                when = datetime.datetime.strptime(match.group(1), "%Y-%m-%d %H:%M:%S.%f").timestamp()
                said.append((when, match.group(2)))
    return said


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    os.environ["QT_LOGGING_RULES"] = "vimbrel.announcer.debug=true"
    os.environ["QT_MESSAGE_PATTERN"] = "%{time yyyy-MM-dd HH:mm:ss.zzz} announced: %{message}"
    load = os.getloadavg()[0]
    with tempfile.TemporaryDirectory(prefix="vimbrel-latency-") as work:
        # The test keeps the game's standard error, its log, in the work folder.
        speech = orca_test.play(os.path.abspath(sys.argv[1]), work)
        log_path = os.path.join(work, "game.err")
        sent = announced(log_path)
    print(f"load average {load:.1f} at the start, {os.getloadavg()[0]:.1f} at the end")
    for name, pattern in KINDS:
        delays = []
        for spoken, text in speech.said:
            if re.fullmatch(pattern, text) or re.fullmatch(pattern, text + "."):  # Orca 48: "frog"
                # The last time the game said that text before Orca spoke it.
                # (A picture's name is said bare; Orca ends it with a full stop.)
                times = [when for when, string in sent if string.rstrip(".") == text.rstrip(".")
                         and when <= spoken]
                if times:
                    delays.append((spoken - times[-1]) * 1000)
        if delays:
            print(f"{name}: median {statistics.median(delays):.0f} ms, longest {max(delays):.0f} ms "
                  f"over {len(delays)}")
        else:
            print(f"{name}: never said")
    return 0


if __name__ == "__main__":
    sys.exit(main())
