#!/usr/bin/env bash
# apt-get (through sudo when not root) that waits for the package manager's
# lock, held for minutes by unattended upgrades, and says what blocked it.
#   tools/apt_get.sh APT-GET-ARGUMENTS...
# It waits up to APT_LOCK_WAIT seconds (default 300): apt itself waits for
# dpkg's lock (DPkg::Lock::Timeout), and a run refused on any other lock (the
# package lists' one) is tried again every few seconds. When the time is up,
# one line on standard error names the lock and, if it can tell, its holder.
set -uo pipefail
wait=${APT_LOCK_WAIT:-300}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

# holder LOCK: "process PID (NAME)" of the process holding LOCK, from
# /proc/locks (dpkg's and apt's locks are fcntl locks), or nothing.
holder() {
    local inode pid
    inode=$(stat -L -c %i "$1" 2>/dev/null) || return 0
    pid=$(awk -v inode="$inode" '{ n = split($6, id, ":"); if (id[n] == inode) { print $5; exit } }' /proc/locks)
    [ -n "$pid" ] && echo "process $pid ($(cat "/proc/$pid/comm" 2>/dev/null || echo unknown))"
}

start=$SECONDS
told=""
while :; do
    status=0
    # apt's own lines ("Waiting for cache lock ...") pass through as they come.
    # (through env: sudo's env_reset would drop a variable set in front of it)
    { $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$wait" "$@" \
        2>&1 1>&3 3>&- | tee "$errors" >&2; } 3>&1 || status=$?
    [ "$status" -eq 0 ] && exit 0
    # "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 812 (apt-get)"
    lock=$(grep -o 'Could not get lock [^ ]*' "$errors" | head -n 1 | sed 's/^Could not get lock //; s/[.:,]$//')
    [ -n "$lock" ] || exit "$status"
    by=$(sed -n 's/.*It is held by \(process [0-9]* ([^)]*)\).*/\1/p' "$errors" | head -n 1)
    [ -n "$by" ] || by=$(holder "$lock")
    if [ $((SECONDS - start)) -ge "$wait" ]; then
        echo "apt-get gave up after $((SECONDS - start)) s waiting for the package manager's lock $lock${by:+, held by $by}; run this again once that has finished" >&2
        exit "$status"
    fi
    [ -n "$told" ] || echo "apt-get: waiting up to $wait s for the package manager's lock $lock${by:+, held by $by}" >&2
    told=yes
    sleep 2
done
