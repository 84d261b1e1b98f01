# The Debian packages the project needs, sourced by play.sh, test.sh and package.sh.
BUILD_PACKAGES=(g++ cmake make pkg-config
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev
    libpng-dev)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev python3
    xvfb xauth xdotool imagemagick openbox
    festival festvox-kallpc16k festvox-us-slt-hts sox ffmpeg espeak-ng
    xfonts-base pcf2bdf
    clang libclang-rt-14-dev valgrind
    lintian desktop-file-utils appstream man-db)
# package.sh: CPack's DEB generator reads the programs' libraries with
# dpkg-shlibdeps and finds them with file.
PACKAGE_PACKAGES=(dpkg-dev file)
# Only for measuring the voices (tools/voice_wer.py):
#   tools/need_packages.sh "${VOICE_TOOL_PACKAGES[@]}"
VOICE_TOOL_PACKAGES=(pocketsphinx pocketsphinx-en-us python3)
# The Windows build (./windows.sh): the cross compiler, zip, and wine with an
# X server for its test.
WINDOWS_PACKAGES=(cmake make pkg-config patch mingw-w64 zip unzip
    wine wine64 xvfb xauth xdotool imagemagick)
# The browser build (./web.sh): Debian's emscripten, and for its test
# Debian's chromium driven from node (the driver from npm, by pkg/web's lockfile).
WEB_PACKAGES=(cmake make pkg-config patch python3 emscripten nodejs chromium)
# Debian packages npm apart from nodejs; a nodejs with its own npm needs none.
