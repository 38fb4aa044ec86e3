#!/bin/sh
# Starts the drill in the pupil's own data folder, so that the history files are kept
# there and never land in the home folder or wherever the launcher was started from.
data="${XDG_DATA_HOME:-$HOME/.local/share}/minamo-drill"
here=$(dirname "$(readlink -f "$0")")
program="$here/../libexec/minamo-drill/minamo-drill"

# Says why the drill cannot start, on standard error and, since the launcher is mostly
# started from the desktop's menu, where the person sees it: a desktop notification, or a
# small message box from whichever tool the desktop has. Ends the launcher.
fail() {
    echo "minamo-drill: $1" >&2
    title="ミナモ塾を始められません"
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        { command -v notify-send >/dev/null &&
            notify-send --app-name=ミナモ塾 --icon=minamo-drill "$title" "$1"; } ||
            { command -v gdbus >/dev/null &&
                gdbus call --session --dest org.freedesktop.Notifications \
                    --object-path /org/freedesktop/Notifications \
                    --method org.freedesktop.Notifications.Notify \
                    ミナモ塾 0 minamo-drill "$title" "$1" "[]" "{}" -1 >/dev/null; } ||
            { command -v zenity >/dev/null && zenity --error --title="$title" --text="$1"; } ||
            { command -v kdialog >/dev/null && kdialog --title "$title" --error "$1"; } ||
            { command -v xmessage >/dev/null && xmessage -center "$title: $1"; }
    fi 2>/dev/null
    exit 1
}

mkdir -p "$data" 2>/dev/null && cd "$data" 2>/dev/null ||
    fail "記録を残すフォルダー $data を作れませんでした。ホームフォルダーに書きこめるか、ディスクに空きがあるかを確かめてください。"
[ -x "$program" ] ||
    fail "ミナモ塾のプログラム $program が見つかりません。ミナモ塾を入れなおしてください。"
exec "$program" "$@"
