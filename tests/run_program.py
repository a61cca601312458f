#!/usr/bin/env python3
"""Starts the built program with a driver scenario and checks how it ends.

usage: run_program.py <program> <plugin-dir> <scenario> <expected-exit> [expected-stderr-text]
"""
import os
import subprocess
import sys

program, plugin_dir, scenario, expected = sys.argv[1:5]
expected_text = sys.argv[5] if len(sys.argv) > 5 else None
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QT_PLUGIN_PATH=plugin_dir,
           QT_QPA_GENERIC_PLUGINS="quillmeredriver", QUILLMERE_TEST_SCENARIO=scenario)
try:
    done = subprocess.run([program], env=env, capture_output=True, text=True, timeout=60)
except subprocess.TimeoutExpired:
    sys.exit(f"{scenario}: the program did not end within 60 s")
sys.stderr.write(done.stderr)
if str(done.returncode) != expected:
    sys.exit(f"{scenario}: exit status {done.returncode}, expected {expected}")
if expected_text and expected_text not in done.stderr:
    sys.exit(f"{scenario}: expected {expected_text!r} in the program's error output")
print(f"{scenario}: exit status {done.returncode} as expected")
