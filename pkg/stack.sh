# The part the Windows and the browser library stacks share, sourced by
# pkg/<target>/build_stack.sh after it sets
#   label   how its messages begin ("Windows libraries"),
#   here    its own folder (patches/ in it), repo, stack and prefix,
#   inputs  the files of its own that the built stack depends on.
# The packaging scripts source it too, for stack_licences.
# stack_begin ends the script at once when a stack built from the same
# archives, patches and scripts is there; otherwise it checks the archives
# against SHA256SUMS and starts $stack anew. stack_end marks it finished.

stack_begin() {
    shopt -s nullglob
    stack_stamp=$(cat "$repo/third_party/SHA256SUMS" "$here"/patches/*.patch "${BASH_SOURCE[0]}" \
        "${inputs[@]}" | sha256sum | cut -c1-16)
    if [ -f "$stack/done-$stack_stamp" ]; then
        echo "$label: already built in $stack"
        exit 0
    fi
    (cd "$repo/third_party" && sha256sum --quiet -c SHA256SUMS) ||
        { echo "third_party/: an archive does not match SHA256SUMS" >&2; exit 1; }
    rm -rf "$stack"
    log=$stack/log
    mkdir -p "$stack/src" "$prefix" "$log"
    stack_start=$(date +%s)
    echo "$label: building into $prefix"
}

stack_end() {
    touch "$stack/done-$stack_stamp"
    echo "$label: built in $(( $(date +%s) - stack_start )) s"
}

# step NAME COMMAND...: runs a step with its output in $log/NAME.log, shown on failure.
step() {
    local name=$1; shift
    echo "  $name"
    if ! "$@" >"$log/$name.log" 2>&1; then
        tail -n 40 "$log/$name.log" >&2
        echo "$label: step '$name' failed, see $log/$name.log" >&2
        exit 1
    fi
}

# unpack ARCHIVE_STEM: extracts third_party/STEM.tar.gz and applies the
# patches named STEM-*.patch.
unpack() {
    tar -xzf "$repo/third_party/$1.tar.gz" -C "$stack/src"
    local p
    for p in "$here"/patches/"$1"-*.patch; do
        patch -d "$stack/src/$1" -p1 --quiet < "$p" || { echo "patch $p does not apply" >&2; exit 1; }
    done
}

# stack_licences SRC DEST: the licence of each library of the stack, from its
# sources unpacked in SRC, as DEST/<library>.txt.
stack_licences() {
    cp "$1/SDL2-2.32.10/LICENSE.txt" "$2/SDL2.txt"
    cp "$1/sdl12-compat-1.2.76/LICENSE.txt" "$2/sdl12-compat.txt"
    cp "$1/SDL_image-1.2.12/COPYING" "$2/SDL_image.txt"
    cp "$1/SDL_mixer-1.2.12/COPYING" "$2/SDL_mixer.txt"
    cp "$1/SDL_gfx-2.0.27/LICENSE" "$2/SDL_gfx.txt"
}
