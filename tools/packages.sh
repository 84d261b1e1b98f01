# The Debian packages the project needs, sourced by play.sh and test.sh.
BUILD_PACKAGES=(g++ cmake make pkg-config
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick
    festival festvox-kallpc16k sox
    clang libclang-rt-14-dev valgrind)
# The Windows build (./windows.sh): the cross compiler, zip, and wine with an
# X server for its test.
WINDOWS_PACKAGES=(cmake make pkg-config patch mingw-w64 zip unzip
    wine wine64 xvfb xauth xdotool imagemagick)
