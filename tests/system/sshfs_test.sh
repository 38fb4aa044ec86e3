#!/usr/bin/env bash
# One history folder reached by two machines through sshfs, as a school's share: a loopback
# sshd of the test's own and two sshfs mounts of one folder, with sshfs's default options
# (its caches on). The pairs of drills, here also 20 s apart, and the locks left over are
# those of shared_folder.sh.
#
#   sshfs_test.sh BIN_DIR
#
# Skipped (exit 77) where sshfs, sshd or FUSE cannot run.
source "$(dirname "$0")/preamble.sh"
[ $# -eq 1 ] || usage BIN_DIR
bin=$(readlink -f "$1")
here=$(dirname "$0")

sshd=$(command -v sshd || echo /usr/sbin/sshd)
needs sshfs ssh-keygen python3 iconv
[ -x "$sshd" ] || skip_all "sshd is not installed (openssh-server)"
unmount=$(command -v fusermount3 || command -v fusermount || true)
[ -n "$unmount" ] || skip_all "fusermount is not installed"
[ -r /dev/fuse ] && [ -w /dev/fuse ] || skip_all "/dev/fuse is not available here"
if [ ! -d /run/sshd ] && [ "$(id -u)" -eq 0 ]; then
    # The folder sshd's package makes when its service starts; the test starts no service.
    mkdir -p -m 0755 /run/sshd
fi

workspace
sshd_pid=""
cleanup() {
    for mount in "$tmp/a" "$tmp/b"; do
        mountpoint -q "$mount" 2>/dev/null && "$unmount" -u "$mount" 2>/dev/null || true
    done
    stop_process "$sshd_pid"
}
at_exit cleanup

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
share=$tmp/shared
mount_a=$tmp/a
mount_b=$tmp/b
source "$here/shared_folder.sh"
echo "# two sshfs mounts of one folder through sshd on port $port, copies with $machines"

run_pairs_and_left_overs 20

finish
