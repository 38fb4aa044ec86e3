#!/usr/bin/env bash
# A child who clicks the icon twice: the program runs on a virtual X server, another window
# covers it and has the keyboard focus, and the program is started again in the same data
# folder. The second start must end at once, leave the folder as it was, and bring the
# running window to the front: on top of the stacking order, with the focus. Run twice: with
# no window manager, and under openbox (an EWMH window manager, as a pupil's desktop has),
# where the window must also be the one _NET_ACTIVE_WINDOW names.
#
#   second_start_test.sh PROGRAM
#
# Needs Xvfb, xdotool, xwininfo, xprop, xmessage and python3; openbox for the second run.
source "$(dirname "$0")/preamble.sh"
source "$(dirname "$0")/x_server.sh"
[ $# -eq 1 ] || usage PROGRAM
program=$(readlink -f "$1")

readonly windowTitle="ミナモ塾"
# What "at once" means here: the second start builds its window before it learns that
# another copy runs, and never shows it.
readonly endsWithinMs=3000

needs Xvfb xdotool xwininfo xprop xmessage /usr/bin/python3
workspace
xvfb_pid="" wm_pid="" first_pid="" cover_pid=""
stop_all() {
    stop_process "$cover_pid"
    stop_process "$first_pid"
    stop_process "$wm_pid"
    stop_process "$xvfb_pid"
    cover_pid="" first_pid="" wm_pid="" xvfb_pid=""
}
at_exit stop_all

# No session bus here, as a desktop has: with no address at all, libdbus (under Qt's
# platform plugin) tries to launch one and leaks when that fails, which the sanitized run
# reports at the second start's exit.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"
as_hex() { printf '0x%x' "$1"; }
# A window property of the root as a decimal window id ("" when unset).
root_window() {
    local id
    id=$(xprop -root "$1" 2>/dev/null | grep -o '0x[0-9a-f]*' | tail -n 1 || true)
    [ -n "$id" ] && printf '%d' "$id"
    return 0
}
# The window on top: with no window manager the topmost child of the root; under one, the
# last of the manager's stacking list (the root's children are then its frames).
top_window() {
    if [ "$1" = none ]; then
        printf '%d' "$(xwininfo -root -children | awk '/^ +0x/ { print $1; exit }')"
    else
        root_window _NET_CLIENT_LIST_STACKING
    fi
}
find_window() {
    local found=""
    for _ in $(seq 100); do
        found=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

# run_case none|openbox
run_case() {
    local wm="$1" data="$tmp/$1/data" runtime="$tmp/$1/runtime" window cover
    mkdir -p "$data" "$runtime" && chmod 700 "$runtime"
    start_x_server || give_up "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    if [ "$wm" = openbox ]; then
        openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 100); do
            [ -n "$(root_window _NET_SUPPORTING_WM_CHECK)" ] && break
            sleep 0.1
        done
        [ -n "$(root_window _NET_SUPPORTING_WM_CHECK)" ] ||
            give_up "openbox did not start: $(cat "$tmp/openbox.log")"
    fi

    (cd "$data" && exec env XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$program") \
        >"$tmp/first.log" 2>&1 &
    first_pid=$!
    window=$(find_window "^$windowTitle\$")
    if [ -z "$window" ]; then
        xdotool getdisplaygeometry >/dev/null 2>&1 || echo "# the X server $DISPLAY no longer answers"
        give_up "$wm: the program's window never appeared: $(cat "$tmp/first.log")"
    fi
    sleep 0.5

    xmessage -geometry 1024x768+0+0 "a window over the drill" &
    cover_pid=$!
    cover=$(find_window "^xmessage\$")
    [ -n "$cover" ] || give_up "$wm: the covering window never appeared"
    sleep 0.3
    if [ "$wm" = none ]; then
        xdotool windowfocus "$cover"
    else
        xdotool windowactivate --sync "$cover"
    fi
    # The second start follows at once: its knock may come while the program itself has not
    # yet heard that it lost the focus.
    if [ "$(top_window "$wm")" = "$cover" ] && [ "$(xdotool getwindowfocus)" = "$cover" ]; then
        ok "$wm: another window covers the drill and has the focus"
    else
        give_up "$wm: the covering window is not in front: top $(top_window "$wm"), focus $(xdotool getwindowfocus)"
    fi

    local before started status=0 took
    before=$(cd "$data" && find . | sort)
    started=$(date +%s%N)
    (cd "$data" && timeout 20 env XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb "$program") \
        >"$tmp/second.log" 2>&1 || status=$?
    took=$((($(date +%s%N) - started) / 1000000))
    if [ "$status" -eq 0 ] && [ "$took" -lt "$endsWithinMs" ]; then
        ok "$wm: the second start ends at once ($took ms, status 0)"
    else
        not_ok "$wm: the second start ended with status $status after $took ms: $(cat "$tmp/second.log")"
    fi

    local top="" focus="" active=""
    for _ in $(seq 30); do
        top=$(top_window "$wm")
        focus=$(xdotool getwindowfocus)
        active=$(root_window _NET_ACTIVE_WINDOW)
        [ "$top" = "$window" ] && [ "$focus" = "$window" ] &&
            { [ "$wm" = none ] || [ "$active" = "$window" ]; } && break
        sleep 0.1
    done
    if [ "$top" = "$window" ]; then
        ok "$wm: the running window is on top of the stacking order"
    else
        not_ok "$wm: the running window $(as_hex "$window") is not on top: $(as_hex "${top:-0}") is"
    fi
    if [ "$focus" = "$window" ]; then
        ok "$wm: the running window has the keyboard focus"
    else
        not_ok "$wm: the focus is on $focus, not the running window $window"
    fi
    if [ "$wm" != none ]; then
        if [ "$active" = "$window" ]; then
            ok "$wm: the window manager names the running window active"
        else
            not_ok "$wm: _NET_ACTIVE_WINDOW is ${active:-unset}, not the running window $window"
        fi
    fi
    # The same within the moment the program takes to hear of a focus change (Qt waits
    # 100 ms for a FocusIn before it deactivates a window): the knock a second start makes,
    # sent at once after the other window took the focus.
    if [ "$wm" = none ]; then
        xdotool windowraise "$cover" windowfocus "$cover"
        /usr/bin/python3 -S -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(b"front\n")' "$runtime/minamo-drill.door"
        for _ in $(seq 30); do
            focus=$(xdotool getwindowfocus)
            [ "$focus" = "$window" ] && break
            sleep 0.1
        done
        if [ "$focus" = "$window" ]; then
            ok "$wm: a knock right after another window took the focus brings the focus back"
        else
            not_ok "$wm: after a knock right after the focus change, the focus is on $focus"
        fi
    fi
    if kill -0 "$first_pid" 2>/dev/null && [ "$(cd "$data" && find . | sort)" = "$before" ]; then
        ok "$wm: the first copy runs on; nothing in the data folder changed"
    else
        not_ok "$wm: the first copy ended, or the data folder changed: $(cd "$data" && find .)"
    fi
    stop_all
}

run_case none
if command -v openbox >/dev/null; then
    run_case openbox
else
    echo "# openbox is not installed: the case under a window manager is left out"
fi

finish
