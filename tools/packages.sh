# The Debian packages the project needs, sourced by play.sh, test.sh and package.sh.
BUILD_PACKAGES=(g++ cmake make pkg-config
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick
    festival festvox-kallpc16k sox
    clang libclang-rt-14-dev valgrind
    lintian desktop-file-utils appstream man-db)
# package.sh: CPack's DEB generator reads the programs' libraries with
# dpkg-shlibdeps and finds them with file.
PACKAGE_PACKAGES=(dpkg-dev file)
