#!/usr/bin/env bash
# tools/apt_get.sh against a stand-in apt-get: it passes apt the lock timeout,
# tries again while a lock is held, and names the lock and its holder when it
# gives up. Exit 77 (skipped) when not root, since sudo would not find the stand-in.
#   apt_lock.sh SOURCE_DIR
set -uo pipefail
apt_get=$(realpath "$1/tools/apt_get.sh")
[ "$(id -u)" -eq 0 ] || { echo "not root: skipped"; exit 77; }
scratch=$(mktemp -d)
holding=""
trap '[ -n "$holding" ] && kill $(pgrep -P "$holding") "$holding"; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
mkdir "$scratch/bin"
# The stand-in answers with the next line of $scratch/answers: a status, then
# what it prints on standard error; it logs its arguments.
cat > "$scratch/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "$*" >> "$SCRATCH/args"
n=$(($(cat "$SCRATCH/count" 2>/dev/null || echo 0) + 1)); echo "$n" > "$SCRATCH/count"
read -r status message < <(sed -n "${n}p" "$SCRATCH/answers")
[ -n "$message" ] && echo -e "$message" >&2
exit "${status:-0}"
STUB
chmod +x "$scratch/bin/apt-get"
touch "$scratch/lock"
flock "$scratch/lock" sleep 30 > /dev/null 2>&1 &
holding=$!
sleep 0.5

# case|wait|answers (; between runs)|status|last line of standard error (a pattern)
while IFS='|' read -r name wait answers want_status want_line; do
    rm -f "$scratch/count" "$scratch/args"
    echo -e "${answers//;/\\n}" | sed 's/^ *//' > "$scratch/answers"
    status=0
    SCRATCH=$scratch PATH="$scratch/bin:$PATH" APT_LOCK_WAIT=$wait "$apt_get" install -y foo \
        2> "$scratch/err" || status=$?
    last=$(tail -n 1 "$scratch/err")
    [ "$status" = "$want_status" ] || fail "$name: status $status, not $want_status"
    [[ "$last" == $want_line ]] || fail "$name: the last line is '$last'"
    grep -q -- '-o DPkg::Lock::Timeout=[0-9]* install -y foo' "$scratch/args" ||
        fail "$name: apt-get was given $(head -n 1 "$scratch/args")"
done <<CASES
installs|0|0|0|
fails otherwise|0|100 E: Unable to locate package foo|100|E: Unable to locate package foo
held, apt names the holder|0|100 E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (unattended-upgr)|100|apt-get gave up after * s waiting for the package manager's lock /var/lib/dpkg/lock-frontend, held by process 4242 (unattended-upgr); run this again *
held, the holder found|0|100 E: Could not get lock $scratch/lock|100|*lock $scratch/lock, held by process $holding (flock);*
freed while waiting|20|100 E: Could not get lock /var/lib/apt/lists/lock;0|0|apt-get: waiting up to 20 s for the package manager's lock /var/lib/apt/lists/lock
CASES
echo "apt_get.sh: $failures failures"
[ "$failures" -eq 0 ]
