#!/usr/bin/env bash
# minamo-worksheet as a user starts it, in a fresh home without a display: the PDF of a
# fraction set, fixed and fresh, read back with poppler's tools (pages, page size, embedded
# fonts, the text a reader's search finds, every word inside the margins and none over
# another); a word problem set; the default file in the documents
# folder; an unknown set, a set of fresh numbers only without --fresh, and outputs that cannot
# be written; the sheet handed to xdg-open. The pages are kept as PNG in SHOTS.
#
#   worksheet_program_test.sh PROGRAM DRILL_TRACE SHOTS
source "$(dirname "$0")/../../tests/system/preamble.sh"
[ $# -eq 3 ] || usage PROGRAM DRILL_TRACE SHOTS
program=$(readlink -f "$1")
trace=$(readlink -f "$2")
shots="$3"

needs pdfinfo pdffonts pdftotext pdftoppm python3

workspace
chmod 755 "$tmp"
cleanup() {
    chmod -R u+rwX "$tmp" 2>/dev/null || true
}
at_exit cleanup

home="$tmp/home"
mkdir -p "$home" "$tmp/runtime"
chmod 700 "$tmp/runtime"
# The program in a clean environment: the fresh home, no display; status in $status, its
# output in $tmp/out and $tmp/err.
run() {
    status=0
    env -i PATH="${run_path:-/usr/bin:/bin}" HOME="$home" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$tmp/runtime" ${run_env:-} \
        timeout 60 "$program" "$@" >"$tmp/out" 2>"$tmp/err" || status=$?
}

# Every word of a PDF inside the 15 mm margins of its page, and no two words more than
# three quarters over each other (a stacked fraction's lines meet, two drawings on one spot
# would cover each other).
check_words() {
    pdftotext -bbox "$1" "$tmp/words.html"
    python3 - "$tmp/words.html" <<'EOF'
import html, re, sys
text = open(sys.argv[1], encoding="utf-8").read()
margin = 850 / 20  # twips to points
faults = []
pages = re.findall(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', text, re.S)
for n, (width, height, body) in enumerate(pages, 1):
    words = [(float(a), float(b), float(c), float(d), html.unescape(t)) for a, b, c, d, t in
             re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" '
                        r'yMax="([\d.]+)">(.*?)</word>', body)]
    for x0, y0, x1, y1, t in words:
        if min(x0, y0) < margin - 0.5 or x1 > float(width) - margin + 0.5 or \
                y1 > float(height) - margin + 0.5:
            faults.append(f"page {n}: {t!r} at {x0:.1f},{y0:.1f}-{x1:.1f},{y1:.1f} leaves the margins")
    for i, a in enumerate(words):
        for b in words[i + 1:]:
            w = min(a[2], b[2]) - max(a[0], b[0])
            h = min(a[3], b[3]) - max(a[1], b[1])
            smaller = min((a[2] - a[0]) * (a[3] - a[1]), (b[2] - b[0]) * (b[3] - b[1]))
            if w > 0 and h > 0 and w * h > 0.75 * smaller:
                faults.append(f"page {n}: {a[4]!r} and {b[4]!r} cover each other")
print("\n".join(faults[:10]) if faults else f"{len(pages)} pages")
sys.exit(1 if faults or not pages else 0)
EOF
}

# A sheet of 方程式分数2 (fillFraction2) read back: $1 the PDF, $2 the bank's lines as
# drill-trace prints them, $3 what its heading says of the numbers, $4 its name here, $5 its
# pages.
check_sheet() {
    local pdf="$1" bank="$2" numbers="$3" what="$4" expected_pages="$5"
    local pages sizes fonts text missing=""
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    sizes=$(pdfinfo -f 1 -l "$pages" "$pdf" | grep -c "size: *595 x 842 pts (A4)" || true)
    if [ "$pages" -eq "$expected_pages" ] && [ "$sizes" -eq "$pages" ]; then
        ok "$what: $pages pages, every one A4 portrait"
    else
        not_ok "$what: $pages pages (expected $expected_pages), $sizes of them A4"
    fi
    fonts=$(pdffonts "$pdf" | tail -n +3)
    if [ -n "$fonts" ] && ! awk '$(NF-4) != "yes"' <<<"$fonts" | grep . >/dev/null &&
        grep -q IPAPGothic <<<"$fonts" && grep -q IPAGothic <<<"$fonts"; then
        ok "$what: every font embedded ($(awk '{print $1}' <<<"$fonts" | tr '\n' ' '))"
    else
        not_ok "$what: fonts not all embedded: $fonts"
    fi
    text=$(pdftotext "$pdf" -)
    for word in 方程式分数2 "分数問題 → 基本2" 名前 日付 解答と解き方 "$numbers"; do
        grep -qF -- "$word" <<<"$text" || missing+=" [$word]"
    done
    for k in $(seq 20); do
        [ "$(grep -cF "($k)" <<<"$text")" -ge 2 ] || missing+=" ($k)"
    done
    local whole
    whole=$(awk -F'\t' '$1 == "fillFraction2" && $4 !~ /\// {print $4}' <<<"$bank")
    for answer in $whole; do
        grep -qxF -- "$answer" <<<"$text" || missing+=" $answer"
    done
    if [ -z "$missing" ] && [ -n "$whole" ]; then
        ok "$what: the set, the heading, every number on both kinds of page and the whole answers ($(tr '\n' ' ' <<<"$whole")) are text"
    else
        not_ok "$what: not found in the text:$missing"
    fi
    if result=$(check_words "$pdf"); then
        ok "$what: every word inside the margins, none over another ($result)"
    else
        not_ok "$what: $result"
    fi
}

# --- the command line ----------------------------------------------------------------------

run --help
if [ "$status" -eq 0 ] && grep -q "使い方: minamo-worksheet" "$tmp/out"; then
    ok "--help prints the usage"
else
    not_ok "--help gave status $status: $(cat "$tmp/out" "$tmp/err")"
fi
run --list
if [ "$status" -eq 0 ] && [ "$(wc -l <"$tmp/out")" -eq 28 ] &&
    grep -qxF "$(printf '方程式分数2\t分数問題 → 基本2')" "$tmp/out" &&
    [ "$(grep -c -- "--fresh）$" "$tmp/out")" -eq 12 ]; then
    ok "--list prints the 28 sets with their menu paths, the 12 of fresh numbers only marked"
else
    not_ok "--list gave status $status: $(cat "$tmp/out" "$tmp/err")"
fi

# --- a fraction set, fixed and fresh -------------------------------------------------------

run 方程式分数2 --no-open --output "$tmp/fixed.pdf"
if [ "$status" -eq 0 ] && [ "$(cat "$tmp/out")" = "$tmp/fixed.pdf" ] && [ ! -s "$tmp/err" ]; then
    ok "the fixed sheet is written without a display, its path printed, nothing on stderr"
    check_sheet "$tmp/fixed.pdf" "$("$trace" banks)" "いつもの問題" "fixed" 6
else
    not_ok "the fixed sheet gave status $status: $(cat "$tmp/out" "$tmp/err")"
fi

seed=2026
run 方程式分数2 --fresh=$seed --no-open --output "$tmp/fresh.pdf"
if [ "$status" -eq 0 ] && [ -s "$tmp/fresh.pdf" ]; then
    ok "the fresh sheet of seed $seed is written"
    # The same problems as the drill's for that seed: their whole answers are on the sheet.
    check_sheet "$tmp/fresh.pdf" "$("$trace" banks --fresh $seed)" "新しい数の問題（種 $seed）" "fresh" 6
else
    not_ok "the fresh sheet gave status $status: $(cat "$tmp/err")"
fi
if ! cmp -s <(pdftotext "$tmp/fixed.pdf" -) <(pdftotext "$tmp/fresh.pdf" -); then
    ok "the fresh sheet's problems are not the fixed ones"
else
    not_ok "the fresh sheet prints the fixed problems"
fi

# A word problem set: stories wrapped, their workings to the answer with its unit.
run 文章問題1 --fresh=7 --no-open --output "$tmp/story.pdf"
if [ "$status" -eq 0 ] && grep -q "^答 分速" <<<"$(pdftotext "$tmp/story.pdf" -)" &&
    result=$(check_words "$tmp/story.pdf"); then
    ok "文章問題1 of seed 7: every word inside the margins, none over another ($result)"
else
    not_ok "文章問題1 of seed 7 gave status $status: $(cat "$tmp/err") ${result:-}"
fi

mkdir -p "$shots"
rm -f "$shots"/*.png
pdftoppm -png -r 60 "$tmp/fixed.pdf" "$shots/fixed"
pdftoppm -png -r 60 "$tmp/fresh.pdf" "$shots/fresh"
pdftoppm -png -r 60 "$tmp/story.pdf" "$shots/story"
echo "# pages of the sheets: $shots"

# --- the default file ----------------------------------------------------------------------

run 方程式分数1 --no-open
default="$home/Documents/方程式分数1_$(date +%F).pdf"
if [ "$status" -eq 0 ] && [ -s "$default" ] && [ "$(cat "$tmp/out")" = "$default" ]; then
    ok "by default the sheet goes to the documents folder, named after the set and the day"
else
    not_ok "the default file: status $status, $(cat "$tmp/out" "$tmp/err"), $(ls -R "$home")"
fi

# --- bad input: nothing is written ---------------------------------------------------------

mkdir -p "$tmp/bad"
run 方程式分数9 --no-open --output "$tmp/bad/sheet.pdf"
if [ "$status" -eq 2 ] && grep -q "「方程式分数9」というセットはありません" "$tmp/err" &&
    grep -q -- "--list" "$tmp/err" && [ -z "$(ls -A "$tmp/bad")" ]; then
    ok "an unknown set is named, --list pointed to, exit 2, nothing written"
else
    not_ok "an unknown set gave status $status: $(cat "$tmp/err"), $(ls "$tmp/bad")"
fi
run 文章問題1 --no-open --output "$tmp/bad/sheet.pdf"
if [ "$status" -eq 2 ] && grep -q "「文章問題1」（文章問題1 → 速さ）は新しい数の問題だけのセットです。--fresh をつけて" "$tmp/err" &&
    [ -z "$(ls -A "$tmp/bad")" ]; then
    ok "a set of fresh numbers only, asked without --fresh: exit 2, nothing written"
else
    not_ok "a word problem set without --fresh gave status $status: $(cat "$tmp/err"), $(ls "$tmp/bad")"
fi
run 方程式分数2 --no-open --output "$tmp/bad/no/such/folder/sheet.pdf"
if [ "$status" -eq 1 ] && grep -q "プリントを書けませんでした: $tmp/bad/no/such/folder/sheet.pdf（そのファイルかフォルダーがありません）" "$tmp/err" &&
    [ -z "$(ls -A "$tmp/bad")" ]; then
    ok "a folder that does not exist: $(cat "$tmp/err")"
else
    not_ok "a folder that does not exist gave status $status: $(cat "$tmp/err")"
fi
run 方程式分数2 --no-open --output "$tmp/bad"
if [ "$status" -eq 1 ] && [ -d "$tmp/bad" ] && [ -z "$(ls -A "$tmp/bad")" ]; then
    ok "a folder as the output is left alone: $(cat "$tmp/err")"
else
    not_ok "a folder as the output gave status $status: $(cat "$tmp/err")"
fi
mkdir -p "$tmp/locked"
echo "an old sheet" >"$tmp/locked/old.pdf"
chmod 444 "$tmp/locked/old.pdf"
chmod 555 "$tmp/locked"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    # Root may write anywhere; the user nobody may not.
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
for target in "$tmp/locked/new.pdf" "$tmp/locked/old.pdf"; do
    status=0
    env -i PATH=/usr/bin:/bin HOME="$tmp" LANG=C.UTF-8 "${as_user[@]}" \
        "$program" 方程式分数2 --no-open --output "$target" >"$tmp/out" 2>"$tmp/err" || status=$?
    if [ "$status" -eq 1 ] && grep -q "プリントを書けませんでした" "$tmp/err" &&
        [ "$(ls "$tmp/locked")" = "old.pdf" ] && [ "$(cat "$tmp/locked/old.pdf")" = "an old sheet" ]; then
        ok "$(basename "$target") in a folder that may not be written: exit 1, nothing changed${as_user:+ (as nobody)}"
    else
        not_ok "$(basename "$target") in a read-only folder gave status $status: $(cat "$tmp/err"), $(ls "$tmp/locked")"
    fi
done

# --- opening the sheet ---------------------------------------------------------------------

run 方程式分数2 --output "$tmp/open.pdf"
if [ "$status" -eq 1 ] && [ -s "$tmp/open.pdf" ] && grep -q "ビューアーで開けませんでした" "$tmp/err"; then
    ok "without a display the sheet is written and the program says where it is"
else
    not_ok "without a display: status $status, $(cat "$tmp/err")"
fi
# A stand-in for xdg-open that notes what it was asked to open; the sheet itself is made
# without connecting to the display.
mkdir -p "$tmp/bin"
cat >"$tmp/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$@" >"$tmp/opened"
EOF
chmod +x "$tmp/bin/xdg-open"
run_path="$tmp/bin:/usr/bin:/bin" run_env="DISPLAY=:9999" run 方程式分数2 --output "$tmp/open.pdf"
for _ in $(seq 50); do
    [ -s "$tmp/opened" ] && break
    sleep 0.1
done
if [ "$status" -eq 0 ] && grep -qxF "$tmp/open.pdf" "$tmp/opened" 2>/dev/null; then
    ok "the sheet is handed to xdg-open: $(cat "$tmp/opened")"
else
    not_ok "xdg-open was not asked to open the sheet: status $status, $(cat "$tmp/err")"
fi
printf '#!/bin/sh\nexit 4\n' >"$tmp/bin/xdg-open"
run_path="$tmp/bin:/usr/bin:/bin" run_env="DISPLAY=:9999" run 方程式分数2 --output "$tmp/open.pdf"
if [ "$status" -eq 1 ] && grep -q "ビューアーで開けませんでした" "$tmp/err"; then
    ok "an xdg-open that fails is said, exit 1"
else
    not_ok "a failing xdg-open gave status $status: $(cat "$tmp/err")"
fi

finish
