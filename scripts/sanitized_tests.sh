#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (gcc,
# -DMINAMO_SANITIZE=ON) in build-asan/, run headless. The first report of either sanitizer
# fails the test it happens in, and so the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
minamo_install_missing tests
minamo_configure RelWithDebInfo build-asan -DMINAMO_SANITIZE=ON
minamo_build build-asan

export QT_QPA_PLATFORM=offscreen
# Leak detection stays on: the whole suite runs without a leak report, the widget tests and
# the real program's start-up probes (which quit it on the offscreen platform) included, so
# Qt's own allocations need no exception.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
