#!/usr/bin/env python3
"""Checks the sources against the layer table (layers.json).

Every top-level folder is one floor of the table and may use only the folders its row
names, all on lower floors. The check reads the project's own includes ("folder/file.h"
and same-folder "file.h") in every .h and .cpp file and the source files named in every
CMakeLists.txt, and fails, naming the file and line, when
- a file includes a folder its folder may not use (above it, beside it, or below it but
  not in its row);
- a folder's tests include more than their folder may use and the test support;
- a file (not a test) includes a Qt header of a module its row does not name (QtWidgets in
  a QtCore floor), where Qt's headers are installed to tell the modules apart;
- two top-floor folders include each other;
- a CMakeLists.txt compiles a source file of another folder (it must link its library);
- a file lies in a folder the table does not place;
- the README's layer table or the drawing differ from the ones the table gives.

    scripts/check_layers.py [--table] [--write-readme] [ROOT]

--table also prints how many includes go from each folder to each other folder;
--write-readme writes the table into README.md between its two layer-table markers and
draws docs/layers.svg from it.
"""

import json
import os
import re
import sys

SKIPPED_DIRS = {".git", "docs", "packaging", "scripts", "cmake"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QT_INCLUDE = re.compile(r'^\s*#\s*include\s*<(?:Qt(\w+)/)?(Q\w+)>')
QT_HEADER_ROOTS = ["/usr/include/x86_64-linux-gnu/qt6", "/usr/include/aarch64-linux-gnu/qt6",
                   "/usr/include/qt6"]
# A source file named in a CMakeLists.txt: a word ending in .cpp, .h or .c, with or without
# one of CMake's folder variables in front.
CMAKE_SOURCE = re.compile(r'(?<![\w./${}-])((?:\$\{[A-Z_]+\}/)?[\w./-]+\.(?:cpp|h|c))\b')
CMAKE_FOLDER_VARIABLES = {
    "${PROJECT_SOURCE_DIR}": "root",
    "${CMAKE_SOURCE_DIR}": "root",
    "${CMAKE_CURRENT_SOURCE_DIR}": "here",
    "${CMAKE_CURRENT_LIST_DIR}": "here",
}
README_BEGIN = "<!-- layer table: written by scripts/check_layers.py --write-readme -->"
README_END = "<!-- end of the layer table -->"
DRAWING = "docs/layers.svg"
ANYTHING = "*"


class Table:
    def __init__(self, root):
        with open(os.path.join(root, "layers.json"), encoding="utf-8") as f:
            data = json.load(f)
        self.rows = data["folders"]
        self.floor = {row["folder"]: row["floor"] for row in self.rows}
        self.uses = {row["folder"]: set(row["uses"]) for row in self.rows}
        self.support = list(data["tests"]["support"])
        self.support_above_app = list(data["tests"]["support_above_app"])

    def problems(self):
        """Rows that break the table's own rule: a use that is not on a lower floor."""
        problems = []
        for row in self.rows:
            for used in row["uses"]:
                if used == ANYTHING:
                    continue
                if used not in self.floor:
                    problems.append(f"layers.json: {row['folder']}/ uses {used}/, which has no row")
                elif self.floor[used] >= row["floor"]:
                    problems.append(
                        f"layers.json: {row['folder']}/ uses {used}/, which is not on a lower floor")
        return problems

    def closure(self, folder):
        """The folders a folder may use, directly or through the folders it uses."""
        seen, todo = set(), list(self.uses.get(folder, ()))
        while todo:
            used = todo.pop()
            if used in seen or used == ANYTHING:
                continue
            seen.add(used)
            todo.extend(self.uses.get(used, ()))
        return seen

    def may_use(self, folder, used, in_tests):
        if ANYTHING in self.uses[folder]:
            return True
        if not in_tests:
            return used in self.uses[folder]
        allowed = self.closure(folder) | set(self.support)
        if "app" in allowed or folder == "app":
            allowed |= set(self.support_above_app)
        for support in list(allowed & set(self.support + self.support_above_app)):
            allowed |= self.closure(support)
        return used in allowed

    def drawing(self):
        """The layers as an SVG picture, lowest floor at the bottom, a box per folder."""
        floors = sorted({row["floor"] for row in self.rows})
        width, row_height, gap, margin = 760, 50, 8, 16
        height = margin * 2 + len(floors) * (row_height + gap) - gap
        parts = [
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}" font-family="sans-serif" font-size="14">',
            "  <title>The layers, lowest at the bottom: each folder uses only the folders "
            "its row of layers.json names</title>",
        ]
        for index, floor in enumerate(reversed(floors)):
            rows = [row for row in self.rows if row["floor"] == floor]
            y = margin + index * (row_height + gap)
            box = (width - 2 * margin - gap * (len(rows) - 1)) / len(rows)
            for n, row in enumerate(rows):
                x = margin + n * (box + gap)
                fill = "#f3e6d0" if ANYTHING in row["uses"] else "#e4ecf5"
                uses = "anything below" if ANYTHING in row["uses"] else (
                    "uses " + ", ".join(row["uses"]) if row["uses"] else "QtCore only")
                parts += [
                    f'  <rect x="{x:.0f}" y="{y}" width="{box:.0f}" height="{row_height}" '
                    f'fill="{fill}" stroke="#445"/>',
                    f'  <text x="{x + 8:.0f}" y="{y + 20}" fill="#112">{floor} · {row["folder"]}/</text>',
                    f'  <text x="{x + 8:.0f}" y="{y + 38}" font-size="11" fill="#445">{uses}</text>',
                ]
        parts.append("</svg>")
        return "\n".join(parts) + "\n"

    def readme_table(self):
        lines = ["| floor | folder (libraries) | what it holds | may use |", "|---|---|---|---|"]
        for row in self.rows:
            libraries = ", ".join(f"`{name}`" for name in row["libraries"])
            folder = f"`{row['folder']}/`" + (f" ({libraries})" if libraries else "")
            if ANYTHING in row["uses"]:
                uses = "anything below"
            else:
                uses = ", ".join(row["uses"]) or "—"
            qt = ", ".join("Qt" + module for module in row["qt"])
            lines.append(f"| {row['floor']} | {folder} | {row['holds']} | {uses}; {qt} |")
        return "\n".join(lines)


