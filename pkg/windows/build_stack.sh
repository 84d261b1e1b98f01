#!/usr/bin/env bash
# Builds the Windows library stack from third_party/ into BUILD/stack/prefix:
# SDL2, sdl12-compat, SDL_image (XPM, BMP), SDL_mixer (WAV) and SDL_gfx, each
# with its own build system, cross-compiled with mingw-w64. The archives are
# extracted into BUILD/stack/src and our patches (pkg/windows/patches/*.patch)
# applied there. A finished stack is kept: it is rebuilt only when the
# archives, the patches or this script change.
#   pkg/windows/build_stack.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
stack=$build/stack
prefix=$stack/prefix
host=x86_64-w64-mingw32
jobs=$(nproc)

label="Windows libraries"
inputs=("$0" "$here/mingw64.cmake")
source "$here/../stack.sh"
stack_begin

cmake_lib() { # NAME SRC [CMAKE OPTIONS...]
    local name=$1 src=$2; shift 2
    step "$name-configure" cmake -S "$src" -B "$stack/obj/$name" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@"
    step "$name-build" cmake --build "$stack/obj/$name" -j"$jobs"
    step "$name-install" cmake --install "$stack/obj/$name"
}

autotools_lib() { # NAME SRC [CONFIGURE OPTIONS...]
    local name=$1 src=$2; shift 2
    mkdir -p "$stack/obj/$name"
    (
        cd "$stack/obj/$name"
        export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=""
        export SDL_CONFIG="$prefix/bin/sdl-config"
        export CC=$host-gcc-posix CXX=$host-g++-posix
        export CPPFLAGS="-I$prefix/include -I$prefix/include/SDL" LDFLAGS="-L$prefix/lib -static-libgcc"
        step "$name-configure" "$src/configure" --host=$host --prefix="$prefix" \
            --with-sdl-prefix="$prefix" --disable-static --enable-shared "$@"
        step "$name-build" make -j"$jobs"
        step "$name-install" make install
    )
}

unpack SDL2-2.32.10
off=()
for o in JOYSTICK HAPTIC HIDAPI SENSOR POWER OPENGL OPENGLES VULKAN DIRECTX RENDER_D3D \
         XINPUT WASAPI CCACHE TEST TESTS STATIC LOCALE; do
    off+=("-DSDL_$o=OFF")
done
cmake_lib SDL2 "$stack/src/SDL2-2.32.10" "${off[@]}" -DSDL_SHARED=ON \
    -DCMAKE_SHARED_LINKER_FLAGS=-static-libgcc

unpack sdl12-compat-1.2.76
cmake_lib sdl12-compat "$stack/src/sdl12-compat-1.2.76" -DSDL12TESTS=OFF -DSDL12DEVEL=ON \
    -DCMAKE_SHARED_LINKER_FLAGS=-static-libgcc
# The 1.2 libraries look for SDL as "sdl"; sdl12-compat names its file sdl12_compat.pc.
sed 's/^Name: .*/Name: sdl/' "$prefix/lib/pkgconfig/sdl12_compat.pc" > "$prefix/lib/pkgconfig/sdl.pc"

unpack SDL_image-1.2.12
autotools_lib SDL_image "$stack/src/SDL_image-1.2.12" \
    --enable-bmp --enable-xpm --disable-gif --disable-jpg --disable-lbm --disable-pcx \
    --disable-png --disable-pnm --disable-tga --disable-tif --disable-xcf --disable-xv \
    --disable-webp --disable-imageio --disable-sdltest

unpack SDL_mixer-1.2.12
autotools_lib SDL_mixer "$stack/src/SDL_mixer-1.2.12" \
    --enable-music-wave --disable-music-cmd --disable-music-mod --disable-music-mod-modplug \
    --disable-music-midi --disable-music-ogg --disable-music-flac --disable-music-mp3 \
    --disable-music-mp3-mad-gpl --disable-sdltest

unpack SDL_gfx-2.0.27
autotools_lib SDL_gfx "$stack/src/SDL_gfx-2.0.27" --disable-mmx --disable-sdltest

stack_end
