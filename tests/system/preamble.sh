# The start every shell test shares, sourced first: strict mode, the pass/fail lines, the
# usage, the tools a test needs, and a folder of its own that is removed at the end after
# whatever else the test asked to undo.
#
# Under pipefail a pipe into `grep -q` or `head` fails at random: the reader quits at its
# first match and the writer dies of SIGPIPE. The tests read a pipe whole
# (`grep ... >/dev/null`, `sed -n 1p`).
set -euo pipefail

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
# The last line of a run, and its status.
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
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
# usage WORDS...: how to call the script, on standard error, and exit 2.
usage() {
    echo "usage: $0 $*" >&2
    exit 2
}
# needs TOOL...: the run is skipped when one of them is not installed.
needs() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip_all "$tool is not installed"
    done
}
# Ends a process the test started, if it still runs, and waits for it.
stop_process() {
    if [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}

# at_exit COMMAND [ARGUMENT...]: run when the test ends, however it ends, the last asked for
# first.
exit_steps=()
at_exit() {
    exit_steps+=("$(printf '%q ' "$@")")
}
run_exit_steps() {
    local i
    for ((i = ${#exit_steps[@]} - 1; i >= 0; i--)); do
        eval "${exit_steps[i]}" || true
    done
}
trap run_exit_steps EXIT
trap 'exit 1' INT TERM

# workspace: tmp, a folder of the test's own, removed when the test ends.
workspace() {
    tmp=$(mktemp -d)
    at_exit rm -rf "$tmp"
}
