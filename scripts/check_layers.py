#!/usr/bin/env python3
"""Checks that every folder uses only the folders below it.

Reads the project's own includes ("folder/file.h" and same-folder "file.h") in every .h
and .cpp file below ROOT and fails, naming the file and line, when a file includes a
folder above its own or beside it on the same floor, when two folders include each other,
or when a file lies in a folder the table below does not place.

    scripts/check_layers.py [--table] [ROOT]

--table also prints how many includes go from each folder to each other folder.
"""

import os
import re
import sys

# The floors, lowest first. A folder may include its own folder and folders on lower
# floors. The top floor (programs, tools, fuzz targets, every folder's tests/) may use
# anything, but no two folders may include each other there either.
FLOORS = [
    ["platform"],
    ["core"],
    ["banks"],
    ["render"],
    ["algebra"],
    ["answer", "history"],
    ["app", "report"],
    ["qt", "fake"],
    ["tools", "fuzz", "tests"],
]
TOP = len(FLOORS) - 1
SKIPPED_DIRS = {".git", "docs", "packaging", "scripts", "cmake"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def floor_of(folder):
    for number, folders in enumerate(FLOORS):
        if folder in folders:
            return number
    return None


def folder_of(path):
    """The table's folder a file belongs to: the longest listed prefix of its path; every
    tests/ folder counts as the top floor under its own name."""
    parts = path.split("/")
    if "tests" in parts[:-1]:
        return "/".join(parts[: parts.index("tests") + 1])
    best = None
    for folders in FLOORS:
        for folder in folders:
            if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
                best = folder
    return best


def floor_of_file(path):
    folder = folder_of(path)
    if folder is None:
        return None, None
    if folder.endswith("tests"):
        return folder, TOP
    return folder, floor_of(folder)


def source_files(root):
    for directory, dirs, files in os.walk(root):
        rel_dir = os.path.relpath(directory, root)
        dirs[:] = sorted(
            d for d in dirs
            if not (rel_dir == "." and (d in SKIPPED_DIRS or d.startswith("build")))
        )
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.normpath(os.path.join(rel_dir, name))


def resolve(root, including, target):
    """The project file an include names, or None for a header outside the project."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), target))
    if os.path.isfile(os.path.join(root, beside)):
        return beside
    if os.path.isfile(os.path.join(root, target)):
        return os.path.normpath(target)
    return None


def check(root):
    problems = []
    edges = {}  # (from folder, to folder) -> first "file:line"
    counts = {}  # (from folder, to folder) -> includes
    for path in source_files(root):
        folder, floor = floor_of_file(path)
        if floor is None:
            problems.append(f"{path}: the folder is not placed on any floor of the layers")
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, start=1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = resolve(root, path, match.group(1))
                if target is None:
                    continue
                to_folder, to_floor = floor_of_file(target)
                if to_folder is None or to_folder == folder:
                    continue
                where = f"{path}:{number}"
                edges.setdefault((folder, to_folder), where)
                counts[(folder, to_folder)] = counts.get((folder, to_folder), 0) + 1
                if to_floor > floor:
                    problems.append(
                        f"{where}: {folder}/ includes {target}, a folder above its own")
                elif to_floor == floor and floor != TOP:
                    problems.append(
                        f"{where}: {folder}/ includes {target}, a folder beside its own")
    for (a, b), where in sorted(edges.items()):
        if a < b and (b, a) in edges:
            problems.append(
                f"{where} and {edges[(b, a)]}: {a}/ and {b}/ include each other")
    return problems, counts


def main():
    args = sys.argv[1:]
    table = "--table" in args
    args = [a for a in args if a != "--table"]
    root = args[0] if args else os.path.join(os.path.dirname(__file__), "..")
    problems, counts = check(os.path.abspath(root))
    if table:
        for (a, b), n in sorted(counts.items()):
            print(f"{a} -> {b}: {n}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"layers: {len(problems)} include(s) break the layers")
        return 1
    print("layers: every include goes down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
