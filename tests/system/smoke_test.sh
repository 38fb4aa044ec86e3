#!/usr/bin/env bash
# Starts the real program on a virtual X server at 96 dpi and checks what the pupil sees:
# the window's client size and colour, the invitation drawn in the Japanese font, and a
# drill started from the menu (problem number 1, a running countdown). With fresh numbers,
# a word problem from the menu: its story set wide, then beside its worked solution after a
# miss.
#
#   smoke_test.sh PROGRAM SCREENSHOT_FOLDER
#
# Needs Xvfb, xdotool and ImageMagick (convert, import) and the IPAPGothic font. The
# screenshots stay in SCREENSHOT_FOLDER for review.
source "$(dirname "$0")/preamble.sh"
[ $# -eq 2 ] || usage PROGRAM SCREENSHOT_FOLDER
program=$(readlink -f "$1")
shots=$2
glyphs_awk="$(cd "$(dirname "$0")" && pwd)/smoke_glyphs.awk"

readonly windowTitle="ミナモ塾"
readonly idleText="問題をくーれ"
readonly firstMenu="方程式基本"
readonly firstEntry="基本１"
readonly background="#C0FFFF" # RGB (192, 255, 255)

# The window's design in twips; at 96 dpi a pixel is 15 twips.
readonly twipsPerPixel=15
readonly clientWidthTwips=10395
readonly clientHeightTwips=7260
readonly picture2WidthTwips=8775
readonly idleLineTwips=675 # the first printed line of the problem area, 20.25 pt high
readonly text1LeftTwips=9240 text1TopTwips=2160 text1WidthTwips=855 text1HeightTwips=375
readonly label2LeftTwips=8880 label2TopTwips=3000 label2WidthTwips=1455 label2HeightTwips=615
# The fonts in points: the problem area's, the countdown's, and the application font that
# the menu and the number box use.
readonly problemPoints=20.25
readonly countdownPoints=26.25
readonly applicationPoints=10
# A text box's frame and inner margin, kept out of what is read.
readonly boxInset=3

readonly clientWidth=$((clientWidthTwips / twipsPerPixel))
readonly clientHeight=$((clientHeightTwips / twipsPerPixel))
# A column and a row of the client area that no control crosses in the idle window.
readonly emptyColumn=300
readonly emptyRow=270

# Text shapes nearer than this to the reference rendering are the same text in the same font.
readonly sameTextLimit=0.12
readonly sizeTolerance=2

source "$(dirname "$0")/x_server.sh"

workspace
xvfb_pid=""
program_pid=""
cleanup() {
    stop_process "$program_pid"
    stop_process "$xvfb_pid"
}
at_exit cleanup

mkdir -p "$shots"
rm -f "$shots"/*.png

font_file() {
    local family=$1 file
    file=$(fc-match -f '%{file}' "$family")
    if [ "$(fc-query -f '%{family}\n' "$file" 2>/dev/null | tr ',' '\n' | grep -cx "$family")" -eq 0 ]; then
        return 1
    fi
    echo "$file"
}
japanese_font=$(font_file IPAPGothic) || give_up "the font IPAPGothic is not installed"
monospaced_font=$(font_file IPAGothic) || monospaced_font=""

# --- the pictures --------------------------------------------------------------------------

now() { date +%s.%N; }
elapsed_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { print b - a }'; }
pixels() { echo $(($1 / twipsPerPixel)); }

# The most frequent colour of a picture and its share of the pixels: "#RRGGBB 0.93".
dominant_colour() {
    convert "$1" -alpha off -depth 8 -format %c histogram:info:- |
        awk -v total="$(identify -format '%[fx:w*h]' "$1")" '
            { count = $1 + 0; if (count > best) { best = count; hex = $3 } }
            END { printf "%s %.3f\n", toupper(hex), best / total }'
}

# The ink of a picture against a background colour (its dominant one unless given).
ink_map() {
    local picture=$1 out=$2 bg=${3:-}
    if [ -z "$bg" ]; then
        bg=$(dominant_colour "$picture" | cut -d' ' -f1)
    fi
    convert "$picture" \( +clone -fill "$bg" -colorize 100 \) -compose difference -composite \
        -colorspace gray -auto-level -depth 8 -compress none "pgm:$out"
}

# A text drawn by ImageMagick in a font file at a size in points, at 96 dpi, as ink.
render_text() {
    local font=$1 points=$2 text=$3 out=$4
    convert -density 96 -background white -fill black -font "$font" -pointsize "$points" \
        "label:$text" -negate -colorspace gray -auto-level -depth 8 -compress none "pgm:$out"
}

crop() {
    local picture=$1 x=$2 y=$3 width=$4 height=$5 out=$6
    convert "$picture" -crop "${width}x${height}+${x}+${y}" +repage "$out"
}

# "mismatch widthA heightA widthB heightB" of two ink maps.
shape_match() {
    awk -f "$glyphs_awk" -v mode=match -v a="$1" -v b="$2"
}

# Succeeds when two ink maps hold the same text in the same font.
same_text() {
    local result
    result=$(shape_match "$1" "$2")
    echo "$result" | awk -v limit="$sameTextLimit" -v tolerance="$sizeTolerance" '
        function abs(v) { return v < 0 ? -v : v }
        { exit !($1 <= limit && abs($2 - $4) <= tolerance && abs($3 - $5) <= tolerance) }'
}

describe_match() {
    shape_match "$1" "$2" | awk '{ printf "mismatch %s, ink %dx%d against %dx%d", $1, $2, $3, $4, $5 }'
}

# The reference glyphs of the digits (and the colon) in the Japanese font at a size.
glyph_list() {
    local points=$1 list="$tmp/glyphs-$1.list" c file
    if [ ! -f "$list" ]; then
        mkdir -p "$tmp/glyphs-$points"
        for c in 0 1 2 3 4 5 6 7 8 9 colon; do
            file="$tmp/glyphs-$points/$c.pgm"
            if [ "$c" = colon ]; then
                render_text "$japanese_font" "$points" ":" "$file"
                printf ':\t%s\n' "$file" >>"$list"
            else
                render_text "$japanese_font" "$points" "$c" "$file"
                printf '%s\t%s\n' "$c" "$file" >>"$list"
            fi
        done
    fi
    echo "$list"
}

# Reads the digits in a rectangle (window pixels) of a window screenshot.
read_digits() {
    local shot=$1 x=$2 y=$3 width=$4 height=$5 points=$6
    crop "$shot" "$x" "$y" "$width" "$height" "$tmp/read.png"
    ink_map "$tmp/read.png" "$tmp/read.pgm"
    awk -f "$glyphs_awk" -v mode=read -v picture="$tmp/read.pgm" \
        -v glyphs="$(glyph_list "$points")" 2>"$tmp/read.log"
}

# --- the X server and the program ----------------------------------------------------------

start_x_server || give_up "Xvfb did not start: $(cat "$tmp/xvfb.log" 2>/dev/null)"
echo "# Xvfb on $DISPLAY"

# The program gets a clean environment: its own working folder (the history files land
# there), its own runtime folder (the single-copy lock) and home.
mkdir -p "$tmp/work" "$tmp/home" "$tmp/runtime"
chmod 700 "$tmp/runtime"
(cd "$tmp/work" && exec env -i PATH="$PATH" HOME="$tmp/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$program") >"$tmp/program.log" 2>&1 &
program_pid=$!

window=""
deadline=$(($(date +%s) + 15))
while [ -z "$window" ]; do
    kill -0 "$program_pid" 2>/dev/null || give_up "the program ended: $(cat "$tmp/program.log")"
    [ "$(date +%s)" -lt "$deadline" ] || give_up "no window \"$windowTitle\" within 15 s"
    window=$(xdotool search --onlyvisible --name "^${windowTitle}\$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] || sleep 0.1
done
ok "the window \"$windowTitle\" is shown"

# One value (X, Y, WIDTH, HEIGHT) of what "xdotool getwindowgeometry --shell" printed.
geometry_value() { echo "$1" | sed -n "s/^$2=//p"; }
window_geometry=$(xdotool getwindowgeometry --shell "$window")
X=$(geometry_value "$window_geometry" X)
Y=$(geometry_value "$window_geometry" Y)
WIDTH=$(geometry_value "$window_geometry" WIDTH)
HEIGHT=$(geometry_value "$window_geometry" HEIGHT)
menu_height=$((HEIGHT - clientHeight))

# --- the idle window -----------------------------------------------------------------------

idle_line=$(pixels $idleLineTwips)
picture2_width=$(pixels $picture2WidthTwips)
render_text "$japanese_font" "$problemPoints" "$idleText" "$tmp/idle-reference.pgm"
convert "$tmp/idle-reference.pgm" -negate "$shots/idle-text-reference.png"

# The first paint may come a moment after the window is mapped.
deadline=$(($(date +%s) + 10))
while :; do
    import -window "$window" "$shots/idle.png"
    crop "$shots/idle.png" 0 "$menu_height" "$picture2_width" "$idle_line" "$shots/idle-text.png"
    ink_map "$shots/idle-text.png" "$tmp/idle-text.pgm" "$background"
    if same_text "$tmp/idle-text.pgm" "$tmp/idle-reference.pgm" || [ "$(date +%s)" -ge "$deadline" ]; then
        break
    fi
    sleep 0.2
done

if [ "$WIDTH" -eq "$clientWidth" ] && [ "$menu_height" -ge 10 ] && [ "$menu_height" -le 60 ]; then
    ok "window ${WIDTH}x${HEIGHT}: a client area of ${clientWidth}x${clientHeight} under a menu bar of $menu_height"
else
    not_ok "window ${WIDTH}x${HEIGHT} is not a ${clientWidth}x${clientHeight} client area under a menu bar"
fi

# The client area in the picture: the rows of an empty column that have the background
# colour are exactly those below the menu bar; an empty row has it from edge to edge.
column=$(convert "$shots/idle.png" -crop "1x${HEIGHT}+${emptyColumn}+0" +repage -depth 8 txt:- |
    awk -v bg="$background" -F'[,: ]+' 'NR > 1 && toupper($0) ~ bg {
        if (first == "") first = $2; count++ } END { print first + 0, count + 0 }')
if [ "$column" = "$menu_height $clientHeight" ]; then
    ok "the background fills rows $menu_height..$((HEIGHT - 1)) of column $emptyColumn"
else
    not_ok "the background in column $emptyColumn (first row, rows): $column, expected $menu_height $clientHeight"
fi
row=$(convert "$shots/idle.png" -crop "${WIDTH}x1+0+$((menu_height + emptyRow))" +repage -depth 8 txt:- |
    awk -v bg="$background" 'NR > 1 && toupper($0) ~ bg { count++ } END { print count + 0 }')
if [ "$row" -eq "$clientWidth" ]; then
    ok "the background fills row $emptyRow of the client area from edge to edge"
else
    not_ok "the background covers $row of $clientWidth pixels in row $emptyRow of the client area"
fi

crop "$shots/idle.png" 0 "$menu_height" "$clientWidth" "$clientHeight" "$tmp/client.png"
read -r colour share < <(dominant_colour "$tmp/client.png")
if [ "$colour" = "$background" ] && awk -v s="$share" 'BEGIN { exit !(s >= 0.8) }'; then
    ok "the client area's colour is RGB (192, 255, 255) ($share of it)"
else
    not_ok "the client area's dominant colour is $colour ($share of it), expected $background"
fi

# The invitation against the same text in IPAPGothic. The check must be able to tell a
# missing glyph's boxes and another Japanese font from it, or it proves nothing.
boxes=()
for i in 0 1 2 3 4 5; do
    left=$((3 + i * 24))
    boxes+=(-draw "rectangle $left,3 $((left + 19)),26")
done
convert -size 150x30 xc:white -fill none -stroke black "${boxes[@]}" -negate -colorspace gray \
    -depth 8 -compress none "pgm:$tmp/missing-glyphs.pgm"
if same_text "$tmp/missing-glyphs.pgm" "$tmp/idle-reference.pgm"; then
    not_ok "the font check cannot tell boxes of missing characters from the text"
fi
if [ -n "$monospaced_font" ]; then
    render_text "$monospaced_font" "$problemPoints" "$idleText" "$tmp/other-font.pgm"
    if same_text "$tmp/other-font.pgm" "$tmp/idle-reference.pgm"; then
        not_ok "the font check cannot tell IPAGothic from IPAPGothic"
    fi
fi
if same_text "$tmp/idle-text.pgm" "$tmp/idle-reference.pgm"; then
    ok "\"$idleText\" is drawn in IPAPGothic ($(describe_match "$tmp/idle-text.pgm" "$tmp/idle-reference.pgm"))"
else
    not_ok "\"$idleText\" is not drawn as IPAPGothic draws it ($(describe_match "$tmp/idle-text.pgm" "$tmp/idle-reference.pgm"); boxes of missing characters: $(describe_match "$tmp/missing-glyphs.pgm" "$tmp/idle-reference.pgm"))"
fi

# --- a drill from the menu -----------------------------------------------------------------

# The menu is a window of its own that opens under its word, between LEFT and RIGHT of the
# screen (the search lists the root window and the main window too).
find_popup() {
    local left=$1 right=$2 id geometry
    for id in $(xdotool search --onlyvisible --pid "$program_pid" "" 2>/dev/null); do
        [ "$id" != "$window" ] || continue
        geometry=$(xdotool getwindowgeometry --shell "$id")
        echo "$geometry" | awk -F= -v left="$((left - 20))" -v right="$right" \
            -v top="$((Y + menu_height - 2))" -v widest="$WIDTH" '
            { v[$1] = $2 }
            END { exit !(v["X"] >= left && v["X"] <= right && v["Y"] >= top && v["WIDTH"] < widest) }' ||
            continue
        echo "$geometry"
        return 0
    done
    return 1
}

# pick_first_entry SHOT N MENU ENTRY NAME: in the window ($window at X, Y), opens the Nth
# word of the menu bar in the window screenshot SHOT by a click on it and picks the menu's
# first entry by a click on that; checks that the word reads MENU and the entry ENTRY. The
# open menu's screenshot is kept as NAME.png. The menu bar's words stand at least a
# character's gap apart.
pick_first_entry() {
    local shot=$1 n=$2 menu=$3 entry=$4 name=$5
    local word_first word_last popup_geometry popup_x popup_y popup_width popup_height
    local entry_first="" entry_last="" deadline
    crop "$shot" 0 0 "$WIDTH" "$((menu_height - 2))" "$tmp/menubar.png"
    ink_map "$tmp/menubar.png" "$tmp/menubar.pgm"
    read -r word_first word_last < <(awk -f "$glyphs_awk" -v mode=runs -v picture="$tmp/menubar.pgm" \
        -v axis=x -v gap=8 | sed -n "${n}p") || give_up "the menu bar shows no word $n"
    crop "$tmp/menubar.png" "$word_first" 0 "$((word_last - word_first + 1))" "$((menu_height - 2))" "$tmp/word.png"
    ink_map "$tmp/word.png" "$tmp/word.pgm"
    render_text "$japanese_font" "$applicationPoints" "$menu" "$tmp/word-reference.pgm"
    if same_text "$tmp/word.pgm" "$tmp/word-reference.pgm"; then
        ok "word $n of the menu bar is \"$menu\" ($(describe_match "$tmp/word.pgm" "$tmp/word-reference.pgm"))"
    else
        not_ok "word $n of the menu bar is not \"$menu\" ($(describe_match "$tmp/word.pgm" "$tmp/word-reference.pgm"))"
    fi
    xdotool mousemove "$((X + (word_first + word_last) / 2))" "$((Y + menu_height / 2))" click 1

    deadline=$(($(date +%s) + 5))
    until popup_geometry=$(find_popup "$((X + word_first))" "$((X + word_last))"); do
        [ "$(date +%s)" -lt "$deadline" ] || give_up "the menu \"$menu\" did not open"
        sleep 0.1
    done
    popup_x=$(geometry_value "$popup_geometry" X)
    popup_y=$(geometry_value "$popup_geometry" Y)
    popup_width=$(geometry_value "$popup_geometry" WIDTH)
    popup_height=$(geometry_value "$popup_geometry" HEIGHT)

    # The menu's entries, inside its frame. Until it is drawn, a moment after it is mapped,
    # the place may still show what lay under it.
    render_text "$japanese_font" "$applicationPoints" "$entry" "$tmp/entry-reference.pgm"
    deadline=$(($(date +%s) + 5))
    while :; do
        import -window root "$shots/$name.png"
        crop "$shots/$name.png" "$((popup_x + boxInset))" "$((popup_y + boxInset))" \
            "$((popup_width - 2 * boxInset))" "$((popup_height - 2 * boxInset))" "$tmp/popup.png"
        ink_map "$tmp/popup.png" "$tmp/popup.pgm"
        read -r entry_first entry_last < <(awk -f "$glyphs_awk" -v mode=runs -v picture="$tmp/popup.pgm" \
            -v axis=y -v gap=3 | sed -n 1p) || true
        if [ -n "$entry_first" ]; then
            crop "$tmp/popup.png" 0 "$entry_first" "$((popup_width - 2 * boxInset))" \
                "$((entry_last - entry_first + 1))" "$tmp/entry.png"
            ink_map "$tmp/entry.png" "$tmp/entry.pgm"
            same_text "$tmp/entry.pgm" "$tmp/entry-reference.pgm" && break
        fi
        [ "$(date +%s)" -lt "$deadline" ] || break
        sleep 0.1
    done
    [ -n "$entry_first" ] || give_up "the menu \"$menu\" shows no entries"
    if same_text "$tmp/entry.pgm" "$tmp/entry-reference.pgm"; then
        ok "the menu \"$menu\" opens with \"$entry\" first ($(describe_match "$tmp/entry.pgm" "$tmp/entry-reference.pgm"))"
    else
        not_ok "the first entry of \"$menu\" is not \"$entry\" ($(describe_match "$tmp/entry.pgm" "$tmp/entry-reference.pgm"))"
    fi
    xdotool mousemove "$((popup_x + popup_width / 2))" "$((popup_y + boxInset + (entry_first + entry_last) / 2))" click 1
}

pick_first_entry "$shots/idle.png" 1 "$firstMenu" "$firstEntry" menu-open
clicked_at=$(now)

# The number box reads 1 once the first problem is shown: grabs the window as SHOT until it
# does, for at most 5 s, and prints what it read last.
number_at_start() {
    local shot=$1 number="" deadline=$(($(date +%s) + 5))
    local x=$(($(pixels $text1LeftTwips) + boxInset)) y=$(($(pixels $text1TopTwips) + menu_height + boxInset))
    local width=$(($(pixels $text1WidthTwips) - 2 * boxInset)) height=$(($(pixels $text1HeightTwips) - 2 * boxInset))
    while :; do
        import -window "$window" "$shot"
        number=$(read_digits "$shot" "$x" "$y" "$width" "$height" "$applicationPoints")
        if [ "$number" = 1 ] || [ "$(date +%s)" -ge "$deadline" ]; then
            break
        fi
        sleep 0.2
    done
    echo "$number"
}
number=$(number_at_start "$shots/drill-started.png")
if [ "$number" = 1 ]; then
    ok "Text1 reads 1 after \"$firstMenu\" -> \"$firstEntry\""
else
    not_ok "Text1 reads \"$number\" after \"$firstMenu\" -> \"$firstEntry\", expected 1"
    sed 's/^/# /' "$tmp/read.log"
fi

crop "$shots/drill-started.png" 0 "$menu_height" "$picture2_width" "$idle_line" "$tmp/problem-line.png"
ink_map "$tmp/problem-line.png" "$tmp/problem-line.pgm" "$background"
if same_text "$tmp/problem-line.pgm" "$tmp/idle-reference.pgm"; then
    not_ok "the invitation still stands where the first problem belongs"
else
    ok "the first problem replaces the invitation"
fi

# The countdown: from a second after the start it reads 9:5x, and each later reading shows
# as many seconds less as have passed between the screenshots, give or take one (the label
# follows a 300 ms timer and shows whole seconds).
label2_x=$(pixels $label2LeftTwips)
label2_y=$(($(pixels $label2TopTwips) + menu_height))
label2_width=$(pixels $label2WidthTwips)
label2_height=$(pixels $label2HeightTwips)
wait_left=$(awk -v e="$(elapsed_since "$clicked_at")" 'BEGIN { w = 1.2 - e; print (w > 0 ? w : 0) }')
sleep "$wait_left"
readings=()
taken=()
for i in 1 2 3; do
    [ "$i" -eq 1 ] || sleep 1.1
    taken+=("$(now)")
    import -window "$window" "$shots/countdown-$i.png"
    readings+=("$(read_digits "$shots/countdown-$i.png" "$label2_x" "$label2_y" "$label2_width" \
        "$label2_height" "$countdownPoints")")
    cat "$tmp/read.log" >>"$tmp/countdown.log"
done
seconds_left() { echo "$1" | awk -F: '/^[0-9]+:[0-9]+$/ { print $1 * 60 + $2; exit } { print -1 }'; }
countdown_ok=1
# Each reading is the time left since the click (the drill's 600 s), within two seconds: a
# slow machine takes its screenshots later, and the clock has run on as far. (In the half
# second before a whole minute the clock reads k:59 for 60k; a minute less is then meant.)
meant=()
for i in 0 1 2; do
    meant+=("$(awk -v left="$(seconds_left "${readings[$i]}")" \
        -v passed="$(awk -v a="$clicked_at" -v b="${taken[$i]}" 'BEGIN { print b - a }')" \
        'function near(t) { return t >= 600 - passed - 2 && t <= 600 - passed + 2 }
         BEGIN { print near(left) ? left : (left % 60 == 59 && near(left - 60)) ? left - 60 : -1 }')")
    [ "${meant[$i]}" -ge 0 ] || countdown_ok=0
done
# And it falls with the time between the screenshots.
if [ "$countdown_ok" -eq 1 ]; then
    for i in 0 1; do
        awk -v step="$((meant[i] - meant[i + 1]))" \
            -v passed="$(awk -v a="${taken[$i]}" -v b="${taken[$((i + 1))]}" 'BEGIN { print b - a }')" \
            'BEGIN { exit !(step >= 1 && step >= passed - 1 && step <= passed + 1) }' || countdown_ok=0
    done
fi
if [ "$countdown_ok" -eq 1 ]; then
    ok "the countdown runs: ${readings[*]}"
else
    not_ok "the countdown reads ${readings[*]} at $(printf '%s ' "${taken[@]}"), since the click at $clicked_at, expected the time left falling with the time"
    sed 's/^/# /' "$tmp/countdown.log"
fi

if kill -0 "$program_pid" 2>/dev/null; then
    ok "the program still runs"
else
    not_ok "the program ended: $(cat "$tmp/program.log")"
fi

# --- a word problem with fresh numbers ---------------------------------------------------------
# 文章問題1 -> 速さ. While the pupil works the story is set wide across the problem area and
# the worked solution's area (Picture7) is hidden; after a miss the story moves into the
# problem area's right column and Picture7 shows the worked solution on the left.
readonly freshMenu="文章問題1" freshMenuWord=5 freshEntry="速さ"
readonly picture7TopTwips=1080 picture7WidthTwips=6015 picture7HeightTwips=5415
readonly besideLeftTwips=6180 besideTopTwips=120 besideRightTwips=8715 storyBottomTwips=3900

# The lines of text (rows with ink, split at rows without) in a rectangle of a window
# screenshot, one "first last" a line, in rows of the rectangle.
text_lines() {
    local shot=$1 x=$2 y=$3 width=$4 height=$5
    crop "$shot" "$x" "$y" "$width" "$height" "$tmp/lines.png"
    ink_map "$tmp/lines.png" "$tmp/lines.pgm" "$background"
    awk -f "$glyphs_awk" -v mode=runs -v picture="$tmp/lines.pgm" -v axis=y -v gap=1
}

word_problem_after_miss() {
    local geometry words deadline number
    window=$fresh_window
    geometry=$(xdotool getwindowgeometry --shell "$window")
    X=$(geometry_value "$geometry" X)
    Y=$(geometry_value "$geometry" Y)
    WIDTH=$(geometry_value "$geometry" WIDTH)
    HEIGHT=$(geometry_value "$geometry" HEIGHT)
    menu_height=$((HEIGHT - clientHeight))
    local p7_y=$(($(pixels $picture7TopTwips) + menu_height)) p7_width=$(pixels $picture7WidthTwips)
    local p7_height=$(pixels $picture7HeightTwips)
    local side_x=$(pixels $besideLeftTwips) side_y=$(($(pixels $besideTopTwips) + menu_height))
    local side_width=$(($(pixels $besideRightTwips) - $(pixels $besideLeftTwips)))
    local side_height=$(($(pixels $storyBottomTwips) - $(pixels $besideTopTwips)))

    # The menu bar's words up to 文章問題1, once the window is drawn (文章問題2, greyed, is
    # too faint to count as ink).
    deadline=$(($(date +%s) + 10))
    while :; do
        import -window "$window" "$shots/fresh-idle.png"
        crop "$shots/fresh-idle.png" 0 0 "$WIDTH" "$((menu_height - 2))" "$tmp/menubar.png"
        ink_map "$tmp/menubar.png" "$tmp/menubar.pgm"
        words=$(awk -f "$glyphs_awk" -v mode=runs -v picture="$tmp/menubar.pgm" -v axis=x -v gap=8 | wc -l)
        [ "$words" -lt "$freshMenuWord" ] || break
        [ "$(date +%s)" -lt "$deadline" ] || give_up "the menu bar of the fresh window shows $words words"
        sleep 0.2
    done
    pick_first_entry "$shots/fresh-idle.png" "$freshMenuWord" "$freshMenu" "$freshEntry" fresh-menu-open
    number=$(number_at_start "$shots/fresh-story.png")
    if [ "$number" != 1 ]; then
        not_ok "Text1 reads \"$number\" after \"$freshMenu\" -> \"$freshEntry\", expected 1"
        return 0
    fi

    # Before a miss: the story runs wide, its first line from the problem area's left edge
    # into the right column, and Picture7's place holds nothing below the story's rows
    # (3900 twips down): no working. Which story of the set comes first differs from run to
    # run, and so does how far down it reaches.
    local story_height=$(pixels $storyBottomTwips) story_width=$(pixels $besideRightTwips)
    local story_rows=$((story_height - $(pixels $picture7TopTwips))) near_edge=$(pixels 600)
    local first_line top bottom extent="" below=0 side_before wide=0
    deadline=$(($(date +%s) + 3))
    while :; do
        first_line=$(text_lines "$shots/fresh-story.png" 0 "$menu_height" "$story_width" "$story_height" | sed -n 1p)
        extent=""
        if [ -n "$first_line" ]; then
            read -r top bottom <<<"$first_line"
            crop "$shots/fresh-story.png" 0 "$((menu_height + top))" "$story_width" "$((bottom - top + 1))" \
                "$tmp/first-line.png"
            ink_map "$tmp/first-line.png" "$tmp/first-line.pgm" "$background"
            extent=$(awk -f "$glyphs_awk" -v mode=runs -v picture="$tmp/first-line.pgm" -v axis=x \
                -v gap="$story_width" | sed -n 1p)
        fi
        below=$(text_lines "$shots/fresh-story.png" 0 "$((p7_y + story_rows))" "$p7_width" \
            "$((p7_height - story_rows))" | wc -l)
        if [ "$below" -eq 0 ] && [ -n "$extent" ] &&
            awk -v e="$extent" -v edge="$near_edge" -v column="$side_x" \
                'BEGIN { split(e, x, " "); exit !(x[1] <= edge && x[2] >= column) }'; then
            wide=1
            break
        fi
        [ "$(date +%s)" -lt "$deadline" ] || break
        sleep 0.2
        import -window "$window" "$shots/fresh-story.png"
    done
    side_before=$(text_lines "$shots/fresh-story.png" "$side_x" "$side_y" "$side_width" "$side_height" | wc -l)
    if [ "$wide" -eq 1 ]; then
        ok "before a miss the story of \"$freshEntry\" runs wide (its first line over x ${extent/ /..}) and Picture7's place is empty below it"
    else
        not_ok "before a miss the story's first line spans x \"$extent\" (expected from at most $near_edge to at least $side_x) and Picture7's place shows $below lines below row $story_rows (expected none)"
    fi

    # A miss: the worked solution fills Picture7 (at least five lines) and the story,
    # set again in the right column, takes more lines there than its wide lines' ends did.
    timeout 5 xdotool windowfocus --sync "$window" || true
    xdotool type --delay 30 "x=0"
    xdotool key Return
    local working=0 side_after=0
    deadline=$(($(date +%s) + 5))
    while :; do
        import -window "$window" "$shots/fresh-miss.png"
        working=$(text_lines "$shots/fresh-miss.png" 0 "$p7_y" "$p7_width" "$p7_height" | wc -l)
        side_after=$(text_lines "$shots/fresh-miss.png" "$side_x" "$side_y" "$side_width" "$side_height" | wc -l)
        if [ "$working" -ge 5 ] && [ "$side_after" -gt "$side_before" ]; then
            break
        fi
        [ "$(date +%s)" -lt "$deadline" ] || break
        sleep 0.2
    done
    if [ "$working" -ge 5 ] && [ "$side_after" -gt "$side_before" ]; then
        ok "after x=0 Picture7 shows $working lines of working, the story $side_after lines in the right column ($side_before before)"
    else
        not_ok "after x=0 Picture7 shows $working lines (expected at least 5), the right column $side_after lines of the story ($side_before before the miss, expected more)"
    fi
}

# --- fresh numbers ---------------------------------------------------------------------------
# The same window with fresh numbers says so in its caption (and runs a word problem, see
# above); an unknown option is refused with a message and status 2, before any window.
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
(cd "$tmp/work" && exec env -i PATH="$PATH" HOME="$tmp/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb "$program" --fresh=7) >"$tmp/fresh.log" 2>&1 &
program_pid=$!
fresh_window=""
deadline=$(($(date +%s) + 15))
while [ -z "$fresh_window" ] && kill -0 "$program_pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
    fresh_window=$(xdotool search --onlyvisible --name "^${windowTitle} — 新しい数\$" 2>/dev/null | head -n1 || true)
    [ -n "$fresh_window" ] || sleep 0.1
done
if [ -n "$fresh_window" ]; then
    ok "--fresh=7 shows the window \"${windowTitle} — 新しい数\""
    word_problem_after_miss
else
    not_ok "--fresh=7 shows no window \"${windowTitle} — 新しい数\": $(cat "$tmp/fresh.log")"
fi
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
status=0
env -i PATH="$PATH" HOME="$tmp/home" LANG=C.UTF-8 DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$tmp/runtime" \
    QT_QPA_PLATFORM=xcb "$program" --fresh=seven >"$tmp/bad-option.log" 2>&1 || status=$?
if [ "$status" -eq 2 ] && grep -q -- "--fresh=seven" "$tmp/bad-option.log"; then
    ok "a seed that is no number is refused with status 2 and a message"
else
    not_ok "--fresh=seven: status $status, said: $(cat "$tmp/bad-option.log")"
fi

echo "# screenshots in $shots"
finish
