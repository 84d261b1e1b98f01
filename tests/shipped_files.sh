#!/usr/bin/env bash
# data/shipped.txt against what it lists: every shipped name is in data/, every
# tracked entry of data/ is shipped, every version holds its version file, and
# every fixed path in core/paths.h lies in a shipped `file`.
#   shipped_files.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
list=data/shipped.txt

mapfile -t files < <(sed -n 's/^file \(.*\)$/\1/p' "$list")
mapfile -t versions < <(sed -n 's/^version \(.*\)$/\1/p' "$list")
shipped=" ${files[*]} ${versions[*]} "
for name in "${files[@]}" "${versions[@]}"; do
    [ -e "data/$name" ] || fail "$list ships $name, which is not in data/"
done
for version in "${versions[@]}"; do
    [ -f "data/$version/$version.config" ] || fail "the shipped version $version has no $version/$version.config"
done
# Only what git tracks: an author's own board in data/ is not shipped.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    for name in $(git ls-files data | sed -n 's|^data/\([^/]*\).*|\1|p' | sort -u); do
        [ "$name" = shipped.txt ] || [[ "$shipped" == *" $name "* ]] ||
            fail "data/$name is in the repository but not in $list: add a 'file' or 'version' line"
    done
fi
# The quoted "./..." paths of the declarations, not of the comments; a
# hidden file ("./.name") is one a program writes, never shipped.
for path in $(grep -v '^ *//' core/paths.h | grep -o '"\./[^".][^"]*"' | tr -d '"'); do
    path=${path#./}
    [[ " ${files[*]} " == *" ${path%%/*} "* ]] ||
        fail "core/paths.h reads ./$path, which is in no 'file' line of $list"
    [ -e "data/$path" ] || fail "core/paths.h reads ./$path, which is not in data/"
done
echo "$list: ${#files[@]} files, ${#versions[@]} versions; $failures failures"
[ "$failures" -eq 0 ]
