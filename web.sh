#!/usr/bin/env bash
# The game in a web browser: builds it with Debian's emscripten into
# dist/varnowick-web/ (pkg/web/README.md).
#   ./web.sh         build
#   ./web.sh serve   build, then serve it on http://localhost:8080/ (PORT=...)
#   ./web.sh test    build, then run its test in headless chromium (web_e2e)
exec "$(dirname "$0")/pkg/web/build.sh" "$@"
