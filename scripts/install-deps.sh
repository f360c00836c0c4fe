#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run, and the locales the
# tests use. Idempotent: installs only what is missing. Works as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev
    libgtest-dev libgmock-dev
    fonts-wqy-microhei fonts-dejavu-core
    locales
    xvfb xauth imagemagick
)

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "install-deps: run as root or install sudo" >&2
    exit 1
fi

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Locales used by the tests (a decimal-comma locale) and by the Chinese screenshots.
wanted_locales=("de_DE.UTF-8" "zh_CN.UTF-8" "en_US.UTF-8")
generate=0
for loc in "${wanted_locales[@]}"; do
    short=$(echo "$loc" | sed 's/UTF-8/utf8/')
    if ! locale -a 2>/dev/null | grep -qx "$short"; then
        generate=1
        if ! grep -q "^$loc UTF-8" /etc/locale.gen 2>/dev/null; then
            echo "$loc UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
        fi
    fi
done
if [ "$generate" -eq 1 ]; then
    "${as_root[@]}" locale-gen >/dev/null
fi
