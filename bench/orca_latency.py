#!/usr/bin/python3
"""How long Orca takes to speak what the game tells it: plays the Orca test's game
(tests/ui/orca_test.py) while dbus-monitor records the accessibility bus, and pairs each text Orca
spoke with the moment the game sent it.

    scripts/with-display --wm --bus -- bench/orca_latency.py build/default/ui/vimbrel

Prints, for your card, the computer's card, "Your turn." and "Time over.", the delay from the
game's event on the bus to Orca's speech, and the arrow keys' delay from the key to the cell's
name, with the machine's load.
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "ui"))
import orca_test  # noqa: E402  (it skips, exit 77, when Orca is missing)

KINDS = (("your card", rf"{orca_test.FACE}\."),
         ("the computer's card", rf"Row \d+, column \d+: {orca_test.FACE}\."),
         ("Your turn.", r"(Round \d+\. )?Your turn\."),
         ("Time over.", r"Time over\. .*"))


def bus_strings(monitor_log):
    """(time, text) of every string a signal carried on the accessibility bus."""
    sent, when = [], None
    with open(monitor_log, encoding="utf-8", errors="replace") as log:
        for line in log:
            header = re.match(r"signal time=(\d+\.\d+)", line)
            if header:
                when = float(header.group(1))
                continue
            text = re.search(r'string "(.*)"$', line)
            if text and when is not None:
                sent.append((when, text.group(1)))
    return sent


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    address = subprocess.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                             check=True, capture_output=True, text=True).stdout.strip()
    load = os.getloadavg()[0]
    with tempfile.TemporaryDirectory(prefix="vimbrel-latency-") as work:
        monitor_log = os.path.join(work, "bus.txt")
        with open(monitor_log, "w") as out:
            monitor = subprocess.Popen(["dbus-monitor", "--address", address, "type='signal'"],
                                       stdout=out, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        try:
            speech = orca_test.play(os.path.abspath(sys.argv[1]), work)
        finally:
            monitor.terminate()
            monitor.wait()
        sent = bus_strings(monitor_log)
    print(f"load average {load:.1f} at the start, {os.getloadavg()[0]:.1f} at the end")
    for name, pattern in KINDS:
        delays = []
        for spoken, text in speech.said:
            if re.fullmatch(pattern, text):
                # The last time the game sent that text before Orca spoke it.
                times = [when for when, string in sent if string == text and when <= spoken]
                if times:
                    delays.append((spoken - times[-1]) * 1000)
        if delays:
            print(f"{name}: median {statistics.median(delays):.0f} ms, longest {max(delays):.0f} ms "
                  f"over {len(delays)}")
        else:
            print(f"{name}: not heard on the bus")
    return 0


if __name__ == "__main__":
    sys.exit(main())
