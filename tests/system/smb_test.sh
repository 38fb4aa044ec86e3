#!/usr/bin/env bash
# One history folder on an SMB share reached by two machines through smbnetfs, where
# exclusive creation of a file is not exclusive: a Samba server of the test's own on a
# loopback address, and two smbnetfs mounts of its share, each with its own SMB session. The
# pairs of drills and the locks left over are those of shared_folder.sh.
#
#   smb_test.sh BIN_DIR
#
# Skipped (exit 77) where Samba, smbnetfs or FUSE cannot run, or not as root (smbd serves a
# share only then).
source "$(dirname "$0")/preamble.sh"
[ $# -eq 1 ] || usage BIN_DIR
bin=$(readlink -f "$1")
here=$(dirname "$0")

smbd=$(command -v smbd || echo /usr/sbin/smbd)
pdbedit=$(command -v pdbedit || echo /usr/bin/pdbedit)
[ -x "$smbd" ] && [ -x "$pdbedit" ] || skip_all "smbd is not installed (samba)"
needs smbnetfs python3 iconv setsid
[ "$(id -u)" -eq 0 ] || skip_all "smbd serves a share only when started as root"
unmount=$(command -v fusermount3 || command -v fusermount || true)
[ -n "$unmount" ] || skip_all "fusermount is not installed"
[ -r /dev/fuse ] && [ -w /dev/fuse ] || skip_all "/dev/fuse is not available here"

workspace
smbd_pid=""
cleanup() {
    for mount in "$tmp/a" "$tmp/b"; do
        mountpoint -q "$mount" 2>/dev/null && "$unmount" -u "$mount" 2>/dev/null || true
    done
    # smbd leads a session of its own: its group is smbd and the children it forked.
    [ -z "$smbd_pid" ] || { kill -- "-$smbd_pid" 2>/dev/null && wait "$smbd_pid"; } || true
}
at_exit cleanup

# smbnetfs reaches a server on the SMB port only (445), so the server has a loopback address
# of its own, drawn at random so that two runs at once do not meet.
address=127.$((RANDOM % 200 + 20)).$((RANDOM % 250 + 1)).$((RANDOM % 250 + 1))
share=$tmp/pupils
mkdir -p "$share" "$tmp"/{a,b,private,lock,state,cache,pid,run,log}
{
    printf '[global]\n'
    for setting in "server role = standalone server" "interfaces = $address/8" \
        "bind interfaces only = yes" "smb ports = 445" "disable netbios = yes" \
        "server min protocol = SMB2" "load printers = no" "disable spoolss = yes" \
        "passdb backend = tdbsam:$tmp/private/passdb.tdb" "log file = $tmp/log/smbd.log" \
        "private dir = $tmp/private" "ncalrpc dir = $tmp/run"; do
        printf '    %s\n' "$setting"
    done
    for folder in lock state cache pid; do
        printf '    %s directory = %s\n' "$folder" "$tmp/$folder"
    done
    printf '[pupils]\n    path = %s\n    read only = no\n    valid users = %s\n' "$share" "$(id -un)"
} >"$tmp/smb.conf"
readonly password=minamo-test
printf '%s\n%s\n' "$password" "$password" |
    "$pdbedit" -s "$tmp/smb.conf" -a -u "$(id -un)" -t >"$tmp/log/pdbedit.log" 2>&1 ||
    skip_all "pdbedit cannot add the test's user: $(cat "$tmp/log/pdbedit.log")"
# A session of its own: smbd signals its whole process group when it ends, which would
# otherwise be the test's.
setsid "$smbd" -F --no-process-group -s "$tmp/smb.conf" </dev/null >"$tmp/log/smbd.out" 2>&1 &
smbd_pid=$!
for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('$address', 445), 0.2)" 2>/dev/null && break
    kill -0 "$smbd_pid" 2>/dev/null ||
        skip_all "smbd does not start here: $(cat "$tmp/log/smbd.out" "$tmp/log/smbd.log" 2>/dev/null | tail -n 5)"
    sleep 0.1
done

# Each mount its own configuration, and so its own SMB session, as two machines have.
for m in a b; do
    mkdir -p "$tmp/home-$m/.smb"
    printf '[global]\n    client min protocol = SMB2\n' >"$tmp/home-$m/.smb/smb.conf"
    cat >"$tmp/home-$m/.smb/smbnetfs.conf" <<EOF
auth "$address" "$(id -un)" "$password"
smb_query_browsers "false"
use_libsecret "false"
EOF
    chmod 600 "$tmp/home-$m/.smb/smbnetfs.conf"
    HOME=$tmp/home-$m smbnetfs "$tmp/$m" -o "config=$tmp/home-$m/.smb/smbnetfs.conf" \
        2>"$tmp/log/smbnetfs.log" || skip_all "smbnetfs cannot mount here: $(cat "$tmp/log/smbnetfs.log")"
    ls "$tmp/$m/$address/pupils" >/dev/null 2>"$tmp/log/smbnetfs.log" ||
        skip_all "the share cannot be reached through smbnetfs: $(cat "$tmp/log/smbnetfs.log")"
done
mount_a=$tmp/a/$address/pupils
mount_b=$tmp/b/$address/pupils
source "$here/shared_folder.sh"
echo "# two smbnetfs mounts of one Samba share on $address, copies with $machines"
run_pairs_and_left_overs

finish
