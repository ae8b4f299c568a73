#!/usr/bin/python3
"""Runs one end-to-end test under its hard time limit, or lists the tests for CTest.

  run_e2e.py --list              one line per test: <module.Class.test> <seconds>
  run_e2e.py module.Class.test   runs it; exit 0 passed, 1 failed, 77 skipped (program not built yet)
"""
import sys

sys.dont_write_bytecode = True
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import qor_e2e  # noqa: E402

SKIPPED = 77


def all_tests(suite=None):
    if suite is None:
        suite = unittest.TestLoader().discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    return [test for item in suite for test in (all_tests(item) if isinstance(item, unittest.TestSuite) else [item])]


def timeout_of(test):
    method = getattr(test, test._testMethodName, None)
    return getattr(method, "e2e_timeout", qor_e2e.DEFAULT_TIMEOUT)


def main(argv):
    if len(argv) == 2 and argv[1] == "--list":
        for test in all_tests():
            if isinstance(test, unittest.loader._FailedTest):
                raise SystemExit(f"cannot load {test.id()}")
            print(test.id(), timeout_of(test))
        return 0
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    suite = unittest.TestLoader().loadTestsFromName(argv[1])
    # One test's limit, or the sum of the limits of a module's or class's tests.
    qor_e2e.arm_hard_timeout(sum(timeout_of(t) for t in all_tests(suite)) or 600)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    if not result.wasSuccessful():
        return 1
    if result.testsRun and len(result.skipped) == result.testsRun:
        return SKIPPED
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
