#!/usr/bin/env bash
# Installs the built program into a throw-away prefix, and unpacks the Debian package that
# scripts/package.sh makes into a throw-away root; checks in each the files, the desktop entry,
# that the launcher starts the program in the pupil's data folder and leaves the home folder
# alone, that the report reads that folder and writes its page to the cache folder only, and
# that minamo-worksheet writes a sheet.
# The package must pass lintian and appstreamcli without an error, a warning or an info tag.
#
#   package_test.sh BUILD_FOLDER CMAKE [PACKAGE_BUILD_FOLDER]
#
# The Debian package is made and checked when a package build folder is given and dpkg-deb
# and dpkg-shlibdeps are there.
source "$(dirname "$0")/preamble.sh"
{ [ $# -ge 2 ] && [ $# -le 3 ]; } || usage BUILD_FOLDER CMAKE [PACKAGE_BUILD_FOLDER]
build=$(readlink -f "$1")
cmake=$2
packageBuild=${3:-}
readonly source="$(dirname "$0")/../.."

readonly package=minamo-drill
readonly launcher=bin/minamo-drill
readonly program=libexec/minamo-drill/minamo-drill
readonly reportProgram=bin/minamo-report
readonly worksheetProgram=bin/minamo-worksheet
readonly soundModule=libexec/minamo-drill/libminamo-sound.so
readonly desktopFile=share/applications/minamo-drill.desktop
readonly iconFile=share/icons/hicolor/scalable/apps/minamo-drill.svg
# Every file an installation holds, and which of them are run.
readonly expectedFiles="bin/minamo-drill
bin/minamo-report
bin/minamo-worksheet
libexec/minamo-drill/Maru.wav
libexec/minamo-drill/SD05.wav
libexec/minamo-drill/libminamo-sound.so
libexec/minamo-drill/minamo-drill
share/applications/minamo-drill-fresh.desktop
share/applications/minamo-drill.desktop
share/doc/minamo-drill/changelog.gz
share/doc/minamo-drill/copyright
share/icons/hicolor/scalable/apps/minamo-drill.svg
share/lintian/overrides/minamo-drill
share/man/man1/minamo-drill.1.gz
share/man/man1/minamo-report.1.gz
share/man/man1/minamo-worksheet.1.gz
share/metainfo/invalid.minamo.drill.metainfo.xml"
readonly expectedPrograms="bin/minamo-drill
bin/minamo-report
bin/minamo-worksheet
libexec/minamo-drill/minamo-drill"
# How long the program must keep running once started to count as running (it has no
# other sign of life without a display).
readonly runSeconds=2
readonly sampleHistory="$source/docs/sample-history"


workspace
running_pid=""
cleanup() {
    stop_process "$running_pid"
}
at_exit cleanup

# Lists the files under a folder, relative to it, sorted.
file_list() {
    (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort
}

check_files() {
    local where=$1 root=$2 actual file
    actual=$(file_list "$root")
    if [ "$actual" = "$expectedFiles" ]; then
        ok "$where: the files are the expected ones"
    else
        not_ok "$where: the files differ from the expected ones:"
        diff <(echo "$expectedFiles") <(echo "$actual") | sed 's/^/#   /' || true
    fi
    for file in $expectedPrograms; do
        if [ -f "$root/$file" ] && [ ! -x "$root/$file" ]; then
            not_ok "$where: $file cannot be run"
        fi
    done
    for file in "$program" "$reportProgram" "$worksheetProgram"; do
        if [ ! -f "$root/$file" ]; then
            continue
        fi
        if command -v readelf >/dev/null && readelf -d "$root/$file" | grep -E 'R(UN)?PATH' | grep -F "$build" >/dev/null; then
            not_ok "$where: $file still looks for libraries in the build folder"
        fi
        if ldd "$root/$file" 2>&1 | grep "not found" >/dev/null; then
            not_ok "$where: libraries of $file are missing: $(ldd "$root/$file" | grep "not found" | tr '\n' ' ')"
        else
            ok "$where: every library of $file is found"
        fi
    done
    # The program loads its sound module from its own folder once a drill starts.
    if [ -f "$root/$soundModule" ]; then
        if ldd "$root/$soundModule" 2>&1 | grep "not found" >/dev/null; then
            not_ok "$where: libraries of the sound module are missing: $(ldd "$root/$soundModule" | grep "not found" | tr '\n' ' ')"
        else
            ok "$where: every library of the sound module is found"
        fi
        if command -v readelf >/dev/null; then
            if readelf --dyn-syms -W "$root/$soundModule" | grep " minamo_create_sound_effect_v2$" >/dev/null; then
                ok "$where: the sound module has its entry point"
            else
                not_ok "$where: the sound module lacks its entry point"
            fi
        fi
    fi
}

check_desktop_entry() {
    local where=$1 root=$2 entry="$2/$desktopFile" exec_command icon size
    if [ ! -f "$entry" ]; then
        not_ok "$where: no desktop entry"
        return
    fi
    if command -v desktop-file-validate >/dev/null; then
        if desktop-file-validate "$entry" >"$tmp/validate.log" 2>&1; then
            ok "$where: desktop-file-validate accepts the desktop entry"
        else
            not_ok "$where: desktop-file-validate rejects the desktop entry: $(cat "$tmp/validate.log")"
        fi
    else
        # Without the validator: the group, the keys every application entry needs, and
        # nothing but comments, groups and keys.
        if [ "$(head -n1 "$entry")" = "[Desktop Entry]" ] &&
            grep -qx "Type=Application" "$entry" &&
            grep -qx "Terminal=false" "$entry" &&
            ! grep -vE '^(#.*|\[[^]]+\]|[A-Za-z0-9-]+(\[[A-Za-z_@.]+\])?=.*|)$' "$entry" >/dev/null; then
            ok "$where: the desktop entry is well formed (desktop-file-validate is not installed)"
        else
            not_ok "$where: the desktop entry is not well formed"
        fi
    fi
    if grep -qx "Name=ミナモ塾" "$entry"; then
        ok "$where: the desktop entry is named \"ミナモ塾\""
    else
        not_ok "$where: the desktop entry's name: $(grep '^Name=' "$entry" || echo none)"
    fi
    exec_command=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=\([^ ]*\).*/\1/p' "$entry")
    if [ "$root/bin/$exec_command" -ef "$root/$launcher" ]; then
        ok "$where: the desktop entry runs the launcher"
    else
        not_ok "$where: the desktop entry runs \"$exec_command\", not the launcher"
    fi
    # The second action starts the report.
    local action_name action_exec
    action_name=$(sed -n '/^\[Desktop Action report\]/,/^\[/s/^Name=//p' "$entry")
    action_exec=$(sed -n '/^\[Desktop Action report\]/,/^\[/s/^Exec=\([^ ]*\).*/\1/p' "$entry")
    if grep -qx "Actions=report;worksheet;" "$entry" && [ "$action_name" = "記録を見る" ] &&
        [ -n "$action_exec" ] && [ "$root/bin/$action_exec" -ef "$root/$reportProgram" ]; then
        ok "$where: the desktop entry's action \"記録を見る\" runs minamo-report"
    else
        not_ok "$where: the desktop entry's report action: \"$action_name\" runs \"$action_exec\""
    fi
    # The third makes a worksheet.
    action_name=$(sed -n '/^\[Desktop Action worksheet\]/,/^\[/s/^Name=//p' "$entry")
    action_exec=$(sed -n '/^\[Desktop Action worksheet\]/,/^\[/s/^Exec=\([^ ]*\).*/\1/p' "$entry")
    if [ "$action_name" = "プリントを作る" ] && [ -n "$action_exec" ] &&
        [ "$root/bin/$action_exec" -ef "$root/$worksheetProgram" ]; then
        ok "$where: the desktop entry's action \"プリントを作る\" runs minamo-worksheet"
    else
        not_ok "$where: the desktop entry's worksheet action: \"$action_name\" runs \"$action_exec\""
    fi
    # The second entry starts the same launcher with fresh numbers.
    local fresh="$root/share/applications/minamo-drill-fresh.desktop"
    if grep -qx "Name=ミナモ塾 新しい数" "$fresh" && grep -qx "Exec=minamo-drill --fresh" "$fresh" &&
        { ! command -v desktop-file-validate >/dev/null || desktop-file-validate "$fresh"; }; then
        ok "$where: the entry \"ミナモ塾 新しい数\" starts the launcher with --fresh"
    else
        not_ok "$where: the fresh numbers' entry: $(grep -E '^(Name|Exec)=' "$fresh" 2>&1 | tr '\n' ' ')"
    fi
    icon=$(sed -n 's/^Icon=//p' "$entry")
    if [ "$root/share/icons/hicolor/scalable/apps/$icon.svg" -ef "$root/$iconFile" ]; then
        ok "$where: the desktop entry's icon is the installed SVG"
    else
        not_ok "$where: the desktop entry's icon \"$icon\" is not the installed SVG"
    fi
    if command -v convert >/dev/null; then
        size=$(convert -background none "$root/$iconFile" -format '%w %h' info: 2>/dev/null || echo "unreadable")
        if [ "$size" = "128 128" ]; then
            ok "$where: the icon draws as a 128x128 picture"
        else
            not_ok "$where: the icon draws as $size"
        fi
    fi
}

# Starts the launcher as a desktop would, from PATH, in a fresh home, and checks that the
# program runs in the data folder and that nothing else lands in the home or start folder.
# With a third argument the pupil's XDG_DATA_HOME is that folder.
check_launcher() {
    local where=$1 root=$2 data_home=${3:-} run="$tmp/run-$RANDOM" data cwd exe stray
    mkdir -p "$run/home" "$run/start" "$run/runtime"
    chmod 700 "$run/runtime"
    local env_args=(PATH="$root/bin:/usr/bin:/bin" HOME="$run/home" LANG=C.UTF-8
        XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=offscreen)
    if [ -n "$data_home" ]; then
        env_args+=(XDG_DATA_HOME="$run/$data_home")
        data="$run/$data_home/$package"
    else
        data="$run/home/.local/share/$package"
    fi
    (cd "$run/start" && exec env -i "${env_args[@]}" "$package") >"$run/log" 2>&1 &
    running_pid=$!
    # The launcher replaces itself with the program; on a busy machine that takes a moment.
    local deadline=$(($(date +%s) + 10))
    while kill -0 "$running_pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ] &&
        ! [ "/proc/$running_pid/exe" -ef "$root/$program" ]; do
        sleep 0.1
    done
    sleep "$runSeconds"
    if ! kill -0 "$running_pid" 2>/dev/null; then
        wait "$running_pid" || true
        running_pid=""
        not_ok "$where: the program ended at once: $(cat "$run/log")"
        return
    fi
    cwd=$(readlink "/proc/$running_pid/cwd" || true)
    exe=$(readlink "/proc/$running_pid/exe" || true)
    kill "$running_pid"
    wait "$running_pid" 2>/dev/null || true
    running_pid=""
    ok "$where: the launcher starts the program and it keeps running"
    if [ "$exe" -ef "$root/$program" ]; then
        ok "$where: the launcher runs the installed program"
    else
        not_ok "$where: the launcher ran $exe"
    fi
    if [ -d "$data" ] && [ "$cwd" -ef "$data" ]; then
        ok "$where: the program runs in the data folder ${data#"$run/"}"
    else
        not_ok "$where: the program ran in $cwd, not in the data folder $data"
    fi
    # The data folder and the folders above it are all that may appear.
    local watched=("$run/home" "$run/start")
    if [ -n "$data_home" ]; then
        watched+=("$run/$data_home")
    fi
    stray=$( (find "${watched[@]}" -mindepth 1 2>/dev/null || true) |
        while read -r path; do
            case "$data/" in "$path/"*) continue ;; esac
            case "$path" in "$data"/*) continue ;; esac
            echo "${path#"$run/"}"
        done)
    if [ -z "$stray" ]; then
        ok "$where: nothing lands in the home or start folder outside the data folder"
    else
        not_ok "$where: files outside the data folder: $(echo "$stray" | tr '\n' ' ')"
    fi
}

# Starts the report from PATH in a fresh home whose data folder holds a family file: the page
# lands in the cache folder, the data folder is left as it was, nothing else appears.
check_report() {
    local where=$1 root=$2 run="$tmp/report-$RANDOM" status=0 data before stray
    data="$run/home/.local/share/$package"
    mkdir -p "$data"
    cp "$sampleHistory/方程式基本.txt" "$data/"
    before=$(cd "$data" && ls -l --time-style=+%s.%N && sha256sum ./*)
    env -i PATH="$root/bin:/usr/bin:/bin" HOME="$run/home" LANG=C.UTF-8 \
        timeout 30 minamo-report --no-open >"$run/log" 2>&1 || status=$?
    local page="$run/home/.cache/$package/report.html"
    if [ "$status" -eq 0 ] && [ -s "$page" ] && grep -q "方程式基本1" "$page"; then
        ok "$where: minamo-report writes the data folder's page to ${page#"$run/"}"
    else
        not_ok "$where: minamo-report gave status $status: $(cat "$run/log")"
    fi
    if [ "$(cd "$data" && ls -l --time-style=+%s.%N && sha256sum ./*)" = "$before" ]; then
        ok "$where: the report leaves the data folder as it was"
    else
        not_ok "$where: the report changed the data folder"
    fi
    stray=$(cd "$run/home" && find . -type f | grep -vxF -e "./.local/share/$package/方程式基本.txt" \
        -e "./.cache/$package/report.html" || true)
    if [ -z "$stray" ]; then
        ok "$where: the report writes nothing else into the home"
    else
        not_ok "$where: the report wrote $(echo "$stray" | tr '\n' ' ')"
    fi
}

# The installed minamo-worksheet writes a sheet without a display.
check_worksheet() {
    local where=$1 root=$2 run="$tmp/worksheet-$RANDOM" status=0
    mkdir -p "$run/home"
    env -i PATH="$root/bin:/usr/bin:/bin" HOME="$run/home" LANG=C.UTF-8 \
        timeout 60 minamo-worksheet 方程式分数1 --no-open --output "$run/sheet.pdf" >"$run/log" 2>&1 ||
        status=$?
    if [ "$status" -eq 0 ] && [ "$(head -c 5 "$run/sheet.pdf" 2>/dev/null)" = "%PDF-" ]; then
        ok "$where: minamo-worksheet writes a sheet"
    else
        not_ok "$where: minamo-worksheet gave status $status: $(cat "$run/log")"
    fi
}

# A data folder that cannot be made (the home is a file): the launcher stops with a
# message, also in a desktop notification (a stand-in for notify-send notes it), starts
# nothing and leaves the file as it was.
check_unusable_home() {
    local where=$1 root=$2 run="$tmp/unusable-$RANDOM" status=0
    mkdir -p "$run/bin"
    echo "not a folder" >"$run/home"
    printf '#!/bin/sh\necho "$@" >"%s"\n' "$run/notified" >"$run/bin/notify-send"
    chmod +x "$run/bin/notify-send"
    env -i PATH="$run/bin:$root/bin:/usr/bin:/bin" HOME="$run/home" DISPLAY=:0 \
        QT_QPA_PLATFORM=offscreen timeout 10 "$package" >"$run/log" 2>&1 || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ "$(cat "$run/home")" = "not a folder" ] &&
        [ -s "$run/log" ] && grep -qF "$run/home/.local/share/$package" "$run/notified" 2>/dev/null; then
        ok "$where: a home that is a file stops the launcher with a message and a notification ($(head -n1 "$run/log"))"
    else
        not_ok "$where: a home that is a file gave status $status: $(cat "$run/log") / $(cat "$run/notified" 2>/dev/null)"
    fi
}

# --- cmake --install -----------------------------------------------------------------------

prefix="$tmp/prefix"
if "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    ok "cmake --install into a throw-away prefix"
else
    give_up "cmake --install failed: $(cat "$tmp/install.log")"
fi
check_files "prefix" "$prefix"
check_desktop_entry "prefix" "$prefix"
check_launcher "prefix" "$prefix"
check_launcher "prefix, XDG_DATA_HOME set" "$prefix" xdg-data
check_report "prefix" "$prefix"
check_worksheet "prefix" "$prefix"
check_unusable_home "prefix" "$prefix"

# --- the Debian package --------------------------------------------------------------------

if [ -z "$packageBuild" ]; then
    echo "# no package build folder given: the Debian package is not checked"
    finish
    exit
fi
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "# dpkg-deb or dpkg-shlibdeps is missing: the Debian package is not checked"
    finish
    exit
fi

# The README's own step, with Debian's build flags, in a build folder of its own.
if "$source/scripts/package.sh" "$packageBuild" >"$tmp/package.log" 2>&1; then
    ok "scripts/package.sh makes the Debian package"
else
    give_up "scripts/package.sh failed: $(tail -n 30 "$tmp/package.log")"
fi
debs=("$packageBuild"/*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    give_up "scripts/package.sh made no single .deb: ${debs[*]}"
fi
deb=${debs[0]}
echo "# $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
if [ "$(field Package)" = "$package" ] && [ "$(field Architecture)" = "$(dpkg --print-architecture)" ]; then
    ok "the package is $package for $(field Architecture), version $(field Version)"
else
    not_ok "the package is $(field Package) for $(field Architecture)"
fi
# The extended description is the text of packaging/description.txt, as written.
if diff <(field Description | tail -n +2 | sed 's/^ //; s/^\.$//') "$source/packaging/description.txt" \
    >"$tmp/description.diff"; then
    ok "the package's extended description is packaging/description.txt"
else
    not_ok "the package's extended description differs: $(cat "$tmp/description.diff")"
fi
if [ "$(field Recommends)" = "libcanberra-pulse, qt6-wayland" ]; then
    ok "the package recommends libcanberra-pulse and qt6-wayland"
else
    not_ok "the package recommends \"$(field Recommends)\", not libcanberra-pulse, qt6-wayland"
fi
depends=$(field Depends)
for needed in fonts-ipafont-gothic libqt6widgets6 libcanberra0; do
    if echo "$depends" | tr ',' '\n' | grep "^ *$needed\b" >/dev/null; then
        ok "the package depends on $needed"
    else
        not_ok "the package does not depend on $needed: $depends"
    fi
done

# The package's own listing: the files with their modes and owners.
dpkg-deb --contents "$deb" >"$tmp/contents"
echo "# the package's files:"
awk '$1 !~ /^d/ { print "#   " $1, $2, $6 }' "$tmp/contents"
listed=$(awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' "$tmp/contents" | LC_ALL=C sort)
if [ "$listed" = "$expectedFiles" ]; then
    ok "the package lists the expected files under /usr"
else
    not_ok "the package lists other files: $(echo "$listed" | tr '\n' ' ')"
fi
modes=$(awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6, $1, $2 }' "$tmp/contents")
bad_modes=$(echo "$modes" | while read -r file mode owner; do
    want="-rw-r--r--"
    if echo "$expectedPrograms" | grep -x "$file" >/dev/null; then
        want="-rwxr-xr-x"
    fi
    [ "$mode" = "$want" ] && [ "$owner" = "root/root" ] || echo "$file $mode $owner"
done)
if [ -z "$bad_modes" ]; then
    ok "the package's files belong to root, programs 755, the rest 644"
else
    not_ok "the package's files with other modes or owners: $bad_modes"
fi

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
check_files "package" "$root/usr"
check_desktop_entry "package" "$root/usr"
check_launcher "package" "$root/usr"
check_report "package" "$root/usr"
check_worksheet "package" "$root/usr"

# Debian's checker and the software centres' validator: every tag is fixed or overridden in
# the package with its reason.
if command -v lintian >/dev/null; then
    tags=$(lintian -I -E --pedantic "$deb" 2>&1 | grep -v "^running with root privileges" || true)
    if [ -z "$tags" ]; then
        ok "lintian -I -E --pedantic reports nothing"
    else
        not_ok "lintian reports:"
        echo "$tags" | sed 's/^/#   /'
    fi
else
    not_ok "lintian is not installed (./test installs it)"
fi
metainfo=("$root"/usr/share/metainfo/*.xml)
# --no-net: the project's addresses are not reachable from the test machine.
appstream() {
    if appstreamcli "$1" --pedantic --no-net "$2" >"$tmp/appstream.log" 2>&1; then
        ok "appstreamcli $1 passes"
    else
        not_ok "appstreamcli $1 fails:"
    fi
    sed 's/^/#   /' "$tmp/appstream.log"
}
if command -v appstreamcli >/dev/null; then
    appstream validate "${metainfo[0]}"
    appstream validate-tree "$root"
else
    not_ok "appstreamcli is not installed (./test installs it)"
fi
# Each screenshot is an image of the repository at the project's address, of the size given.
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "${metainfo[0]}")
shots=0
while read -r width height url; do
    shots=$((shots + 1))
    image="$source/${url#"$homepage/"}"
    if [ -f "$image" ] && [ "$(identify -format '%w %h' "$image")" = "$width $height" ]; then
        ok "the screenshot ${url#"$homepage/"} is in the repository, ${width}x$height"
    else
        not_ok "the screenshot $url is no ${width}x$height image of the repository"
    fi
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1 \2 \3|p' \
    "${metainfo[0]}")
[ "$shots" -gt 0 ] || not_ok "the metainfo names no screenshot"

finish