def split_path(path):
    """(folder, in_tests): the top-level folder of a file, and whether it is in tests/."""
    parts = path.split("/")
    return parts[0], "tests" in parts[1:-1]


def project_files(root, suffixes):
    for directory, dirs, files in os.walk(root):
        rel_dir = os.path.relpath(directory, root)
        dirs[:] = sorted(
            d for d in dirs
            if not (rel_dir == "." and (d in SKIPPED_DIRS or d.startswith("build")))
        )
        if rel_dir == ".":
            continue
        for name in sorted(files):
            if name.endswith(suffixes) or name in suffixes:
                yield os.path.normpath(os.path.join(rel_dir, name))


def resolve(root, including, target):
    """The project file an include names, or None for a header outside the project."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), target))
    if os.path.isfile(os.path.join(root, beside)):
        return beside
    if os.path.isfile(os.path.join(root, target)):
        return os.path.normpath(target)
    return None


def qt_header_modules():
    """Qt's own headers ("QWidget") and their module ("Widgets"), from the installed headers."""
    modules = {}
    for base in QT_HEADER_ROOTS:
        if not os.path.isdir(base):
            continue
        for directory in sorted(os.listdir(base)):
            if directory.startswith("Qt") and os.path.isdir(os.path.join(base, directory)):
                for name in os.listdir(os.path.join(base, directory)):
                    if name.startswith("Q") and "." not in name:
                        modules.setdefault(name, directory[2:])
        break
    return modules


def check_qt_modules(root, table):
    """Every file outside the tests includes Qt headers of its row's modules only."""
    modules = qt_header_modules()
    qt = {row["folder"]: set(row["qt"]) for row in table.rows}
    problems = []
    for path in project_files(root, (".h", ".cpp")):
        folder, in_tests = split_path(path)
        if in_tests or folder not in qt:
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, start=1):
                match = QT_INCLUDE.match(line)
                if not match:
                    continue
                module = match.group(1) or modules.get(match.group(2))
                if module and module not in qt[folder]:
                    problems.append(f"{path}:{number}: {folder}/ includes <{match.group(2)}> of "
                                    f"Qt{module}, a module its row does not name")
    return problems


