#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/ (seed-* files).

The seeds are committed; this script only documents how they were made and remakes them:
    python3 fuzz/make_seeds.py
Inputs the fuzzers find and that are merged by hand (see ./fuzzers) keep their own names.
"""

import pathlib
import random
import re

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / f"seed-{name}").write_bytes(data)


def sjis(text):
    return text.encode("shift_jis")


# --- history_file: family files as they are found on disk -------------------------------
B1, B3, F1 = "方程式基本1.txt", "方程式基本3.txt", "方程式分数1.txt"
histories = {
    "empty": b"",
    "header-only": sjis("2026/12/01\r\n"),
    "one-record": sjis(f"2026/12/01\r\n12,261201#{B1}\r\n"),
    "two-sets": sjis(f"2026/12/01\r\n9,261130#{B3}\r\n15,261201#{B1}\r\n"),
    "lf-only": sjis(f"2026/12/01\n12,261201#{B1}\n7,261202#{B1}\n"),
    "cr-only": sjis(f"2026/12/01\r12,261201#{B1}\r7,261202#{B1}\r"),
    "mixed-line-ends": sjis(f"2026/12/01\r\n1,261201#{B1}\n2,261202#{B1}\r3,261203#{B1}\r\n"),
    "no-final-line-end": sjis(f"2026/12/01\r\n12,261201#{B1}"),
    "no-header": sjis(f"12,261201#{B1}\r\n13,261202#{B1}\r\n"),
    "no-set-name": sjis("2026/12/01\r\n12,261201\r\n"),
    "line-without-comma": sjis(f"2026/12/01\r\n12,261201#{B1}\r\nnothing here\r\n5,261203#{B1}\r\n"),
    "blank-lines": sjis(f"2026/12/01\r\n\r\n   \r\n12,261201#{B1}\r\n\r\n"),
    "negative-and-zero": sjis(f"2026/12/01\r\n-3,261201#{B1}\r\n0,261202#{B1}\r\n"),
    "decimal-score": sjis(f"2026/12/01\r\n12.5,261201#{B1}\r\n13.5,261202#{B1}\r\n"),
    "huge-score": sjis(f"2026/12/01\r\n99999,261201#{B1}\r\n-99999,261202#{B1}\r\n1e300,1#{B1}\r\n"),
    "hashes": sjis(f"2026/12/01\r\n12,2612#01##{B1}\r\n3,#\r\n4,,#,\r\n"),
    "other-family": sjis(f"2026/12/01\r\n12,261201#{F1}\r\n"),
    "blanks-around": sjis(f"2026/12/01\r\n 12 , 261201 #{B1} \r\n\t3,261202#{B1}\r\n"),
    "full-width": sjis(f"２０２６／１２／０１\r\n１２，２６１２０１＃{B1}\r\n"),
    "many-records": sjis("2026/12/01\r\n"
                         + "".join(f"{i % 41},2612{i % 28 + 1:02}#{B1 if i % 3 else B3}\r\n"
                                   for i in range(105))),
    "invalid-sjis": b"2026/12/01\r\n12,261201#\x95\xfb\x92\r\n\x81\x20\xff\xfe\r\n",
    "cut-lead-byte": sjis(f"2026/12/01\r\n12,261201#{B1}\r\n") + b"\x95",
    "nul-byte": sjis(f"2026/12/01\r\n12,261201#{B1}\r\n") + b"\x00\r\n",
    "half-width-kana": sjis(f"2026/12/01\r\n12,261201#ﾐﾅﾓ\r\n"),
    "yen-and-tilde": sjis(f"2026/12/01\r\n12,261201#\\~{B1}\r\n"),
    "control-characters": b"2026/12/01\r\n12,261201#\x01\x02\x1b\x7f\r\n\x0b\x0c\r\n",
}
for name, data in histories.items():
    write("history_file", name, data)


# --- answer_keys: a set, then key codes (16 bits, little-endian) -------------------------
def key_codes(text):
    """The key notation of the trace tool: \\b Backspace, \\t Tab, \\n Enter, \\xNNNN a code."""
    codes = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            if n in "btn":
                codes.append({"b": 8, "t": 9, "n": 13}[n])
                i += 2
                continue
            if n == "x":
                codes.append(int(text[i + 2:i + 6], 16))
                i += 6
                continue
        if ord(c) < 128:
            codes.append(ord(c))
        else:
            b = c.encode("shift_jis")
            codes.append(b[0] if len(b) == 1 else b[0] << 8 | b[1])
        i += 1
    return codes


def keys(menu_entry, text):
    data = bytes([menu_entry])
    for code in key_codes(text):
        data += (code & 0xFFFF).to_bytes(2, "little")
    return data


key_seeds = {
    "whole-answer": (0, "x=5\\n"),
    "fraction-denominator-first": (13, "x=-3/8\\n"),
    "fraction-numerator-first": (13, "x=-8/3"),
    "bare-fraction": (14, "2/9"),
    "minus-fraction": (15, "-3/8"),
    "power": (3, "x2"),
    "power-backspace": (3, "3x^2\\b"),
    "equals-clears-power": (3, "x=2"),
    "capitals": (4, "X=5Y2"),
    "symbols": (5, "*rd;()abAF"),
    "space-in-fraction": (13, "x=-3/ "),
    "double-signs": (6, "x=++--3"),
    "backspaces": (7, "x=-3/8\\b\\b\\b\\b\\b\\b\\b"),
    "backspace-empty": (8, "\\b\\b\\b"),
    "second-slash": (13, "x=3//4"),
    "two-fractions": (14, "x=1/2+3/4-5/6"),
    "suffix-after-x": (14, "x=2/3x+1"),
    "long-entry": (9, "x=" + "1234567890" * 4),
    "long-fraction": (13, "x=-" + "9" * 20 + "/" + "8" * 20),
    "enter-empty": (0, "\\n\\n"),
    "wrong-answer": (10, "x=99\\n"),
    "many-misses": (11, "x=99" + "\\n" * 45),
    "many-misses-fraction": (13, "x=1/99" + "\\n" * 45),
    "right-answers": (1, "x=1\\nx=2\\nx=3\\n"),
    "tab-escape": (2, "x\\t=\\x001b5"),
    "double-byte": (12, "ｘ＝５あ　"),
    "extreme-codes": (12, "\\x7fff\\x8000\\xffff\\x0000\\x0001"),
    "decimal-point": (4, "x=0.5/1.5"),
    "backspace-in-suffix": (14, "x=2/3x+\\b\\b"),
    "minus-then-slash": (15, "-/3\\b8"),
}
for name, (entry, text) in key_seeds.items():
    write("answer_keys", name, keys(entry, text))


# --- worked_solution: equation texts ----------------------------------------------------
bank_equations = []
for source in sorted((ROOT / "banks").glob("banks_*.cpp")):
    found = re.findall(r'QStringLiteral\("([^"]*) 方程式を解いて。"\)', source.read_text("utf-8"))
    bank_equations += found[::18]  # a few of each set, spread over its difficulty
for i, equation in enumerate(bank_equations):
    write("worked_solution", f"bank-{i:02}", equation.encode("utf-8"))

equations = {
    # the design examples
    "design-1": "4x+2=2x",
    "design-2": "-3(x+6)=2(x-3)",
    "design-3": "3/5x=1/5",
    "design-4": "-6(-x-9)-6(-4x-7)=6",
    "design-5": "-13=6-2(3x-1)",
    "zero-coefficient": "2x+1=2x+3",
    "with-instruction": "4x+2=2x 方程式を解いて。",
    # outside what the banks hold
    "no-equals": "3x+2",
    "only-equals": "=",
    "empty-sides": "x=",
    "two-equals": "x=2=3",
    "nested": "2(3(x+1)-1)=4",
    "unclosed": "3(x+1=2",
    "stray-close": "x)+1=2",
    "no-letter-bracket": "2(3+4)=x",
    "other-letter": "2y+3=y",
    "two-letters": "2x+3y=4",
    "decimals": "0.5x=1.5",
    "power": "x^2=4",
    "full-width-signs": "３x－２＝χ＋４",
    "zero-denominator": "x/0=1",
    "five-fraction-terms": "x/2+x/3+x/4+x/5=1",
    "slash-only": "/=/",
    # beyond 16 bits
    "large-products": "300(200x)-300(199x)=600",
    "large-difference": "30000x=-30000x+1",
    "large-literal": "40000x-39999x=2",
    "large-common-denominator": "x/181+x/191=1",
    "large-fraction-literal": "53627/3-33=27+7x",
    "at-the-limit": "32767x=-32768",
}
for name, text in equations.items():
    write("worked_solution", name, text.encode("utf-8"))

# Structured inputs: 0xFF, then the choices the target builds a bank-like equation from.
choices = random.Random(20261209)
for i in range(8):
    data = bytes([0xFF, i % 2]) + bytes(choices.randrange(256) for _ in range(8 + 3 * i))
    write("worked_solution", f"generated-{i}", data)
