#!/usr/bin/env python3
"""The layer check catches what it is there for: bad includes, sources and tables planted in a
copy of the project make it fail, naming the file and line; the project as it is passes."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPTS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(SCRIPTS)
CHECK = os.path.join(SCRIPTS, "check_layers.py")


def run_check(root):
    result = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
    return result.returncode, result.stdout


def copy_project():
    copy = os.path.join(tempfile.mkdtemp(prefix="layers-"), "project")
    shutil.copytree(ROOT, copy, ignore=shutil.ignore_patterns(".git", "build*", "*.png"))
    return copy


def append(root, path, text):
    """Adds a line at the end of a file (made if missing); returns its line number."""
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    lines = 0
    if os.path.exists(full):
        with open(full, encoding="utf-8") as f:
            lines = f.read().count("\n")
    with open(full, "a", encoding="utf-8") as f:
        f.write(text + "\n")
    return lines + 1


class PlantedFaults(unittest.TestCase):
    def fresh_copy(self):
        copy = copy_project()
        self.addCleanup(shutil.rmtree, os.path.dirname(copy))
        return copy

    def test_the_project_as_it_is_passes(self):
        code, out = run_check(self.fresh_copy())
        self.assertEqual(code, 0, out)

    def test_planted_faults_fail_naming_file_and_line(self):
        # (file, line planted, what the check must say)
        cases = [
            ("core/basic_text.cpp", '#include "app/form1.h"', "a folder above its own"),
            ("platform/key_codes.cpp", '#include "core/drill.h"', "a folder above its own"),
            # a sideways edge the table does not draw, on one floor and across floors
            ("history/history_file.cpp", '#include "algebra/worked_solution.h"',
             "a folder beside its own"),
            ("history/history_chart.cpp", '#include "render/power_text.h"',
             "a folder below that its row does not name"),
            # the tests of a low folder reach the window's drivers
            ("core/tests/basic_text_test.cpp", '#include "drivers/fake_drive.h"',
             "core/tests includes drivers/fake_drive.h, a folder above its own"),
            # a tool compiles another folder's source instead of linking its library
            ("tools/CMakeLists.txt", "add_executable(x ${PROJECT_SOURCE_DIR}/app/form1.cpp)",
             "tools/ compiles app/form1.cpp"),
            ("fuzz/CMakeLists.txt", "add_library(y STATIC ../history/history_file.cpp)",
             "fuzz/ compiles history/history_file.cpp"),
        ]
        if os.path.isdir("/usr/include/x86_64-linux-gnu/qt6/QtWidgets"):
            # a widget in a QtCore floor
            cases.append(("report/report_page.cpp", "#include <QMessageBox>",
                          "report/ includes <QMessageBox> of QtWidgets"))
        for path, text, message in cases:
            with self.subTest(path=path, text=text):
                copy = self.fresh_copy()
                line = append(copy, path, text)
                code, out = run_check(copy)
                self.assertEqual(code, 1, out)
                self.assertIn(f"{path}:{line}: ", out)
                self.assertIn(message, out)

    def test_two_top_floor_folders_that_include_each_other_fail(self):
        copy = self.fresh_copy()
        append(copy, "tools/a.h", '#include "fuzz/b.h"')
        append(copy, "fuzz/b.h", '#include "tools/a.h"')
        code, out = run_check(copy)
        self.assertEqual(code, 1, out)
        self.assertIn("fuzz/ and tools/ include each other", out)

    def test_a_folder_on_no_floor_fails(self):
        copy = self.fresh_copy()
        append(copy, "extras/x.cpp", '#include "core/drill.h"')
        code, out = run_check(copy)
        self.assertEqual(code, 1, out)
        self.assertIn("extras/x.cpp: the folder is not placed", out)

    def test_a_readme_table_that_differs_from_the_layer_table_fails(self):
        copy = self.fresh_copy()
        readme = os.path.join(copy, "README.md")
        with open(readme, encoding="utf-8") as f:
            text = f.read()
        with open(readme, "w", encoding="utf-8") as f:
            f.write(text.replace("| 1 | `core/`", "| 2 | `core/`"))
        code, out = run_check(copy)
        self.assertEqual(code, 1, out)
        self.assertIn("README.md: the layer table differs from layers.json", out)


if __name__ == "__main__":
    unittest.main()
