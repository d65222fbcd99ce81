#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, runs
# every test, then runs the digest, job, workflow, command-line and window
# tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the threaded ones (the pool, workflow and command-line tests) under
# ThreadSanitizer. Between those it validates the desktop entry and
# metainfo and checks the Debian package. First, the layout of the code.
# Last, scripts/test-windows.sh cross-builds for Windows and tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
# The code's layout first: a file .clang-format would change fails the run.
scripts/check-format.sh

jobs=$(nproc)
cmake -S . -B build/ci -DCMAKE_BUILD_TYPE=Release -DSUMBROOK_WERROR=ON
cmake --build build/ci -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/ci --output-on-failure -j "$jobs"
scripts/check-package.sh build/ci

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSUMBROOK_WERROR=ON -DSUMBROOK_SANITIZE=ON \
  -DSUMBROOK_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs" --target digest_tests jobs_tests workflow_tests cli_tests ui_tests
# The multi-gigabyte file is read once in the plain run; under the sanitizers it would only be slow.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build/sanitize/tests/digest_tests --gtest_brief=1
build/sanitize/tests/jobs_tests --gtest_brief=1
build/sanitize/tests/workflow_tests --gtest_brief=1 --gtest_filter='-*LargeFile*'
# The command-line tests run the sanitized sumbrook-cli; the window's run offscreen.
build/sanitize/tests/cli_tests --gtest_brief=1
QT_QPA_PLATFORM=offscreen build/sanitize/tests/ui_tests --gtest_brief=1

cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUMBROOK_WERROR=ON -DSUMBROOK_TSAN=ON \
  -DSUMBROOK_BUILD_GUI=OFF -DSUMBROOK_BUILD_BENCH=OFF
cmake --build build/tsan -j "$jobs" --target jobs_tests workflow_tests cli_tests
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
build/tsan/tests/jobs_tests --gtest_brief=1
build/tsan/tests/workflow_tests --gtest_brief=1 --gtest_filter='-*LargeFile*'
build/tsan/tests/cli_tests --gtest_brief=1

# The engine and the platform layer built for Windows, their tests under Wine.
windows_start=$(date +%s)
scripts/test-windows.sh
echo "Windows build and tests: $(( $(date +%s) - windows_start )) s"
echo "All tests passed (plain, sanitized and on Windows under Wine)."
