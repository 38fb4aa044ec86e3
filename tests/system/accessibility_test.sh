#!/usr/bin/env bash
# Reads the running drill through the real AT-SPI bus, as a screen reader such as Orca does:
# the program on a virtual X server inside a D-Bus session of the test's own, with the
# accessibility bus started and switched on as a desktop does; accessibility_tree.py drives
# the drill from the keyboard and reads it (see there). The drill is 分数問題 → 基本1 in bank
# order: the prepared family file holds a record of another set only.
#
# With "orca", the screen reader itself listens instead, as a blind pupil has it: Orca
# under openbox, with settings of the test's own, speaking through speech-dispatcher and
# espeak-ng into libao's null driver; orca_speech.py drives the drill from the keyboard and
# reads what Orca said from its debug file (see there).
#
#   accessibility_test.sh PROGRAM [orca]
#
# Skipped (exit 77), saying why, where the bus, pyatspi or (with "orca") the screen reader
# and its speech are missing, or the bus cannot start.
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/preamble.sh"

readonly windowTitle="ミナモ塾"
readonly familyFile="方程式分数.txt"
readonly otherRecord="10,260101#方程式分数2.txt"
readonly busLauncher=/usr/libexec/at-spi-bus-launcher
# Debian's own Python, which python3-pyatspi installs into.
readonly python=/usr/bin/python3

# --- inside the D-Bus session --------------------------------------------------------------

# Polls a command every 0.1 s, at most TRIES times; succeeds once it does.
poll() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts openbox, speech-dispatcher (espeak-ng into libao's null driver: nothing is played)
# and Orca, whose debug file the test reads while it runs (written line by line).
start_screen_reader() {
    local dir=$1 socket=$1/runtime/speechd.sock
    openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    poll 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' || true
    mkdir -p "$dir/speechd/modules" "$dir/orca"
    touch "$dir/speechd/modules/espeak-ng.conf"
    echo "default_driver=null" >"$HOME/.libao"
    printf '%s\n' 'AudioOutputMethod "libao"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
        'DefaultModule espeak-ng' 'DefaultLanguage "ja"' >"$dir/speechd/speechd.conf"
    speech-dispatcher --run-single --timeout 0 --config-dir "$dir/speechd" \
        --socket-path "$socket" --log-dir "$dir" >"$dir/speechd.log" 2>&1 &
    export SPEECHD_ADDRESS="unix_socket:$socket"
    echo '{"general": {"enableBraille": false, "enableSound": false}, "pronunciations": {},
        "keybindings": {}, "profiles": {"default": {"profile": ["Default", "default"]}}}' \
        >"$dir/orca/user-settings.conf"
    printf '%s\n' 'import orca.debug' \
        'orca.debug.debugFile and orca.debug.debugFile.reconfigure(line_buffering=True)' \
        >"$dir/orca/orca-customizations.py"
    poll 100 test -S "$socket" || give_up "speech-dispatcher did not start: $(cat "$dir/speechd.log")"
    orca --user-prefs "$dir/orca" --debug-file "$dir/orca.debug" >"$dir/orca.log" 2>&1 &
    poll 300 grep -q "SPEECH OUTPUT: 'Screen reader on" "$dir/orca.debug" && return
    # Orca runs once for a user; the test's own runs beside another only in a PID namespace.
    grep -q "already running" "$dir/orca.log" &&
        skip_all "another Orca runs for this user, and no PID namespace could hide it"
    give_up "Orca did not start: $(cat "$dir/orca.log")"
}