def check_includes(root, table):
    problems = []
    edges = {}  # (from folder, to folder) -> first "file:line"
    counts = {}  # (from folder, to folder) -> includes
    for path in project_files(root, (".h", ".cpp")):
        folder, in_tests = split_path(path)
        if folder not in table.floor:
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
                to_folder, _ = split_path(target)
                if to_folder == folder or to_folder not in table.floor:
                    continue
                where = f"{path}:{number}"
                if not in_tests:
                    edges.setdefault((folder, to_folder), where)
                counts[(folder, to_folder)] = counts.get((folder, to_folder), 0) + 1
                if table.may_use(folder, to_folder, in_tests):
                    continue
                whose = f"{folder}/tests" if in_tests else f"{folder}/"
                if table.floor[to_folder] > table.floor[folder]:
                    how = "a folder above its own"
                elif table.floor[to_folder] == table.floor[folder]:
                    how = "a folder beside its own"
                else:
                    how = "a folder below that its row does not name"
                problems.append(f"{where}: {whose} includes {target}, {how}")
    for (a, b), where in sorted(edges.items()):
        if a < b and (b, a) in edges:
            problems.append(f"{where} and {edges[(b, a)]}: {a}/ and {b}/ include each other")
    return problems, counts


def check_cmake_sources(root, table):
    """Every target compiles the sources of its own folder only."""
    problems = []
    for path in project_files(root, ("CMakeLists.txt",)):
        folder, _ = split_path(path)
        here = os.path.dirname(path)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, start=1):
                code = line.split("#", 1)[0]
                for match in CMAKE_SOURCE.finditer(code):
                    word = match.group(1)
                    base = here
                    for variable, where in CMAKE_FOLDER_VARIABLES.items():
                        if word.startswith(variable + "/"):
                            word = word[len(variable) + 1:]
                            base = "" if where == "root" else here
                    source = os.path.normpath(os.path.join(base, word))
                    if source.startswith(".."):
                        continue
                    to_folder, _ = split_path(source)
                    if to_folder != folder and os.path.isfile(os.path.join(root, source)):
                        problems.append(
                            f"{path}:{number}: {folder}/ compiles {source}, a source of "
                            f"{to_folder}/ (link its library instead)")
    return problems


def check_readme(root, table):
    readme = os.path.join(root, "README.md")
    if not os.path.isfile(readme):
        return []
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    if README_BEGIN not in text or README_END not in text:
        return [f"README.md: the layer table's markers are missing ({README_BEGIN})"]
    shown = text.split(README_BEGIN, 1)[1].split(README_END, 1)[0].strip()
    problems = []
    if shown != table.readme_table():
        problems.append("README.md: the layer table differs from layers.json "
                        "(scripts/check_layers.py --write-readme writes it)")
    drawing = os.path.join(root, DRAWING)
    if not os.path.isfile(drawing) or open(drawing, encoding="utf-8").read() != table.drawing():
        problems.append(f"{DRAWING}: the drawing differs from layers.json "
                        "(scripts/check_layers.py --write-readme draws it)")
    return problems


def write_readme(root, table):
    readme = os.path.join(root, "README.md")
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    before, rest = text.split(README_BEGIN, 1)
    _, after = rest.split(README_END, 1)
    with open(readme, "w", encoding="utf-8") as f:
        f.write(f"{before}{README_BEGIN}\n{table.readme_table()}\n{README_END}{after}")
    with open(os.path.join(root, DRAWING), "w", encoding="utf-8") as f:
        f.write(table.drawing())


def main():
    args = sys.argv[1:]
    show_table = "--table" in args
    readme = "--write-readme" in args
    args = [a for a in args if a not in ("--table", "--write-readme")]
    root = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), ".."))
    table = Table(root)
    if readme:
        write_readme(root, table)
    problems = table.problems()
    include_problems, counts = check_includes(root, table)
    problems += (include_problems + check_qt_modules(root, table) +
                 check_cmake_sources(root, table) + check_readme(root, table))
    if show_table:
        for (a, b), n in sorted(counts.items()):
            print(f"{a} -> {b}: {n}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"layers: {len(problems)} problem(s) break the layers")
        return 1
    print("layers: every include and every source keeps to the layer table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
