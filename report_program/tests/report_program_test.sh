#!/usr/bin/env bash
# minamo-report as a user starts it, on real folders in a fresh home: what it writes, says
# and exits with; that the history files keep their bytes, times and names; a family file
# no one may read (as another user when run as root); a class folder with an empty pupil
# folder, a folder in place of a family file and a pupil folder no one may open; the page
# handed to xdg-open.
#
#   report_program_test.sh PROGRAM SAMPLE_FOLDER
source "$(dirname "$0")/../../tests/system/preamble.sh"
[ $# -eq 2 ] || usage PROGRAM SAMPLE_FOLDER
program=$(readlink -f "$1")
sample=$(readlink -f "$2")


workspace
chmod 755 "$tmp"
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    chmod -R u+rwX "$tmp" 2>/dev/null || true
}
at_exit cleanup

home="$tmp/home"
mkdir -p "$home"
# Runs the program in a clean environment with the fresh home; status in $status, its
# output in $tmp/out and $tmp/err.
run() {
    status=0
    env -i PATH="${run_path:-/usr/bin:/bin}" HOME="$home" LANG=C.UTF-8 ${run_env:-} \
        timeout 30 "$program" "$@" >"$tmp/out" 2>"$tmp/err" || status=$?
}
# Names, sizes, modification times (ns), inodes, modes and checksums of a folder's entries.
marks() {
    (cd "$1" && find . -mindepth 1 -printf '%p %s %T@ %i %m\n' | LC_ALL=C sort &&
        find . -type f -readable -exec sha256sum {} + 2>/dev/null | LC_ALL=C sort)
}

# --- the command line ----------------------------------------------------------------------

run --help
if [ "$status" -eq 0 ] && grep -q "使い方: minamo-report" "$tmp/out" && grep -q -- "--no-open" "$tmp/out"; then
    ok "--help prints the usage and exits 0"
else
    not_ok "--help gave status $status: $(cat "$tmp/out" "$tmp/err")"
fi
run --open
if [ "$status" -eq 2 ] && grep -q "minamo-report: --open という指定はありません。" "$tmp/err"; then
    ok "an unknown option is named and exits 2"
else
    not_ok "an unknown option gave status $status: $(cat "$tmp/err")"
fi

# --- the sample folder: read, never touched ------------------------------------------------

