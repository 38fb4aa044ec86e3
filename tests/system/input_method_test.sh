#!/usr/bin/env bash
# Types a whole drill's answers into the real window while a Japanese input method, fcitx5
# with mozc, is switched on, and sees every one judged right: the answer box must take the
# keys as they are instead of letting the input method compose them.
#
#   input_method_test.sh PROGRAM DRILL_TRACE PLAIN_BOX SCREENSHOT_FOLDER
#
# The drill is 分数問題 → 基本1 in bank order (the prepared family file holds a record of
# another set only), so its answers are the bank's as drill-trace lists them; all of them
# right end the drill with a new record of that score. PLAIN_BOX, a plain Qt box, first
# shows that the input method composes on this machine. When fcitx5, mozc or Qt's fcitx
# module is missing or does not compose, the test is skipped (exit 77) and says why.
#
# mozc refuses to run as root, so under root the input method and the programs run as the
# user nobody. They get a throw-away folder with their own home, runtime folder and working
# folder, copies of the programs (the checkout may be out of that user's reach), a private
# D-Bus session and an X server of the test's own. The screenshots stay in
# SCREENSHOT_FOLDER for review.
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/preamble.sh"

readonly windowTitle="ミナモ塾"
readonly plainTitle="plain-box"
# 分数問題 → 基本1 is built by fillFraction1 and recorded under 方程式分数1.txt in the
# family file 方程式分数.txt.
readonly builder="fillFraction1"
readonly familyFile="方程式分数.txt"
readonly recordName="方程式分数1.txt"
readonly otherRecord="10,260101#方程式分数2.txt"

