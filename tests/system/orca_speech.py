"""Drives 分数問題 → 基本1 from the keyboard while Orca listens and checks what Orca said (the
SPEECH OUTPUT lines of its debug file): the answer box's name, the first problem, the
expected answer and the solution after a miss, the next problem after Tab and Space on
確認, a right answer; each told once, the countdown never; flat review reads the problem.
Run by accessibility_test.sh with "orca"; prints "ok -" and "FAIL -" lines.

    orca_speech.py WINDOW_ID ORCA_DEBUG_FILE
"""

import re
import subprocess
import sys
import time

ANSWER_BOX = "答えの入力 text."
TOLD = ["問題 3分の1x=2 方程式を解いて。",
        "ミス 1。正しい答え x=6。解き方 3分の1x=1分の2。3分の1x=3分の6。1x=6。x=6。",
        "問題 2分の1x=-4 方程式を解いて。",
        "正解 1。問題 -4分の1x=2 方程式を解いて。"]
REVIEWED = "-4分の1x=2 方程式を解いて。"
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?= ?[\[{]|$)")
failed = 0
heard, waited = [], 0


def report(good, what):
    global failed
    failed += not good
    print(("ok - " if good else "FAIL - ") + what, flush=True)


def told(wanted, seconds=10):
    """The first utterance after those waited for that contains wanted, or passes it."""
    global heard, waited
    test = wanted if callable(wanted) else (lambda said: wanted in said)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        with open(sys.argv[2], encoding="utf-8", errors="replace") as log:
            heard = [m.group(1) for m in map(UTTERANCE.search, log) if m]
        for index in range(waited, len(heard)):
            if test(heard[index]):
                waited = index + 1
                return heard[index]
        time.sleep(0.05)
    return None


def keys(*args):
    subprocess.run(["xdotool", *args], check=True)


def choose_first_set():
    """Each key heard before the next. Qt sends a key on once Orca has seen it: an Alt
    released before that (a tap quicker than a hand's) opens the menu bar on the release
    and closes it on the late press. Should it close, the focus is back in the answer box."""
    for _ in range(3):
        keys("keydown", "alt")
        told("left alt")
        keys("keyup", "alt")
        for key, entry in ((None, "方程式基本"), ("Right", "方程式標準"), ("Right", "方程式複雑"),
                           ("Right", "分数問題"), ("Down", "基本1")):
            if key:
                keys("key", key)
            said = told(lambda said: entry in said or said == ANSWER_BOX)
            if said in (None, ANSWER_BOX):
                break
        else:
            return True
    return False


def main():
    global waited
    keys("windowfocus", "--sync", sys.argv[1])
    report(told(lambda said: said == ANSWER_BOX), "the answer box says %r" % ANSWER_BOX)
    waited = len(heard)
    report(choose_first_set(), "the menu reaches 分数問題 → 基本1")
    for typed, key, after in (("", "Return", TOLD[0]), ("x=5", "Return", TOLD[1]),
                              ("", "Tab", "確認 push button"), ("", "space", TOLD[2]),
                              ("x=-8", "Return", TOLD[3])):
        if typed:
            keys("type", typed)
        keys("key", key)
        report(told(after), "%s %s: %r" % (typed, key, after))
    for text in TOLD:
        count = sum(text in said for said in heard)
        report(count == 1, "told once: %r (%d times)" % (text, count))
    ticks = [said for said in heard if re.search(r"\b\d{1,2}:\d{1,2}\b", said)]
    report(not ticks, "the countdown is never spoken: %r" % ticks)
    # Flat review from the top: the menu bar, then the problem where it is drawn.
    keys("key", "Insert+KP_Home")
    told("方程式基本")
    keys("key", "KP_Page_Up")
    report(told(lambda said: said == REVIEWED), "flat review reads %r" % REVIEWED)
    if failed:
        print("# what Orca said:\n" + "\n".join("#   %r" % said for said in heard))


if __name__ == "__main__":
    main()
    sys.exit(1 if failed else 0)
