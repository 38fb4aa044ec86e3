#!/usr/bin/env bash
# Writes the report of a sample folder, and of one set of 500 drills, loads each page in
# headless Chromium and checks from the browser's own DOM that every set has its chart with
# one mark per record (the newest 300 at most) and its table with a row per record, and that
# nothing in it runs (headless Chromium needs its own scripting for the DOM dump and the
# screenshot, so the page is not loaded with JavaScript off); keeps the screenshots. Then
# the class page of a class of 40: a row per pupil folder in the overview, in the folders'
# order, and printed to PDF (read with poppler-utils) the overview on one A4 landscape page
# and each family's sets on one page of their own.
#
#   report_browser_test.sh PROGRAM SAMPLE_FOLDER SCREENSHOT_FOLDER
#
# Skipped (exit 77) when Debian's chromium is not installed.
source "$(dirname "$0")/../../tests/system/preamble.sh"
[ $# -eq 3 ] || usage PROGRAM SAMPLE_FOLDER SCREENSHOT_FOLDER
program=$1
sample=$2
shots=$3
readonly chromium=/usr/bin/chromium
readonly maxCharted=300

source "$(dirname "$0")/sample_class.sh"

if [ ! -x "$chromium" ]; then
    echo "# SKIP: $chromium is not installed (the test set-up installs the package chromium);" \
        "the page is not checked in a browser"
    exit 77
fi

workspace
mkdir -p "$shots"

# A fresh profile for every start; nothing but the page is loaded.
browse() {
    local page=$1
    shift
    timeout 60 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$(mktemp -d -p "$tmp")" "$@" "file://$page"
}

# What a folder's files hold, counted here from the files themselves: the records of each
# set ("title count"), a line with "," being a record of the name after its first "#".
records_in() {
    local file
    for file in "$1"/*.txt; do
        iconv -f SHIFT_JIS -t UTF-8 "$file" | tr -d '\r' | awk 'NR == 1 && !/,/ { next }
            /,/ { name = ""; rest = substr($0, index($0, ",") + 1)
                  if (index(rest, "#")) { name = substr(rest, index(rest, "#") + 1); sub(/^#+/, "", name) }
                  sub(/\.txt$/, "", name); if (name == "") name = "（セット名のない記録）"
                  count[name]++ }
            END { for (n in count) print n, count[n] }'
    done | LC_ALL=C sort
}

# What the browser shows: per set section its heading, charts, marks and record rows.
sets_in_dom() {
    awk 'BEGIN { RS = "<section class=\"set\"" } NR > 1 {
        heading = "?"
        if (match($0, /<h3[^>]*>[^<]*<\/h3>/)) { heading = substr($0, RSTART, RLENGTH); gsub(/<[^>]*>/, "", heading) }
        charts = gsub(/<svg/, "&"); marks = gsub(/class="mark/, "&"); rows = gsub(/<th scope="row"/, "&")
        print heading, charts, marks, rows }' "$1" | LC_ALL=C sort
}

# Writes the report of a folder, loads it, compares, and takes a screenshot of its top.
check_folder() {
    local what=$1 folder=$2 shot=$3 page="$tmp/$RANDOM.html" dom="$tmp/dom-$RANDOM.html"
    local expected seen sets bad=0 title records line want_marks overview_rows teal
    if "$program" "$folder" --output "$page" --no-open >"$tmp/report.log" 2>&1; then
        ok "$what: the report is written"
    else
        not_ok "$what: minamo-report failed: $(cat "$tmp/report.log")"
        return
    fi
    if browse "$page" --dump-dom >"$dom" 2>"$tmp/chromium.log" && [ -s "$dom" ]; then
        ok "$what: Chromium loads the page ($(wc -c <"$dom") bytes of DOM)"
    else
        not_ok "$what: Chromium could not load the page: $(tail -n 5 "$tmp/chromium.log")"
        return
    fi
    expected=$(records_in "$folder")
    seen=$(sets_in_dom "$dom")
    sets=$(echo "$expected" | wc -l)
    echo "# set, records in the files | charts, marks, table rows in the browser"
    LC_ALL=C join <(echo "$expected") <(echo "$seen") -a 1 -a 2 -e "-" -o 0,1.2,2.2,2.3,2.4 |
        sed 's/^/#   /'
    while read -r title records; do
        line=$(echo "$seen" | awk -v t="$title" '$1 == t')
        want_marks=$((records < maxCharted ? records : maxCharted))
        if [ "$line" != "$title 1 $want_marks $records" ]; then
            not_ok "$what: $title has $records records, the browser shows \"${line:-nothing}\""
            bad=1
        fi
    done <<<"$expected"
    if [ "$bad" -eq 0 ] && [ "$(echo "$seen" | wc -l)" -eq "$sets" ]; then
        ok "$what: all $sets sets have one chart with a mark per record (the newest $maxCharted at most) and a table row per record"
    else
        not_ok "$what: $sets sets in the files, $(echo "$seen" | wc -l) in the browser"
    fi
    overview_rows=$(awk 'BEGIN { RS = "<table class=\"overview\">" } NR == 2 {
        sub(/<\/table>.*/, ""); print gsub(/<th scope="row"/, "&") }' "$dom")
    if [ "$overview_rows" = "$sets" ]; then
        ok "$what: the overview lists every set once"
    else
        not_ok "$what: the overview lists $overview_rows sets"
    fi
    if grep -qiE '<script|<noscript| on[a-z]+=|javascript:' "$dom"; then
        not_ok "$what: the page holds a script: $(grep -oiE '<script|<noscript| on[a-z]+=|javascript:' "$dom" | head -n 3)"
    else
        ok "$what: the page holds no script, so it is the same with JavaScript off"
    fi

    rm -f "$shot"
    if browse "$page" --hide-scrollbars --window-size=1000,1400 --screenshot="$shot" >/dev/null 2>&1 &&
        [ -s "$shot" ]; then
        ok "$what: screenshot $shot"
    else
        not_ok "$what: Chromium took no screenshot"
        return
    fi
    # The newest bar of a chart, and nothing else on the page, is drawn in teal, RGB (0, 128,
    # 128): it is on the screen without scrolling sideways, however many records there are.
    if command -v convert >/dev/null; then
        teal=$(convert "$shot" -fill black +opaque "#008080" -fill white -opaque "#008080" \
            -format "%[fx:round(mean*w*h)]" info:)
        if [ "$teal" -gt 20 ]; then
            ok "$what: the screenshot shows the newest bar ($teal teal pixels)"
        else
            not_ok "$what: the screenshot shows no newest bar ($teal teal pixels)"
        fi
    fi
}

