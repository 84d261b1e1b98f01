#!/usr/bin/env bash
# boardcheck as a board author runs it: the usage line, a missing version,
# a version with problems, and the shipped mivo board, which has none, also
# for three and four players.
# Arguments: the build folder and the data folder.
set -u
build=$1
data=$2
tool=$build/boardcheck/boardcheck
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Passes when the file matches the pattern; the pattern EMPTY wants no output.
matches() {
    if [ "$2" = EMPTY ]; then [ ! -s "$1" ]; else grep -qE -- "$2" "$1"; fi
}

# expect NAME STATUS STDOUT-PATTERN STDERR-PATTERN -- command...
expect() {
    local name=$1 status=$2 out_pattern=$3 err_pattern=$4
    shift 5
    local out err got
    out=$(mktemp) err=$(mktemp)
    "$@" >"$out" 2>"$err"
    got=$?
    [ "$got" -eq "$status" ] || fail "$name: status $got, expected $status"
    matches "$out" "$out_pattern" || fail "$name: stdout lacks /$out_pattern/: $(head -c 400 "$out")"
    matches "$err" "$err_pattern" || fail "$name: stderr lacks /$err_pattern/: $(cat "$err")"
    rm -f "$out" "$err"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cd "$scratch" || exit 1
expect "no argument" 2 EMPTY '^Usage: boardcheck <version>' -- "$tool"
expect "two arguments" 2 EMPTY '^boardcheck: one version at a time$' -- "$tool" a b
expect "help" 0 '^Usage: boardcheck <version>' EMPTY -- "$tool" --help
expect "version" 0 '^boardcheck [0-9]+\.[0-9]+\.[0-9]+$' EMPTY -- "$tool" --version
expect "an unknown option" 2 EMPTY '^boardcheck: unknown option "--speak"$' -- "$tool" --speak mivo
expect "missing version" 2 EMPTY '^Cannot open the version file ./gone/gone.config: missing$' -- "$tool" gone
expect "missing version: where" 2 EMPTY "^boardcheck: looked in $scratch for the folder gone/; run from the folder that holds the version folders: data/" -- "$tool" gone

mkdir bad
printf '4 30 up\n30 12 down\n' >bad/bad.config
expect "problems" 1 'bad.config:1: the ladder from 4 ends on square 30' EMPTY -- "$tool" bad
expect "odds despite problems" 1 'Player 1 wins [0-9.]+ % of games' EMPTY -- "$tool" bad

# A version named like an option, after "--".
mkdir -- -x
cp bad/bad.config -- -x/-x.config
expect "a version named -x" 1 '^Version -x: \./-x/-x\.config' EMPTY -- "$tool" -- -x
expect "-x without --" 2 EMPTY '^Usage: boardcheck <version>' -- "$tool" -x

# A 1 MiB version file naming one voiced square over and over: its voice is
# looked at once, so the report comes in seconds, not minutes.
mkdir big
cp "$data/mivo/square04" "$data/mivo/square04.wav" big/
yes '4 25 You brushed your teeth every night. Climb up!' | head -n 20560 >big/big.config # 1048560 bytes
expect "1 MiB version file" 1 'square04.wav +3\.[0-9]+ s +note up to date' EMPTY -- timeout 20 "$tool" big

# The shipped board: no problems. Until its voices are made the report says
# so, and that alone is not a problem.
cd "$data" || exit 1
expect "mivo" 0 '^Problems: none' EMPTY -- "$tool" mivo
expect "mivo voices" 0 '^Voices:' EMPTY -- "$tool" mivo
expect "mivo odds" 0 'one token reaches 99 in [0-9.]+ turns on average' EMPTY -- "$tool" mivo
expect "four players" 0 '^  Player 1 wins [0-9.]+ % of games, Player 2 [0-9.]+ %, Player 3 [0-9.]+ %, Player 4 [0-9.]+ %$' EMPTY -- "$tool" --players 4 mivo
expect "three players' length" 0 'in turns of all players: median [0-9]+ turns' EMPTY -- "$tool" --players 3 mivo
expect "five players" 2 EMPTY '^boardcheck: --players takes 2, 3 or 4, not "5"$' -- "$tool" --players 5 mivo
expect "players without a version" 2 EMPTY '^boardcheck: name the version to check$' -- "$tool" --players 3
# "--players=N" as "--players N", the game's two spellings.
expect "--players=3" 0 '^Odds for 3 players' EMPTY -- "$tool" --players=3 mivo
expect "--players=5" 2 EMPTY '^boardcheck: --players takes 2, 3 or 4, not "5"$' -- "$tool" --players=5 mivo
expect "--players=x" 2 EMPTY '^boardcheck: --players takes 2, 3 or 4, not "x"$' -- "$tool" --players=x mivo
expect "--players= empty" 2 EMPTY '^boardcheck: --players takes 2, 3 or 4, not ""$' -- "$tool" --players= mivo
expect "--players=3 without a version" 2 EMPTY '^Usage: boardcheck <version>' -- "$tool" --players=3
"$tool" mivo

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all boardcheck command-line checks passed"