history="$tmp/history"
cp -r "$sample" "$history"
touch -d "2001-01-01 00:00:00" "$history"/*
before=$(marks "$history")
run "$history" --output "$tmp/pages/report.html" --no-open
if [ "$status" -eq 0 ] && [ -s "$tmp/pages/report.html" ] && [ "$(cat "$tmp/out")" = "$tmp/pages/report.html" ] &&
    [ ! -s "$tmp/err" ]; then
    ok "the sample folder's page is written, its path printed, nothing said on stderr"
else
    not_ok "the sample folder gave status $status: $(cat "$tmp/out" "$tmp/err")"
fi
if [ "$(marks "$history")" = "$before" ]; then
    ok "the history files keep their bytes, modification times, inodes and modes; nothing is added"
else
    not_ok "the history folder changed:"
    diff <(echo "$before") <(marks "$history") | sed 's/^/#   /' || true
fi
sets=$(grep -c '<section class="set"' "$tmp/pages/report.html" || true)
if [ "$sets" -eq 14 ]; then
    ok "the page has the sample's 14 sets"
else
    not_ok "the page has $sets sets"
fi

run "$history" --output "$history/report.html" --no-open
if [ "$status" -eq 1 ] && [ ! -e "$history/report.html" ] && grep -q "記録のフォルダーの中にはページを書きません" "$tmp/err" &&
    [ "$(marks "$history")" = "$before" ]; then
    ok "a page inside the history folder is refused: $(head -n1 "$tmp/err")"
else
    not_ok "a page inside the history folder gave status $status: $(cat "$tmp/err")"
fi
run "$history" --output "$history/方程式基本.txt" --no-open
if [ "$status" -eq 1 ] && [ "$(marks "$history")" = "$before" ]; then
    ok "a family file named as the page is left as it was"
else
    not_ok "a family file named as the page gave status $status"
fi

# --- the default places, folders without records ----------------------------------------

run --no-open
page="$home/.cache/minamo-drill/report.html"
if [ "$status" -eq 0 ] && [ -s "$page" ] && grep -q "見つかりませんでした" "$tmp/err" &&
    grep -q "見つかりませんでした" "$page" && [ ! -e "$home/.local/share/minamo-drill" ]; then
    ok "without a data folder: a calm page in the cache folder, a calm line: $(cat "$tmp/err")"
else
    not_ok "without a data folder: status $status, $(cat "$tmp/err"), page: $(ls -R "$home")"
fi
mkdir -p "$tmp/xdg/data/minamo-drill"
cp "$sample/方程式難.txt" "$tmp/xdg/data/minamo-drill/"
run_env="XDG_DATA_HOME=$tmp/xdg/data XDG_CACHE_HOME=$tmp/xdg/cache" run --no-open
if [ "$status" -eq 0 ] && grep -q "方程式難1" "$tmp/xdg/cache/minamo-drill/report.html" && [ ! -s "$tmp/err" ]; then
    ok "XDG_DATA_HOME and XDG_CACHE_HOME name the data folder and the page's folder"
else
    not_ok "with XDG folders: status $status, $(cat "$tmp/err")"
fi
mkdir -p "$tmp/empty"
run "$tmp/empty" --output "$tmp/empty.html" --no-open
if [ "$status" -eq 0 ] && grep -q "記録のファイル（方程式基本.txt、" "$tmp/err" && [ -z "$(ls -A "$tmp/empty")" ]; then
    ok "a folder without family files: a calm line and nothing created there: $(cat "$tmp/err")"
else
    not_ok "a folder without family files gave status $status: $(cat "$tmp/err")"
fi
mkdir -p "$tmp/unwritable"
echo "a file" >"$tmp/unwritable/file"
run "$history" --output "$tmp/unwritable/file/report.html" --no-open
if [ "$status" -eq 1 ] && grep -q "ページを書けませんでした" "$tmp/err"; then
    ok "a page that cannot be written is reported and exits 1"
else
    not_ok "a page that cannot be written gave status $status: $(cat "$tmp/err")"
fi

# --- a family file no one may read ---------------------------------------------------------

locked="$tmp/locked"
cp -r "$sample" "$locked"
chmod 000 "$locked/方程式標準.txt"
chmod 777 "$tmp/pages"
locked_before=$(stat -c '%s %Y %a' "$locked/方程式標準.txt")
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    # Root reads a file of mode 000; the user nobody does not.
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
status=0
env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 "${as_user[@]}" \
    "$program" "$locked" --output "$tmp/pages/locked.html" --no-open >"$tmp/out" 2>"$tmp/err" || status=$?
if [ "$status" -eq 0 ] && grep -q "方程式標準.txt を開けませんでした（読む許可がないようです）" "$tmp/err" &&
    grep -q "方程式標準.txt を開けませんでした" "$tmp/pages/locked.html" &&
    grep -q "方程式基本1" "$tmp/pages/locked.html" &&
    [ "$(stat -c '%s %Y %a' "$locked/方程式標準.txt")" = "$locked_before" ]; then
    ok "a family file without read permission is named calmly, left alone, the others shown${as_user:+ (run as nobody)}"
else
    not_ok "a family file without read permission: status $status, $(cat "$tmp/err")"
fi

# --- a class folder ------------------------------------------------------------------------

class="$tmp/class"
mkdir -p "$class/empty" "$class/closed"
cp -r "$sample" "$class/pupil"
cp -r "$sample" "$class/other"
rm "$class/other/方程式標準.txt"
mkdir "$class/other/方程式標準.txt"
cp "$sample/方程式基本.txt" "$class/closed/"
touch -d "2001-01-01 00:00:00" "$class"/*/* "$class"/*
chmod 000 "$class/closed"
chmod 777 "$tmp/pages"
class_marks() { (cd "$class" && find . -mindepth 1 -printf '%p %s %T@ %C@ %i %m\n' | LC_ALL=C sort); }
class_before=$(class_marks)
status=0
env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 "${as_user[@]}" \
    "$program" --class "$class" --output "$tmp/pages/class.html" --no-open >"$tmp/out" 2>"$tmp/err" || status=$?
rows=$(awk 'BEGIN { RS = "<table class=\"grid\">" } NR == 2 { sub(/<\/table>.*/, ""); print gsub(/<tr>/, "&") - 1 }' \
    "$tmp/pages/class.html" 2>/dev/null)
if [ "$status" -eq 0 ] && [ "$rows" = 4 ] &&
    grep -q "minamo-report: other: 方程式標準.txt はファイルではなくフォルダーなので" "$tmp/err" &&
    grep -q "minamo-report: closed: フォルダーを開けませんでした" "$tmp/err" &&
    ! grep -q "empty" "$tmp/err" && grep -q ">empty</a>" "$tmp/pages/class.html" &&
    [ "$(class_marks)" = "$class_before" ]; then
    ok "a class folder: every pupil kept, the faults named on stderr, nothing in the folder changed${as_user:+ (run as nobody)}"
else
    not_ok "a class folder: status $status, $rows rows, $(cat "$tmp/err")"
    diff <(echo "$class_before") <(class_marks) | sed 's/^/#   /' || true
fi
run --class "$class" --output "$class/empty/class.html" --no-open
if [ "$status" -eq 1 ] && [ ! -e "$class/empty/class.html" ] && grep -q "記録のフォルダーの中にはページを書きません" "$tmp/err"; then
    ok "a class page inside the class folder is refused"