# Waits up to 15 s for a visible window of a process whose name matches; prints its id.
wait_for_window() {
    local name=$1 pid=$2 window="" deadline=$(($(date +%s) + 15))
    while [ -z "$window" ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        window=$(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n1 || true)
        [ -n "$window" ] || sleep 0.1
    done
    echo "$window"
}

# --- inside the D-Bus session, as the unprivileged user ------------------------------------

run_inside() {
    local dir=$1
    fcitx_pid="" plain_pid="" program_pid=""
    stop_inside() {
        local pid
        for pid in $program_pid $plain_pid $fcitx_pid; do
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        done
    }
    at_exit stop_inside

    # One group with the keyboard and mozc; one input state for all windows, as a pupil's
    # desktop switched on once has it.
    mkdir -p "$HOME/.config/fcitx5"
    cat >"$HOME/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
    printf '[Behavior]\nShareInputState=All\n' >"$HOME/.config/fcitx5/config"

    fcitx5 --disable=all --enable=xcb,dbus,dbusfrontend,classicui,keyboard,mozc >"$dir/fcitx5.log" 2>&1 &
    fcitx_pid=$!
    # Asked without fcitx5-remote, which would start a second fcitx5 through D-Bus.
    local deadline=$(($(date +%s) + 15))
    until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep true >/dev/null; do
        kill -0 "$fcitx_pid" 2>/dev/null || skip_all "fcitx5 ended at its start: $(tail -n3 "$dir/fcitx5.log")"
        [ "$(date +%s)" -lt "$deadline" ] || skip_all "fcitx5 did not come up on the session bus within 15 s"
        sleep 0.1
    done

    has_focused_context() {
        dbus-send --session --print-reply --dest=org.fcitx.Fcitx5 /controller \
            org.fcitx.Fcitx.Controller1.DebugInfo 2>/dev/null | grep "program:$1 .*focus:1" >/dev/null
    }
    # Focuses a window until fcitx5 has a focused input context of its program. Qt's fcitx
    # module makes the context over D-Bus a moment after the window gets the focus, and may
    # miss that focus on the way: then it is given again, through the root window. Keys typed
    # before are never offered to the input method, which would prove nothing.
    focus_with_context() {
        local window=$1 program=$2 root deadline=$(($(date +%s) + 10))
        root=$(xdotool search --maxdepth 0 --name '' | sed -n 1p)
        xdotool windowfocus --sync "$window"
        until has_focused_context "$program"; do
            [ "$(date +%s)" -lt "$deadline" ] || return 1
            sleep 0.5
            has_focused_context "$program" && return 0
            # Qt takes a focus that comes back within a moment for one never lost.
            xdotool windowfocus --sync "$root"
            sleep 0.6
            xdotool windowfocus --sync "$window"
        done
    }

    # Switches the input method on (one state for all windows) and waits for it to be on.
    switch_on() {
        local deadline=$(($(date +%s) + 10))
        fcitx5-remote -o || true
        until [ "$(fcitx5-remote 2>/dev/null)" = 2 ]; do
            [ "$(date +%s)" -lt "$deadline" ] || return 1
            sleep 0.1
            fcitx5-remote -o || true
        done
    }

    # The control: a plain box composes "a" into "あ", which the first Return commits and
    # the second hands to the box.
    local window
    QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$dir/bin/plain-box-child" >"$dir/plain.out" 2>"$dir/plain.log" &
    plain_pid=$!
    window=$(wait_for_window "^${plainTitle}\$" "$plain_pid") ||
        skip_all "the plain Qt box did not show: $(cat "$dir/plain.log")"
    focus_with_context "$window" plain-box-child ||
        skip_all "the plain Qt box has no focused input context in fcitx5: is Qt's fcitx module (fcitx5-frontend-qt6) installed?"
    switch_on || skip_all "the input method could not be switched on: fcitx5-remote says $(fcitx5-remote)"
    # mozc is loaded a moment after fcitx5 has started.
    deadline=$(($(date +%s) + 10))
    until [ "$(fcitx5-remote -n 2>/dev/null)" = mozc ]; do
        [ "$(date +%s)" -lt "$deadline" ] ||
            skip_all "mozc is not the input method switched on in a plain Qt box: fcitx5-remote -n says $(fcitx5-remote -n)"
        sleep 0.1
    done
    xdotool type --delay 50 a
    sleep 0.5
    import -window root "$dir/shots/plain-box-composing.png"
    xdotool key Return
    sleep 0.3
    xdotool key Return
    deadline=$(($(date +%s) + 5))
    while kill -0 "$plain_pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
        sleep 0.1
    done
    local plain
    plain=$(cat "$dir/plain.out")
    case "$plain" in
        あ) ok "mozc is on and composes in a plain Qt box: a became あ" ;;
        a) skip_all "the input method does not compose in a plain Qt box (a stayed a): is Qt's fcitx module (fcitx5-frontend-qt6) installed?" ;;
        *) skip_all "the plain Qt box with the input method on read \"$plain\" after a, Return, Return" ;;
    esac

    (cd "$dir/work" && exec env QT_IM_MODULE=fcitx QT_QPA_PLATFORM=xcb "$dir/bin/minamo-drill") \
        >"$dir/program.log" 2>&1 &
    program_pid=$!
    window=$(wait_for_window "^${windowTitle}\$" "$program_pid") ||
        give_up "no window \"$windowTitle\" within 15 s: $(cat "$dir/program.log")"
    focus_with_context "$window" minamo-drill || give_up "the drill's window has no focused input context in fcitx5"

    # The drill from the menu, by keyboard: Alt opens the menu bar, the fourth word is
    # 分数問題, its first entry 基本1.
    xdotool key alt
    sleep 0.3
    xdotool key Right Right Right Down
    sleep 0.3
    xdotool key Return
    sleep 0.5
    focus_with_context "$window" minamo-drill || give_up "the drill's window has no focused input context in fcitx5"
    switch_on || give_up "the input method could not be switched on in the drill: fcitx5-remote says $(fcitx5-remote)"
    # An answer box that refuses composition gets the keyboard layout instead of mozc.
    ok "the drill runs with the input method on (fcitx5-remote: $(fcitx5-remote); for the answer box: $(fcitx5-remote -n))"
    import -window "$window" "$dir/shots/drill-started.png"

    local keys count=0
    while read -r keys; do
        xdotool type --delay 20 "$keys"
        if [ "$count" -eq 0 ]; then
            sleep 0.5
            import -window root "$dir/shots/first-answer-typed.png"
        fi
        xdotool key Return
        count=$((count + 1))
    done <"$dir/keys"

    # All right: the drill ends and records the score, kept beside the record already there.
    local today record="" history=""
    today=$(date +%y%m%d)
    deadline=$(($(date +%s) + 15))
    while :; do
        history=$(iconv -f SHIFT_JIS -t UTF-8 "$dir/work/$familyFile" 2>/dev/null | tr -d '\r' || true)
        record=$(echo "$history" | grep -F "#$recordName" || true)
        if [ -n "$record" ] || [ "$(date +%s)" -ge "$deadline" ]; then
            break
        fi
        sleep 0.2
    done
    sleep 0.5 # the closing message is drawn a moment after the record is written
    import -window root "$dir/shots/drill-ended.png"
    if [ "$record" = "$count,$today#$recordName" ]; then
        ok "$count answers typed with the input method on, all judged right: the family file records $record"
    else
        not_ok "after $count answers typed with the input method on the family file reads: $(echo "$history" | tr '\n' ' ') (expected $count,$today#$recordName)"
    fi
    if echo "$history" | grep -xF "$otherRecord" >/dev/null; then
        ok "the earlier record $otherRecord is kept"
    else
        not_ok "the earlier record $otherRecord is gone"
    fi
    finish
}

