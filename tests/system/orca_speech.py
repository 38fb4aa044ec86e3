"""Drives the drill from the keyboard while Orca listens, and reads what Orca said from the
SPEECH OUTPUT lines of its debug file: the answer box named as the window takes the focus,
the first problem of 分数問題 → 基本1, after a miss the expected answer and the worked
solution, 確認 reached by Tab, the next problem after Space, a right answer; each told once
and the countdown never. Orca's flat review then reads the problem where it is drawn. Run
by accessibility_test.sh with "orca"; prints "ok -" and "FAIL -" lines, exits 1 on a
failure.

    orca_speech.py WINDOW_ID ORCA_DEBUG_FILE
"""

import re
import subprocess
import sys
import time

ANSWER_BOX = "答えの入力 text."
# 分数問題 → 基本1 in bank order, fractions read denominator first.
FIRST = "問題 3分の1x=2 方程式を解いて。"
MISS = "ミス 1。正しい答え x=6。解き方 3分の1x=1分の2。3分の1x=3分の6。1x=6。x=6。"
SECOND = "問題 2分の1x=-4 方程式を解いて。"
RIGHT = "正解 1。問題 -4分の1x=2 方程式を解いて。"
# The problem as flat review reads it, on a line of its own under the menu bar.
THIRD = "-4分の1x=2 方程式を解いて。"
CLOCK = re.compile(r"\b\d{1,2}:\d{1,2}\b")
# An utterance runs to the quote before the voice Orca names after it.
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?= ?[\[{]|$)")
WAIT = 10

failed = 0


def report(good, what):
    global failed
    if not good:
        failed += 1
    print(("ok - " if good else "FAIL - ") + what, flush=True)


class Speech:
    """The utterances in Orca's debug file, read as they come."""

    def __init__(self, path):
        self.path = path
        self.heard = []
        self.waited = 0  # the utterances before this one were waited for

    def read(self):
        with open(self.path, encoding="utf-8", errors="replace") as log:
            self.heard = [m.group(1) for m in map(UTTERANCE.search, log) if m]

    def wait_for(self, test):
        """The first utterance after those waited for that passes test, within WAIT s."""
        end = time.monotonic() + WAIT
        while True:
            self.read()
            for index in range(self.waited, len(self.heard)):
                if test(self.heard[index]):
                    self.waited = index + 1
                    return self.heard[index]
            if time.monotonic() > end:
                return None
            time.sleep(0.05)

    def told(self, text):
        return self.wait_for(lambda said: text in said)

    def count(self, text):
        return sum(text in said for said in self.heard)


def keys(*args):
    subprocess.run(["xdotool", *args], check=True)


def choose_first_set(speech):
    """Alt, then one key at a time to 分数問題 → 基本1, each one heard before the next.

    Qt holds every key until Orca has seen it and then sends it again. An Alt released
    before Orca has seen it being pressed (a tap quicker than a hand's) opens the menu bar
    on the release and closes it on the copy sent again: Alt is held until Orca has said it.
    Should the menu bar close all the same, the focus is back in the answer box and the
    menu is opened anew."""
    for _ in range(3):
        keys("keydown", "alt")
        speech.told("left alt")
        keys("keyup", "alt")
        for key, entry in (("", "方程式基本"), ("Right", "方程式標準"), ("Right", "方程式複雑"),
                           ("Right", "分数問題"), ("Down", "基本1")):
            if key:
                keys("key", key)
            said = speech.wait_for(lambda said: entry in said or said == ANSWER_BOX)
            if said is None or said == ANSWER_BOX:
                break
        else:
            return True
        if said is None:
            keys("key", "Escape", "Escape")
    return False


def main():
    window, debug_file = sys.argv[1], sys.argv[2]
    speech = Speech(debug_file)
    keys("windowfocus", "--sync", window)
    report(speech.wait_for(lambda said: said == ANSWER_BOX) is not None,
           "the focus on the answer box says %r" % ANSWER_BOX)

    speech.waited = len(speech.heard)
    report(choose_first_set(speech), "the menu reaches 分数問題 → 基本1")
    keys("key", "Return")
    report(speech.told(FIRST) is not None, "the first problem is told: %r" % FIRST)

    keys("type", "--delay", "50", "x=5")
    keys("key", "Return")
    report(speech.told(MISS) is not None, "a miss tells the expected answer and the solution")
    keys("key", "Tab")
    report(speech.told("確認 push button") is not None, "Tab says 確認")
    keys("key", "space")
    report(speech.told(SECOND) is not None, "Space on 確認 tells the next problem: %r" % SECOND)
    keys("type", "--delay", "50", "x=-8")
    keys("key", "Return")
    report(speech.told(RIGHT) is not None, "a right answer is told with the next problem")

    for text in (FIRST, MISS, SECOND, RIGHT):
        report(speech.count(text) == 1, "told once: %r (%d times)" % (text, speech.count(text)))
    ticks = [said for said in speech.heard if CLOCK.search(said)]
    report(not ticks, "the countdown is never spoken: %r" % ticks)

    # Flat review from the top of the window: the menu bar, then the problem's line.
    keys("key", "Insert+KP_Home")
    speech.told("方程式基本")
    keys("key", "KP_Page_Up")
    report(speech.wait_for(lambda said: said == THIRD) is not None,
           "flat review reads the problem where it is drawn: %r" % THIRD)

    if failed:
        print("# what Orca said:")
        for said in speech.heard:
            print("#   %r" % said)


if __name__ == "__main__":
    main()
    sys.exit(1 if failed else 0)
