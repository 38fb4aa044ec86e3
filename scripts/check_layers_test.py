#!/usr/bin/env python3
"""The layer check catches what it is there for: bad includes planted in a copy of the
sources make it fail, naming the file and line; the sources as they are pass."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPTS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(SCRIPTS)
CHECK = os.path.join(SCRIPTS, "check_layers.py")
FOLDERS = ["platform", "core", "banks", "render", "algebra", "answer", "history", "app"]


def run_check(root):
    result = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
    return result.returncode, result.stdout


def copy_sources():
    copy = tempfile.mkdtemp(prefix="layers-")
    for folder in FOLDERS:
        shutil.copytree(os.path.join(ROOT, folder), os.path.join(copy, folder),
                        ignore=shutil.ignore_patterns("tests"))
    return copy


def plant(root, path, include):
    """Adds an include at the end of a file; returns its line number."""
    full = os.path.join(root, path)
    with open(full, encoding="utf-8") as f:
        lines = f.read().count("\n")
    with open(full, "a", encoding="utf-8") as f:
        f.write(f'#include "{include}"\n')
    return lines + 1


class PlantedIncludes(unittest.TestCase):
    def setUp(self):
        self.copy = copy_sources()
        self.addCleanup(shutil.rmtree, self.copy)

    def test_the_sources_as_they_are_pass(self):
        code, out = run_check(self.copy)
        self.assertEqual(code, 0, out)

    def test_planted_includes_fail_naming_file_and_line(self):
        # (file, include, what the check must say)
        cases = [
            ("core/basic_text.cpp", "app/form1.h", "a folder above its own"),
            ("platform/key_codes.cpp", "core/drill.h", "a folder above its own"),
            ("history/history_file.cpp", "answer/answer_editor.h", "a folder beside its own"),
        ]
        for path, include, message in cases:
            with self.subTest(path=path, include=include):
                copy = copy_sources()
                self.addCleanup(shutil.rmtree, copy)
                line = plant(copy, path, include)
                code, out = run_check(copy)
                self.assertEqual(code, 1, out)
                self.assertIn(f"{path}:{line}: ", out)
                self.assertIn(message, out)

    def test_two_folders_that_include_each_other_fail(self):
        # On the top floor any folder may be used, but not both ways.
        os.makedirs(os.path.join(self.copy, "tools"))
        os.makedirs(os.path.join(self.copy, "fuzz"))
        with open(os.path.join(self.copy, "tools", "a.h"), "w") as f:
            f.write('#include "fuzz/b.h"\n')
        with open(os.path.join(self.copy, "fuzz", "b.h"), "w") as f:
            f.write('#include "tools/a.h"\n')
        code, out = run_check(self.copy)
        self.assertEqual(code, 1, out)
        self.assertIn("fuzz/ and tools/ include each other", out)

    def test_a_folder_on_no_floor_fails(self):
        os.makedirs(os.path.join(self.copy, "extras"))
        with open(os.path.join(self.copy, "extras", "x.cpp"), "w") as f:
            f.write('#include "core/drill.h"\n')
        code, out = run_check(self.copy)
        self.assertEqual(code, 1, out)
        self.assertIn("extras/x.cpp: the folder is not placed", out)


if __name__ == "__main__":
    unittest.main()