if [ "${1:-}" = --inside ]; then
    run_inside "$2"
    exit
fi

# --- outside: the folder, the user, the X server -------------------------------------------

[ $# -eq 4 ] || usage PROGRAM DRILL_TRACE PLAIN_BOX SCREENSHOT_FOLDER
program=$(readlink -f "$1")
drill_trace=$(readlink -f "$2")
plain_box=$(readlink -f "$3")
shots=$4
source "$here/x_server.sh"

needs fcitx5 fcitx5-remote dbus-run-session dbus-send iconv setsid
runner=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || skip_all "setpriv is not installed, and mozc does not run as root"
    id -u nobody >/dev/null 2>&1 || skip_all "there is no user nobody, and mozc does not run as root"
    runner=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
fi

workspace
xvfb_pid=""
inside_pid=""
cleanup() {
    # The session's process group holds everything started inside, mozc's server included.
    if [ -n "$inside_pid" ]; then
        kill -- "-$inside_pid" 2>/dev/null || true
        wait "$inside_pid" 2>/dev/null || true
    fi
    stop_process "$xvfb_pid"
}
at_exit cleanup

dir="$tmp/session"
mkdir -p "$dir/bin" "$dir/home" "$dir/runtime" "$dir/work" "$dir/shots"
chmod 755 "$tmp"
chmod 700 "$dir/runtime"
cp "$program" "$dir/bin/minamo-drill"
cp "$(dirname "$program")"/*.wav "$dir/bin/" 2>/dev/null || true
cp "$plain_box" "$dir/bin/plain-box-child"
cp "$here/input_method_test.sh" "$here/preamble.sh" "$dir/bin/"

# The answers as typed: fractions denominator first ("x=-8/3" is typed x=-3/8).
"$drill_trace" banks | awk -F'\t' -v builder="$builder" '$1 == builder {
    value = substr($4, 3); sign = ""
    if (substr(value, 1, 1) == "-") { sign = "-"; value = substr(value, 2) }
    if (split(value, part, "/") == 2) value = part[2] "/" part[1]
    print "x=" sign value }' >"$dir/keys"
[ -s "$dir/keys" ] || give_up "drill-trace lists no problems of $builder"
printf '2026/01/01\r\n%s\r\n' "$otherRecord" | iconv -f UTF-8 -t SHIFT_JIS >"$dir/work/$familyFile"
if [ ${#runner[@]} -gt 0 ]; then
    chown -R nobody "$dir"
fi

mkdir -p "$shots"
rm -f "$shots"/*.png
start_x_server || give_up "Xvfb did not start: $(cat "$tmp/xvfb.log" 2>/dev/null)"
echo "# Xvfb on $DISPLAY; fcitx5 and the programs run as $(${runner[@]+"${runner[@]}"} id -un)"

started=$(date +%s.%N)
setsid ${runner[@]+"${runner[@]}"} env -i PATH="$PATH" HOME="$dir/home" LANG=C.UTF-8 \
    DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$dir/runtime" \
    dbus-run-session -- bash "$dir/bin/input_method_test.sh" --inside "$dir" &
inside_pid=$!
status=0
wait "$inside_pid" || status=$?
cp "$dir"/shots/*.png "$shots/" 2>/dev/null || true
echo "# $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s inside the session; screenshots in $shots"
exit "$status"