check_folder "sample folder" "$sample" "$shots/report.png"

# One set of 500 drills, more than a chart shows.
many="$tmp/many"
mkdir -p "$many"
{
    printf '2026/12/09\r\n'
    for i in $(seq 500); do
        printf '%d,%s#方程式分数1.txt\r\n' $((i % 40 - 5)) "$(date -d "2025-01-01 + $i days" +%y%m%d)"
    done
} | iconv -f UTF-8 -t SHIFT_JIS >"$many/方程式分数.txt"
check_folder "500 records of one set" "$many" "$shots/report-500.png"

# --- the class page ------------------------------------------------------------------------

class="$tmp/class"
make_class "$class" 40 400 7
page="$tmp/class.html"
dom="$tmp/class-dom.html"
if "$program" --class "$class" --output "$page" --no-open >"$tmp/report.log" 2>&1 &&
    browse "$page" --dump-dom >"$dom" 2>"$tmp/chromium.log" && [ -s "$dom" ]; then
    ok "class of 40: the page is written and Chromium loads it"
else
    give_up "class of 40: $(cat "$tmp/report.log") $(tail -n 5 "$tmp/chromium.log")"
fi
# The first cell of each overview row, and the pupil folders, in order (the names are
# numbered with two digits, so their order is the order of their characters).
rows=$(awk 'BEGIN { RS = "<table class=\"grid\">" } NR == 2 { sub(/<\/table>.*/, "")
    n = split($0, row, "<tr>"); for (i = 2; i <= n; i++) if (match(row[i], /<th scope="row">.*<\/th>/)) {
        name = substr(row[i], RSTART, RLENGTH); sub(/<\/th>.*/, "", name); gsub(/<[^>]*>/, "", name); print name } }' "$dom")
folders=$(cd "$class" && LC_ALL=C ls -d -- */ | sed 's|/$||')
if [ "$rows" = "$folders" ] && [ "$(echo "$rows" | wc -l)" -eq 40 ]; then
    ok "class of 40: the overview has a row per pupil folder, named as the folder, in order"
else
    not_ok "class of 40: the overview's rows differ from the folders:"
    diff <(echo "$folders") <(echo "$rows") | sed 's/^/#   /' || true
fi
heads=$(awk 'BEGIN { RS = "<table class=\"grid\">" } NR == 2 { sub(/<\/thead>.*/, ""); print gsub(/<th scope="col" class="set/, "&") }' "$dom")
if [ "$heads" -eq 19 ]; then
    ok "class of 40: the overview has the 16 fixed sets and the 3 fresh sets some pupils drilled"
else
    not_ok "class of 40: the overview has $heads set columns"
fi
if grep -qiE '<script|<noscript| on[a-z]+=|javascript:' "$dom"; then
    not_ok "class of 40: the page holds a script"
else
    ok "class of 40: the page holds no script"
fi

pdf="$tmp/class.pdf"
if browse "$page" --no-pdf-header-footer --print-to-pdf="$pdf" >/dev/null 2>&1 && [ -s "$pdf" ]; then
    size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    # Where each heading is printed: the overview and the families each on one page.
    where=""
    for p in $(seq "$pages"); do
        pdftotext -f "$p" -l "$p" "$pdf" "$tmp/page-$p.txt"
    done
    for heading in "クラスの一覧" "方程式基本：" "方程式標準：" "方程式難：" "方程式分数：" \
        "方程式基本新：" "生徒ごとのまとめ"; do
        where="$where $(grep -l "$heading" "$tmp"/page-*.txt | sed 's/.*page-\([0-9]*\).txt/\1/' | sort -n | sed -n 1p)"
    done
    last=$(echo "$folders" | tail -n 1)
    if [[ "$size" == "841.92 x 594.96"* ]] && [ "$where" = " 1 2 3 4 5 6 7" ] &&
        grep -qF "$last" "$tmp/page-1.txt"; then
        ok "class of 40 printed: A4 landscape ($size), $pages pages, the overview to $last on page 1, each family's sets on one page"
    else
        not_ok "class of 40 printed: page size $size, headings on pages$where, $last on page 1: $(grep -cF "$last" "$tmp/page-1.txt")"
    fi
else
    not_ok "class of 40: Chromium printed no PDF"
fi
rm -f "$shots/class-report.png"
if browse "$page" --hide-scrollbars --window-size=1400,1100 --screenshot="$shots/class-report.png" \
    >/dev/null 2>&1 && [ -s "$shots/class-report.png" ]; then
    ok "class of 40: screenshot $shots/class-report.png"
else
    not_ok "class of 40: Chromium took no screenshot"
fi

finish
