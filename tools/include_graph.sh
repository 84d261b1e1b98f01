#!/usr/bin/env bash
# Prints the include graph of our own modules, one line per module: the
# modules whose headers it includes ("a.h" and a.cpp are one module, named
# folder/a), then checks that no module depends on itself through others.
# Exit status 1 when there is a cycle.
#   tools/include_graph.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
folders=(core game game/pictures chuteview squarevox boardcheck)

# The module that a quoted header name belongs to, found in our folders.
declare -A module_of
for folder in "${folders[@]}"; do
    for header in "$folder"/*.h; do
        [ -e "$header" ] || continue
        name=$(basename "$header")
        module_of[$name]="$folder/${name%.h}"
    done
done

declare -A uses
modules=()
for folder in "${folders[@]}"; do
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -e "$file" ] || continue
        base=$(basename "$file")
        module="$folder/${base%.*}"
        [[ " ${modules[*]} " == *" $module "* ]] || modules+=("$module")
        while read -r included; do
            target=${module_of[$included]:-}
            [ -n "$target" ] && [ "$target" != "$module" ] || continue
            [[ " ${uses[$module]:-} " == *" $target "* ]] || uses[$module]="${uses[$module]:-} $target"
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done
done

pairs=()
for module in "${modules[@]}"; do
    printf '%-28s %s\n' "$module:" "$(echo ${uses[$module]:-} | tr ' ' '\n' | sort | tr '\n' ' ')"
    pairs+=("$module $module")
    for target in ${uses[$module]:-}; do pairs+=("$target $module"); done
done
if printf '%s\n' "${pairs[@]}" | tsort > /dev/null 2> "${TMPDIR:-/tmp}/include_graph.$$"; then
    rm -f "${TMPDIR:-/tmp}/include_graph.$$"
    echo "no cycle"
else
    cat "${TMPDIR:-/tmp}/include_graph.$$" >&2
    rm -f "${TMPDIR:-/tmp}/include_graph.$$"
    echo "a cycle (above)" >&2
    exit 1
fi
