"""Reads the running drill through the AT-SPI bus, as a screen reader does, while driving it
from the keyboard (xdotool): the invitation, the first problem of 分数問題 → 基本1 told as a
text change, a miss with the expected answer and the worked solution, Tab to 確認 and Space
on it. Prints the accessible tree after the miss. Run by accessibility_test.sh inside a
D-Bus session with the accessibility bus up; prints "ok -" and "FAIL -" lines, exits 1 on
a failure.

    accessibility_tree.py WINDOW_ID
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "minamo-drill"
INVITATION = "問題をくーれ"
# Problem 1 of the set in bank order, 1/3x=2, read with the fraction denominator first.
FIRST = "3分の1x=2 方程式を解いて。"
SECOND = "2分の1x=-4 方程式を解いて。"
SOLUTION = "3分の1x=1分の2\n3分の1x=3分の6\n1x=6\nx=6"

failed = 0


def report(good, what):
    global failed
    if not good:
        failed += 1
    print(("ok - " if good else "FAIL - ") + what, flush=True)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(test, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = test()
        if value:
            return value
        pump(0.1)
    return test()


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APP:
            return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def named(app, name, role=None):
    for node in walk(app):
        if node.name == name and (role is None or node.getRoleName() == role):
            return node
    return None


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def first_entry(app):
    """基本1 of the menu 分数問題, once it is showing."""
    menu = named(app, "分数問題", "menu item")
    for node in walk(menu) if menu else []:
        if node.name == "基本1" and "showing" in states(node):
            return node
    return None


def focused_entry(app):
    for node in walk(app):
        if node.getRoleName() == "text" and "focused" in states(node):
            return node
    return None


def states(node):
    held = node.getState()
    return [word for word, state in (("showing", pyatspi.STATE_SHOWING),
                                     ("focused", pyatspi.STATE_FOCUSED),
                                     ("editable", pyatspi.STATE_EDITABLE))
            if held.contains(state)]


def dump(node, depth=0):
    text = text_of(node)
    line = "%s%s %r [%s]" % ("  " * depth, node.getRoleName(), node.name, " ".join(states(node)))
    if text:
        line += " text=%r" % text
    print("#   " + line)
    if node.getRoleName() == "menu bar":
        return  # its entries are Qt's own and not in question here
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def keys(*args):
    subprocess.run(["xdotool", *args], check=True)


def main():
    window = sys.argv[1]
    app = wait_for(application, 15)
    if app is None:
        report(False, "no application %s on the accessibility bus" % APP)
        return
    problem = named(app, "問題", "text")
    report(problem is not None and text_of(problem) == INVITATION,
           "the problem area, role text, named 問題, reads %r"
           % (text_of(problem) if problem else None))

    # Focused once: a focus change between Alt and the arrows would close the menu bar.
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    told = []
    pyatspi.Registry.registerEventListener(
        lambda event: told.append((event.source.name, event.any_data)),
        "object:text-changed:insert")
    # The keys go to the window once Qt has made it active: the answer box has the focus.
    report(wait_for(lambda: focused_entry(app), 5) is not None,
           "the window is active, the answer box focused")
    # Alt and the arrows open the menu; it opens a moment later, its entries come onto the
    # bus first. (An Alt that came too early is pressed again.)
    for _ in range(3):
        keys("key", "alt")
        pump(0.3)
        keys("key", "Right", "Right", "Right", "Down")
        entry = wait_for(lambda: first_entry(app), 3)
        if entry is not None:
            break
        keys("key", "Escape", "Escape")
        pump(0.3)
    report(entry is not None, "the menu 分数問題 opens with 基本1 showing")
    keys("key", "Return")
    wait_for(lambda: text_of(problem) == FIRST, 5)
    report(text_of(problem) == FIRST,
           "after 分数問題 → 基本1 it reads %r" % text_of(problem))
    wait_for(lambda: ("問題", FIRST) in told, 3)
    report(("問題", FIRST) in told, "the new problem is told as a text change: %r" % told)

    keys("type", "--delay", "30", "x=5")
    keys("key", "Return")
    expected = named(app, "正しい答え", "text")
    wait_for(lambda: text_of(expected) == "x=6", 5)
    report(text_of(expected) == "x=6", "after a miss 正しい答え reads %r" % text_of(expected))
    report(text_of(named(app, "答え", "text")) == "x=5",
           "答え reads the typed %r" % text_of(named(app, "答え", "text")))
    solution = text_of(named(app, "解き方", "text"))
    report(solution == SOLUTION, "解き方 reads its lines %r" % solution)
    frame = named(app, "ミナモ塾", "frame")
    print("# the accessible tree after the miss:")
    dump(frame)

    confirm = named(app, "確認", "push button")
    keys("key", "Tab")
    wait_for(lambda: "focused" in states(confirm), 3)
    # The countdown ticks every 300 ms; its ticks must leave the focus on the button.
    pump(1)
    report("focused" in states(confirm), "Tab reaches 確認 and stays there (%s)"
           % " ".join(states(confirm)))
    keys("key", "space")
    wait_for(lambda: text_of(problem) == SECOND, 5)
    report(text_of(problem) == SECOND, "Space on 確認 goes on: 問題 reads %r" % text_of(problem))


if __name__ == "__main__":
    main()
    sys.exit(1 if failed else 0)
