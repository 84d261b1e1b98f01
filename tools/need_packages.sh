#!/usr/bin/env bash
# Installs, with apt-get, those of the named Debian packages that are missing.
set -euo pipefail
missing=()
for pkg in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
apt_get=$(dirname "$0")/apt_get.sh
"$apt_get" update -q
"$apt_get" install -y -q --no-install-recommends "${missing[@]}"
