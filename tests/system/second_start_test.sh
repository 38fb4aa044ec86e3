#!/usr/bin/env bash
# A child who clicks the icon twice: the program runs on a virtual X server (no window
# manager), another window covers it and has the keyboard focus, and the program is started
# again in the same data folder. The second start must end at once, leave the folder as it
# was, and bring the running window to the front: on top of the stacking order, with the
# focus.
#
#   second_start_test.sh PROGRAM
#
# Needs Xvfb, xdotool, xwininfo and xmessage.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 PROGRAM" >&2
    exit 2
fi
program=$(readlink -f "$1")
source "$(dirname "$0")/report.sh"
source "$(dirname "$0")/x_server.sh"

readonly windowTitle="ミナモ塾"
# What "at once" means here: the second start builds its window before it learns that
# another copy runs, and never shows it.
readonly endsWithinMs=3000

for tool in Xvfb xdotool xwininfo xmessage; do
    command -v "$tool" >/dev/null || skip_all "$tool is not installed"
done

tmp=$(mktemp -d)
xvfb_pid="" first_pid="" cover_pid=""
cleanup() {
    stop_process "$cover_pid"
    stop_process "$first_pid"
    stop_process "$xvfb_pid"
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

start_x_server || give_up "Xvfb did not start: $(cat "$tmp/xvfb.log")"
# No session bus here, as a desktop has: with no address at all, libdbus (under Qt's
# platform plugin) tries to launch one and leaks when that fails, which the sanitized run
# reports at the second start's exit.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"
mkdir -p "$tmp/data" "$tmp/runtime" && chmod 700 "$tmp/runtime"
# The top-level windows, the topmost first.
stacking() { xwininfo -root -children | awk '/^ +0x/ { print $1 }'; }
as_hex() { printf '0x%x' "$1"; }

(cd "$tmp/data" && exec env XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$program") \
    >"$tmp/first.log" 2>&1 &
first_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^$windowTitle\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    xdotool getdisplaygeometry >/dev/null 2>&1 || echo "# the X server $DISPLAY no longer answers"
    give_up "the program's window never appeared: $(cat "$tmp/first.log")"
fi
sleep 0.5

xmessage -geometry 1024x768+0+0 "a window over the drill" &
cover_pid=$!
cover=""
for _ in $(seq 100); do
    cover=$(xdotool search --name "^xmessage\$" 2>/dev/null | head -n 1 || true)
    [ -n "$cover" ] && break
    sleep 0.1
done
[ -n "$cover" ] || give_up "the covering window never appeared"
sleep 0.3
xdotool windowfocus "$cover"
if [ "$(stacking | head -n 1)" = "$(as_hex "$cover")" ] && [ "$(xdotool getwindowfocus)" = "$cover" ]; then
    ok "another window covers the drill and has the focus"
else
    give_up "the covering window is not in front: $(stacking | tr '\n' ' ')"
fi

before=$(cd "$tmp/data" && find . | sort)
started=$(date +%s%N)
status=0
(cd "$tmp/data" && timeout 20 env XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$program") \
    >"$tmp/second.log" 2>&1 || status=$?
took=$((($(date +%s%N) - started) / 1000000))
if [ "$status" -eq 0 ] && [ "$took" -lt "$endsWithinMs" ]; then
    ok "the second start ends at once ($took ms, status 0)"
else
    not_ok "the second start ended with status $status after $took ms: $(cat "$tmp/second.log")"
fi

top="" focus=""
for _ in $(seq 30); do
    top=$(stacking | head -n 1)
    focus=$(xdotool getwindowfocus)
    [ "$top" = "$(as_hex "$window")" ] && [ "$focus" = "$window" ] && break
    sleep 0.1
done
if [ "$top" = "$(as_hex "$window")" ]; then
    ok "the running window is on top of the stacking order"
else
    not_ok "the running window is not on top: $(stacking | tr '\n' ' ') (window $(as_hex "$window"))"
fi
if [ "$focus" = "$window" ]; then
    ok "the running window has the keyboard focus"
else
    not_ok "the focus is on $focus, not the running window $window"
fi
if kill -0 "$first_pid" 2>/dev/null && [ "$(cd "$tmp/data" && find . | sort)" = "$before" ]; then
    ok "the first copy runs on; nothing in the data folder changed"
else
    not_ok "the first copy ended, or the data folder changed: $(cd "$tmp/data" && find .)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
