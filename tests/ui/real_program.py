"""What the tests that play the real program by keys on a display of their own share: the names
of the pictures, the skip when a tool is missing, the keys, and the command line with its exit
status."""
import shutil
import subprocess
import sys

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests

# Every name the program gives a picture: a face-down card must never carry one of them.
FACES = ("genie", "frog", "jellyfish", "telephone", "handshake", "computer mouse", "mouse", "cloud",
         "snowflake", "robot", "bicycle", "cars", "rocket", "aeroplane", "clock", "cat", "book",
         "letter", "pen", "match", "imp", "bell", "watch", "Christmas tree", "light bulb")


class Failure(Exception):
    """What the program did wrong; the test fails with this text."""


class Usage(Exception):
    """The command line is wrong; the test ends with status 2 and this text."""


def skip(missing):
    """Ends the test as skipped for want of `missing`, a program or a Debian package."""
    print(f"skipped: {missing} is not installed")
    sys.exit(SKIP)


def need(*tools):
    """Ends the test as skipped when one of the programs is not installed."""
    for tool in tools:
        if not shutil.which(tool):
            skip(tool)


def key(*names):
    """Presses and releases each key in turn through the X server, as a player does."""
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "30", *names], check=True)


def main(usage, play):
    """Calls play(arguments) and turns how it ends into the exit status: 0 (PASS), 1 (FAIL and
    the reason) or 2 (the usage, or the text of a Usage raised)."""
    try:
        play(sys.argv[1:])
    except Usage as wrong:
        print(str(wrong) or usage)
        return 2
    except (Failure, AssertionError) as failure:
        print(f"FAIL: {failure}")
        return 1
    print("PASS")
    return 0
