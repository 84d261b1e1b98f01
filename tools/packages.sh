# The Debian packages the project needs, sourced by play.sh and test.sh.
BUILD_PACKAGES=(g++ cmake make pkg-config
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick
    festival festvox-kallpc16k festvox-us-slt-hts sox ffmpeg
    clang libclang-rt-14-dev valgrind)
# Only for measuring the voices (tools/voice_wer.py):
#   tools/need_packages.sh "${VOICE_TOOL_PACKAGES[@]}"
VOICE_TOOL_PACKAGES=(pocketsphinx pocketsphinx-en-us python3)