run_inside() {
    local dir=$1 window="" address=""
    launcher_pid="" program_pid=""
    stop_inside() {
        stop_process "$program_pid"
        stop_process "$launcher_pid"
    }
    at_exit stop_inside

    "$busLauncher" --launch-immediately >"$dir/bus.log" 2>&1 &
    launcher_pid=$!
    for _ in $(seq 50); do
        address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress 2>/dev/null || true)
        [ -z "$address" ] || break
        sleep 0.1
    done
    [ -n "$address" ] || skip_all "the accessibility bus did not start: $(tr '\n' ' ' <"$dir/bus.log")"
    # What a desktop's accessibility switch sets; Qt turns its bridge on when it reads it.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null
    echo "# the accessibility bus at $address"
    if [ "$mode" = orca ]; then
        start_screen_reader "$dir"
        echo "# Orca $(orca --version | tr -d '\n') speaks"
    fi

    (cd "$dir/work" && exec env QT_QPA_PLATFORM=xcb "$program") >"$dir/program.log" 2>&1 &
    program_pid=$!
    for _ in $(seq 150); do
        kill -0 "$program_pid" 2>/dev/null || give_up "the program ended: $(cat "$dir/program.log")"
        window=$(xdotool search --onlyvisible --pid "$program_pid" --name "^${windowTitle}\$" \
            2>/dev/null | head -n1 || true)
        [ -z "$window" ] || break
        sleep 0.1
    done
    [ -n "$window" ] || give_up "no window \"$windowTitle\" within 15 s"
    local status=0
    if [ "$mode" = orca ]; then
        "$python" "$here/orca_speech.py" "$window" "$dir/orca.debug" || status=$?
    else
        "$python" "$here/accessibility_tree.py" "$window" || status=$?
    fi
    if [ "$status" -ne 0 ]; then
        sed 's/^/# program: /' "$dir/program.log"
    fi
    return "$status"
}

if [ "${1:-}" = --inside ]; then
    program=$3
    mode=$4
    run_inside "$2"
    exit
fi

# --- outside: the folder and the X server --------------------------------------------------

{ [ $# -eq 1 ] || { [ $# -eq 2 ] && [ "$2" = orca ]; }; } || usage PROGRAM [orca]
program=$(readlink -f "$1")
mode=${2:-tree}
source "$here/x_server.sh"

needs dbus-run-session dbus-send xdotool Xvfb setsid
[ -x "$busLauncher" ] || skip_all "at-spi2-core is not installed (no $busLauncher)"
"$python" -c 'import pyatspi' 2>/dev/null || skip_all "python3-pyatspi is not installed"
if [ "$mode" = orca ]; then
    needs orca speech-dispatcher openbox xprop /usr/lib/speech-dispatcher-modules/sd_espeak-ng
fi

workspace
xvfb_pid=""
inside_pid=""
cleanup() {
    # The session's process group holds the buses and the program.
    if [ -n "$inside_pid" ]; then
        kill -- "-$inside_pid" 2>/dev/null || true
        wait "$inside_pid" 2>/dev/null || true
    fi
    stop_process "$xvfb_pid"
}
at_exit cleanup

mkdir -p "$tmp/home" "$tmp/runtime" "$tmp/work"
chmod 700 "$tmp/runtime"
printf '2026/01/01\r\n%s\r\n' "$otherRecord" | iconv -f UTF-8 -t SHIFT_JIS >"$tmp/work/$familyFile"
start_x_server || give_up "Xvfb did not start: $(cat "$tmp/xvfb.log" 2>/dev/null)"
echo "# Xvfb on $DISPLAY"

# Orca refuses to start while any other process of the user is called orca (another test
# run, a desktop's screen reader): as root, the session gets a PID namespace of its own.
isolated=()
if [ "$mode" = orca ] && unshare --pid --fork --mount-proc true 2>/dev/null; then
    isolated=(unshare --pid --fork --mount-proc)
fi
setsid env -i PATH="$PATH" HOME="$tmp/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$tmp/runtime" "${isolated[@]}" dbus-run-session -- \
    bash "$here/accessibility_test.sh" --inside "$tmp" "$program" "$mode" &
inside_pid=$!
status=0
wait "$inside_pid" || status=$?
exit "$status"
