# The pass/fail reporting the system test scripts share. Sourced.

passed=0
failed=0
ok() {
    passed=$((passed + 1))
    echo "ok - $*"
}
not_ok() {
    failed=$((failed + 1))
    echo "FAIL - $*"
}
# Ends the run at once: what follows would only fail for the same reason.
give_up() {
    not_ok "$*"
    echo "$passed passed, $failed failed"
    exit 1
}
# Ends the run as skipped (exit 77, the tests' SKIP_RETURN_CODE): what the test needs is
# missing or does not work on this machine, and the line says what.
skip_all() {
    echo "skip - $*"
    exit 77
}
# Ends a process the test started, if it still runs, and waits for it.
stop_process() {
    if [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
