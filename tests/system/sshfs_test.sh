#!/usr/bin/env bash
# One history folder reached by two machines through sshfs, as a school's share: a loopback
# sshd of the test's own and two sshfs mounts of one folder, with sshfs's default options
# (its caches on). Two copies of the drill, one on each mount, end their drills 0, 2, 5 and
# 20 seconds apart; each time every record must be kept, or the copy whose record is missing
# must have told its pupil.
#
#   sshfs_test.sh BIN_DIR
#
# Skipped (exit 77) where sshfs, sshd or FUSE cannot run.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 BIN_DIR" >&2
    exit 2
fi
bin=$(readlink -f "$1")
source "$(dirname "$0")/report.sh"

readonly gaps=(0 2 5 20)
readonly family="方程式基本.txt"
readonly oldRecords=8

sshd=$(command -v sshd || echo /usr/sbin/sshd)
for tool in sshfs ssh-keygen python3 iconv; do
    command -v "$tool" >/dev/null || skip_all "$tool is not installed"
done
[ -x "$sshd" ] || skip_all "sshd is not installed (openssh-server)"
unmount=$(command -v fusermount3 || command -v fusermount || true)
[ -n "$unmount" ] || skip_all "fusermount is not installed"
[ -r /dev/fuse ] && [ -w /dev/fuse ] || skip_all "/dev/fuse is not available here"
if [ ! -d /run/sshd ] && [ "$(id -u)" -eq 0 ]; then
    # The folder sshd's package makes when its service starts; the test starts no service.
    mkdir -p -m 0755 /run/sshd
fi

tmp=$(mktemp -d)
sshd_pid=""
cleanup() {
    for mount in "$tmp/a" "$tmp/b"; do
        mountpoint -q "$mount" 2>/dev/null && "$unmount" -u "$mount" 2>/dev/null || true
    done
    stop_process "$sshd_pid"
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$tmp/shared" "$tmp/a" "$tmp/b"
ssh-keygen -q -t ed25519 -N '' -f "$tmp/host"
ssh-keygen -q -t ed25519 -N '' -f "$tmp/id"
cp "$tmp/id.pub" "$tmp/authorized_keys"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$tmp/sshd_config" <<EOF
ListenAddress 127.0.0.1:$port
HostKey $tmp/host
AuthorizedKeysFile $tmp/authorized_keys
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
PermitRootLogin prohibit-password
PidFile none
Subsystem sftp internal-sftp
EOF
"$sshd" -D -f "$tmp/sshd_config" -E "$tmp/sshd.log" &
sshd_pid=$!
for _ in $(seq 50); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 0.2)" 2>/dev/null && break
    kill -0 "$sshd_pid" 2>/dev/null || skip_all "sshd does not start here: $(cat "$tmp/sshd.log")"
    sleep 0.1
done
for mount in a b; do
    sshfs -p "$port" -o "IdentityFile=$tmp/id,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,BatchMode=yes" \
        "$(id -un)@127.0.0.1:$tmp/shared" "$tmp/$mount" 2>"$tmp/sshfs.log" ||
        skip_all "sshfs cannot mount here: $(cat "$tmp/sshfs.log")"
done
echo "# two sshfs mounts of one folder through sshd on port $port"

# The family file with its old records, written on the server's side.
write_old_records() {
    python3 - "$tmp/shared/$family" "$oldRecords" <<'EOF'
import sys
lines = ["2026/01/03"] + ["%d,2601%02d#方程式基本1.txt" % (10 + i, i) for i in range(1, int(sys.argv[2]) + 1)]
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("shift_jis"))
EOF
}
write_old_records

for gap in "${gaps[@]}"; do
    rm -f "$tmp"/to-* "$tmp"/said-*
    mkfifo "$tmp/to-a" "$tmp/to-b"
    # Copy A scores 3, copy B 4; each says "saved" or "not saved" (the pupil told).
    (cd "$tmp/a" && exec "$bin/history-writer-child" end-on-input 1 <"$tmp/to-a" >"$tmp/said-a") &
    a_pid=$!
    (cd "$tmp/b" && exec "$bin/history-writer-child" end-on-input 2 <"$tmp/to-b" >"$tmp/said-b") &
    b_pid=$!
    exec 3>"$tmp/to-a" 4>"$tmp/to-b"
    for _ in $(seq 200); do
        grep -q ready "$tmp/said-a" 2>/dev/null && grep -q ready "$tmp/said-b" 2>/dev/null && break
        sleep 0.1
    done
    echo end >&3
    sleep "$gap"
    echo end >&4
    wait "$a_pid" "$b_pid" || true
    exec 3>&- 4>&-
    said_a=$(tail -n 1 "$tmp/said-a") said_b=$(tail -n 1 "$tmp/said-b")
    # Read on the server's side, past every client cache.
    text=$(iconv -f SHIFT_JIS -t UTF-8 "$tmp/shared/$family")
    kept_old=$(echo "$text" | grep -c "#方程式基本1.txt" || true)
    has_a=$(echo "$text" | grep -c "^3,261209#" || true)
    has_b=$(echo "$text" | grep -c "^4,261209#" || true)
    kept_old=$((kept_old - has_a - has_b))
    where="drills ending $gap s apart: A $said_a, B $said_b"
    if [ "$kept_old" -ne "$oldRecords" ] || [ "$has_a" -gt 1 ] || [ "$has_b" -gt 1 ]; then
        not_ok "$where: $kept_old of $oldRecords old records, A's $has_a times, B's $has_b times"
    elif { [ "$has_a" -eq 1 ] || [ "$said_a" = "not saved" ]; } &&
        { [ "$has_b" -eq 1 ] || [ "$said_b" = "not saved" ]; }; then
        ok "$where: every old record kept, each new one kept or its pupil told ($((oldRecords + has_a + has_b)) records)"
    else
        not_ok "$where: a record lost silently (A's kept $has_a, B's kept $has_b)"
    fi
    # Each round starts from the old records again.
    write_old_records
    # Both mounts have read the old file; the next round writes over what they hold.
    cat "$tmp/a/$family" "$tmp/b/$family" >/dev/null
done

# A lock left by a copy killed inside its write, on the share: the next drill takes it over
# once it is older than a lock is ever held, and saves.
printf '999999\nanother-machine\nminamo-drill\n' >"$tmp/shared/$family.lock"
touch -d '1 minute ago' "$tmp/shared/$family.lock"
rm -f "$tmp"/to-a "$tmp"/said-a
mkfifo "$tmp/to-a"
(cd "$tmp/a" && exec "$bin/history-writer-child" end-on-input 1 <"$tmp/to-a" >"$tmp/said-a") &
a_pid=$!
exec 3>"$tmp/to-a"
for _ in $(seq 200); do
    grep -q ready "$tmp/said-a" 2>/dev/null && break
    sleep 0.1
done
echo end >&3
wait "$a_pid" || true
exec 3>&-
if [ "$(tail -n 1 "$tmp/said-a")" = saved ] &&
    iconv -f SHIFT_JIS -t UTF-8 "$tmp/shared/$family" | grep "^3,261209#" >/dev/null; then
    ok "a lock left over on the share is taken over: the record is saved"
else
    not_ok "a lock left over on the share: A $(tail -n 1 "$tmp/said-a"), $(ls "$tmp/shared")"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