else
    not_ok "a class page inside the class folder gave status $status: $(cat "$tmp/err")"
fi
chmod 755 "$class/closed"

# --- opening the page ----------------------------------------------------------------------

run "$history" --output "$tmp/pages/open.html"
if [ "$status" -eq 1 ] && [ -s "$tmp/pages/open.html" ] && grep -q "（画面がありません）" "$tmp/err"; then
    ok "without a display the page is written and the program says where it is"
else
    not_ok "without a display: status $status, $(cat "$tmp/err")"
fi

# A stand-in for xdg-open that fails, as it does where no browser is set up.
mkdir -p "$tmp/failing-bin" "$tmp/no-bin"
printf '#!/bin/sh\nexit 4\n' >"$tmp/failing-bin/xdg-open"
chmod +x "$tmp/failing-bin/xdg-open"
ln -s "$(command -v timeout)" "$tmp/no-bin/timeout"
# A display that no server answers: the report must not abort over it.
dead=":$((7000 + $$ % 1000))"
run_path="$tmp/failing-bin:/usr/bin:/bin" run_env="DISPLAY=$dead QT_QPA_PLATFORM=xcb" \
    run "$history" --output "$tmp/pages/dead.html"
if [ "$status" -eq 1 ] && [ "$(cat "$tmp/out")" = "$tmp/pages/dead.html" ] &&
    grep -q "ブラウザーで開けませんでした（xdg-open が開けませんでした。.*）。ページはここにあります: $tmp/pages/dead.html" "$tmp/err" &&
    [ -z "$(ls "$tmp" | grep -i core)" ]; then
    ok "xdg-open failing on a display no one answers: exit 1, the page's path and a clear line"
else
    not_ok "xdg-open failing on an unanswered display: status $status, $(cat "$tmp/out" "$tmp/err")"
fi
run_path="$tmp/failing-bin:/usr/bin:/bin" run_env="DISPLAY=$dead QT_QPA_PLATFORM=xcb" \
    run "$history" --output "$tmp/pages/dead.html" --no-open
if [ "$status" -eq 0 ] && [ ! -s "$tmp/err" ]; then
    ok "--no-open needs no display at all"
else
    not_ok "--no-open on an unanswered display: status $status, $(cat "$tmp/err")"
fi
run_path="$tmp/no-bin" run_env="DISPLAY=$dead" run "$history" --output "$tmp/pages/none.html"
if [ "$status" -eq 1 ] && grep -q "（ファイルを開く xdg-open がありません）" "$tmp/err"; then
    ok "without xdg-open: exit 1 and a clear line: $(cat "$tmp/err")"
else
    not_ok "without xdg-open: status $status, $(cat "$tmp/err")"
fi

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "# Xvfb or xdotool is not installed: the page is not opened through xdg-open"
else
    # A stand-in for xdg-open that notes what it was asked to open.
    mkdir -p "$tmp/bin"
    cat >"$tmp/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$@" >"$tmp/opened"
EOF
    chmod +x "$tmp/bin/xdg-open"
    source "$(dirname "$0")/../../tests/system/x_server.sh"
    start_x_server || not_ok "Xvfb did not start: $(cat "$tmp/xvfb.log" 2>/dev/null)"
    run_path="$tmp/bin:/usr/bin:/bin" run_env="DISPLAY=$DISPLAY QT_QPA_PLATFORM=xcb" \
        run "$history" --output "$tmp/pages/open.html"
    for _ in $(seq 50); do
        [ -s "$tmp/opened" ] && break
        sleep 0.1
    done
    if [ "$status" -eq 0 ] && grep -qF "$tmp/pages/open.html" "$tmp/opened" 2>/dev/null; then
        ok "the page is handed to xdg-open: $(cat "$tmp/opened")"
    else
        not_ok "xdg-open was not asked to open the page: status $status, $(cat "$tmp/err"), $(cat "$tmp/opened" 2>/dev/null)"
    fi
    # Started from the desktop's menu, nobody reads standard error: the failure is shown.
    run_path="$tmp/failing-bin:/usr/bin:/bin" run_env="DISPLAY=$DISPLAY" \
        run "$history" --output "$tmp/pages/open.html"
    notice=$(timeout 10 xdotool search --sync --name "^ミナモ塾の記録\$" 2>/dev/null | head -n 1 || true)
    if [ "$status" -eq 1 ] && [ -n "$notice" ] && grep -q "ブラウザーで開けませんでした" "$tmp/err"; then
        ok "xdg-open failing: exit 1, a clear line and a message box on the display"
        kill "$(xdotool getwindowpid "$notice")" 2>/dev/null || true
    else
        not_ok "xdg-open failing on a display: status $status, box '$notice', $(cat "$tmp/err")"
    fi
fi

finish
