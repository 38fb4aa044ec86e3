# What the shared-folder tests share. Two copies of the drill, one on each of two mounts of
# one folder, each on a machine of its own (a UTS namespace with its own host name) where
# the test may make one, end their drills some time apart: every old record must be kept,
# and each new one, or the copy whose record is missing must have told its pupil. Sourced
# after preamble.sh, with bin, tmp, share (the folder as the server holds it, past every
# client cache) and mount_a, mount_b (the same folder through the two mounts) set.

readonly family="方程式基本.txt"
readonly oldRecords=8
copies=()
if unshare -u true 2>/dev/null; then
    machines="two host names (hostA, hostB)"
    as_machine() { unshare -u sh -c 'hostname "$0" && exec "$@"' "$@"; }
else
    machines="one host name (no UTS namespace here)"
    as_machine() { shift && "$@"; }
fi

# The family file with its old records, written on the server's side.
write_old_records() {
    python3 - "$share/$family" "$oldRecords" <<'EOF'
import sys
lines = ["2026/01/03"] + ["%d,2601%02d#方程式基本1.txt" % (10 + i, i) for i in range(1, int(sys.argv[2]) + 1)]
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("shift_jis"))
EOF
}

# start_copy NAME FOLDER EXTRA HOST: a copy on HOST whose drill scores 2 + EXTRA; it says
# "ready", then "saved" or "not saved" in $tmp/said-NAME, and ends its drill on a line on
# file descriptor 3 (A) or 4 (B).
start_copy() {
    rm -f "$tmp/to-$1" "$tmp/said-$1"
    mkfifo "$tmp/to-$1"
    (cd "$2" && as_machine "$4" "$bin/history-writer-child" end-on-input "$3" \
        <"$tmp/to-$1" >"$tmp/said-$1") &
    copies+=($!)
}

said() { tail -n 1 "$tmp/said-$1"; }
count_records() { iconv -f SHIFT_JIS -t UTF-8 "$share/$family" | grep -c "$1" || true; }

# end_drills GAP NAME...: once every copy is ready, ends their drills GAP seconds apart.
end_drills() {
    local gap=$1 name fd=3
    shift
    for _ in $(seq 300); do
        [ "$(cat "${@/#/$tmp/said-}" 2>/dev/null | grep -c ready)" -eq $# ] && break
        sleep 0.1
    done
    for name in "$@"; do
        [ "$fd" -gt 3 ] && sleep "$gap"
        echo end >&"$fd"
        fd=$((fd + 1))
    done
    wait "${copies[@]}" || true
    copies=()
    exec 3>&- 4>&-
}

# run_pair GAP: copy A (score 3, hostA) ends its drill, copy B (score 4, hostB) GAP seconds
# later; then the file is checked, and its old records are written again over what both
# mounts have read.
run_pair() {
    start_copy a "$mount_a" 1 hostA
    start_copy b "$mount_b" 2 hostB
    exec 3>"$tmp/to-a" 4>"$tmp/to-b"
    end_drills "$1" a b
    local has_a has_b kept_old where="drills ending $1 s apart: A $(said a), B $(said b)"
    has_a=$(count_records "^3,261209#") has_b=$(count_records "^4,261209#")
    kept_old=$(($(count_records "#方程式基本1.txt") - has_a - has_b))
    if [ "$kept_old" -ne "$oldRecords" ] || [ "$has_a" -gt 1 ] || [ "$has_b" -gt 1 ]; then
        not_ok "$where: $kept_old of $oldRecords old records, A's $has_a times, B's $has_b times"
    elif { [ "$has_a" -eq 1 ] || [ "$(said a)" = "not saved" ]; } &&
        { [ "$has_b" -eq 1 ] || [ "$(said b)" = "not saved" ]; }; then
        ok "$where: every old record kept, each new one kept or its pupil told ($((oldRecords + has_a + has_b)) records)"
    else
        not_ok "$where: a record lost silently (A's kept $has_a, B's kept $has_b)"
    fi
    write_old_records
    cat "$mount_a/$family" "$mount_b/$family" >/dev/null
}

# run_pairs_and_left_overs [GAP...]: pairs ending 0, 3, 30, 300 ms, 1, 2 and 5 s apart, at
# the GAPs given, and five more at once. Then what copies that died left on the share a
# minute ago: this version's claim of a copy on another machine, the earlier version's lock
# file and its guards, nested as it left them where exclusive creation is not exclusive.
# Copy A alone must save, and leave the family file alone in the folder.
run_pairs_and_left_overs() {
    write_old_records
    for gap in 0 0.003 0.03 0.3 1 2 5 "$@" 0 0 0 0 0; do
        run_pair "$gap"
    done
    touch "$share/$family.lock-00000000000000ff-0123456789abcdef-4242-hostC"
    for lock in "$family.lock" "$family.lock.rmlock" "$family.lock.rmlock.rmlock"; do
        printf '4242\nminamo-drill\nhostC\n' >"$share/$lock"
    done
    touch -d '1 minute ago' "$share/$family".lock*
    start_copy a "$mount_a" 1 hostA
    exec 3>"$tmp/to-a"
    end_drills 0 a
    if [ "$(said a)" = saved ] && [ "$(count_records "^3,261209#")" -eq 1 ] &&
        [ "$(ls -A "$share")" = "$family" ]; then
        ok "locks and guards left over on the share taken over and cleared: the record is saved"
    else
        not_ok "locks left over on the share: A $(said a), the share holds $(ls -A "$share" | tr '\n' ' ')"
    fi
}
