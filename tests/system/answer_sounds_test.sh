#!/usr/bin/env bash
# The answer sounds as they come out of the desktop's output: on each sound server installed
# here (PulseAudio; PipeWire with its pulse server), started for the test with two null
# sinks, "first" and "chosen", the chosen one the default. A drill answered on the real
# window plays the right-answer sound first and again, the wrong-answer sound first and
# after a miss, and the right-answer sound at once after a miss. The chosen sink's output
# is recorded and each sound's length measured with sox; each must be as long as the same
# file played by paplay (within 10 ms), none missing or doubled, and nothing may come out
# of the first sink.
#
#   answer_sounds_test.sh BIN_DIR
#
# Skipped (exit 77) where sox or the pulse tools are missing or no sound server starts.
source "$(dirname "$0")/preamble.sh"
[ $# -eq 1 ] || usage BIN_DIR
bin=$(readlink -f "$1")
here=$(dirname "$0")
source "$here/sound_server.sh"

readonly rate=48000
# The bands the two sounds do not share: the chime's two notes lie between 1 and 1.4 kHz,
# the buzz's low note below 300 Hz.
readonly rightBand="1000-1400" wrongBand="-300"
readonly toleranceMs=10
# Shorter stretches are clicks and crackles (a cut sound, a server falling behind on a busy
# machine), not plays: a play cut down to a fragment is one whole play too few.
readonly clickMs=100
readonly steps=(right 1500 right 1500 wrong 1000 wrong 0 right 1500 wrong 1000)
readonly rights=3 wrongs=3

needs sox soxi parec pacat paplay pactl
mapfile -t servers < <(available_sound_servers)
[ ${#servers[@]} -gt 0 ] || skip_all "neither PulseAudio nor PipeWire's pulse server is installed"

workspace
side_pids=()
cleanup() {
    for pid in "${side_pids[@]}"; do
        stop_process "$pid"
    done
    stop_sound_server
}
at_exit cleanup

# Records a sink's output into a raw file (s16, mono); the process in side_pids.
record() {
    parec --device="$1.monitor" --latency-msec=20 --raw --format=s16le --rate=$rate --channels=1 \
        --property=node.dont-reconnect=true >"$2" &
    side_pids+=($!)
}
# The sounding stretches of a band of a recording, in ms, one a line, as sox sees them: the
# band filtered out, split where it falls below -50 dB for 30 ms.
stretches() {
    local parts="$tmp/parts"
    rm -rf "$parts" && mkdir -p "$parts"
    sox -t raw -r $rate -e signed -b 16 -c 1 "$1" "$parts/part.wav" sinc -n 2048 "$2" \
        silence 1 0.0005 -50d 1 0.03 -50d : newfile : restart
    for part in "$parts"/part*.wav; do
        soxi -D "$part" | awk '{ ms = $1 * 1000; if (ms > 0) printf "%.1f\n", ms }'
    done
}
# The sounds among the stretches; the clicks are counted apart.
sounds() { awk -v click=$clickMs '$1 >= click'; }
clicks() { awk -v click=$clickMs '$1 < click' | wc -l; }

# Checks the lengths (ms, one a line) of a sound against its length played by paplay.
check_lengths() {
    local what=$1 expected=$2 reference=$3 lengths=$4
    local count
    count=$(echo "$lengths" | grep -c . || true)
    if [ "$count" -ne "$expected" ]; then
        not_ok "$what: $count plays heard, $expected expected: $(echo $lengths)"
        return
    fi
    if echo "$lengths" | awk -v r="$reference" -v t=$toleranceMs \
        '{ d = $1 - r; if (d < -t || d > t) bad = 1 } END { exit bad }'; then
        ok "$what: every play whole: $(echo $lengths) ms (paplay: $reference ms)"
    else
        not_ok "$what: $(echo $lengths) ms, paplay $reference ms"
    fi
}

started=0
for server in "${servers[@]}"; do
    echo "# $server"
    dir="$tmp/$server"
    if ! start_sound_server "$server" "$dir"; then
        echo "# $server did not start: $(tail -n 3 "$dir"/*.log 2>/dev/null)"
        stop_sound_server
        continue
    fi
    started=$((started + 1))
    if ! add_null_sink chosen || ! pactl set-default-sink chosen; then
        not_ok "$server: no second null sink to choose"
        stop_sound_server
        continue
    fi

    # A tone far above both bands keeps the chosen sink running, so that its recording
    # holds every moment (a null sink posts nothing while it plays nothing).
    sox -n -r $rate -c 1 -b 16 -e signed -t raw - synth 600 sine 5000 vol 0.001 2>/dev/null |
        pacat --device=chosen --latency-msec=20 --raw --format=s16le --rate=$rate --channels=1 \
            --property=node.dont-reconnect=true &
    side_pids+=($!)
    sleep 0.3
    record chosen "$dir/chosen.raw"
    record first "$dir/first.raw"
    sleep 1
    # PulseAudio's recorder of a null sink gets nothing until a stream other than the ones
    # there when it connected plays, and then begins part of the way into it: one sound is
    # played to start the recording, and left out.
    paplay "$bin/SD05.wav"
    sleep 0.5
    start=$(stat -c %s "$dir/chosen.raw")
    # The same files played by paplay: the lengths a whole play has in this measurement.
    paplay "$bin/Maru.wav"
    sleep 0.3
    paplay "$bin/SD05.wav"
    sleep 0.5
    mark=$(stat -c %s "$dir/chosen.raw")

    work="$dir/work" runtime="$dir/runtime"
    mkdir -p "$work" "$runtime" && chmod 700 "$runtime"
    if ! (cd "$work" && XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
        timeout 60 "$bin/bench-answer-sounds" "${steps[@]}" >"$dir/drill.out" 2>"$dir/drill.err"); then
        not_ok "$server: the drill did not run: $(cat "$dir/drill.err")"
    fi
    sleep 0.5
    for pid in "${side_pids[@]}"; do
        stop_process "$pid"
    done
    side_pids=()
    stop_sound_server
    if ! grep -q "rights 3 misses 3" "$dir/drill.out"; then
        not_ok "$server: the drill went otherwise: $(cat "$dir/drill.out")"
    fi

    # Whole samples of two bytes.
    start=$((start / 2 * 2)) mark=$((mark / 2 * 2))
    dd if="$dir/chosen.raw" of="$dir/reference.raw" iflag=skip_bytes,count_bytes skip=$start \
        count=$((mark - start)) status=none
    dd if="$dir/chosen.raw" of="$dir/drill.raw" iflag=skip_bytes skip=$mark status=none
    right_reference=$(stretches "$dir/reference.raw" $rightBand | sounds)
    wrong_reference=$(stretches "$dir/reference.raw" $wrongBand | sounds)
    if [ "$(echo "$right_reference" | grep -c .)" -ne 1 ] ||
        [ "$(echo "$wrong_reference" | grep -c .)" -ne 1 ]; then
        not_ok "$server: paplay's plays were not measured: $(echo $right_reference) / $(echo $wrong_reference)"
        continue
    fi
    echo "# files: Maru.wav $(soxi -D "$bin/Maru.wav") s, SD05.wav $(soxi -D "$bin/SD05.wav") s"
    drill_right=$(stretches "$dir/drill.raw" $rightBand)
    drill_wrong=$(stretches "$dir/drill.raw" $wrongBand)
    echo "# clicks heard besides: $(echo "$drill_right" | clicks) in the right-answer band," \
        "$(echo "$drill_wrong" | clicks) in the wrong-answer band"
    check_lengths "$server: right-answer sound, first, again and at once after a miss" \
        $rights "$right_reference" "$(echo "$drill_right" | sounds)"
    check_lengths "$server: wrong-answer sound, first and after a miss" \
        $wrongs "$wrong_reference" "$(echo "$drill_wrong" | sounds)"
    on_first=$( (stretches "$dir/first.raw" $rightBand; stretches "$dir/first.raw" $wrongBand) |
        sounds | grep -c . || true)
    if [ "$on_first" -eq 0 ]; then
        ok "$server: nothing came out of the first sink, only of the default one"
    else
        not_ok "$server: $on_first sounds came out of the first sink, not the default one"
    fi
done

[ "$started" -gt 0 ] || skip_all "no sound server started here (${servers[*]})"
finish
