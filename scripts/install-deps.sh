#!/usr/bin/env bash
# Installs the Debian packages that building and testing RK7 Power need, and nothing else.
# Does nothing when all of them are present; runs apt-get update only when it must install.
#   install-deps.sh [--check] [--fuzz] [--package]
# --check only reports what is missing; --fuzz adds clang and its libFuzzer runtime, which only
# `make fuzz` needs; --package adds lintian, which only `make package` needs.
set -euo pipefail

check=no
fuzz=no
package=no
for arg in "$@"; do
    case $arg in
    --check) check=yes ;;
    --fuzz) fuzz=yes ;;
    --package) package=yes ;;
    *) echo "usage: install-deps.sh [--check] [--fuzz] [--package]" >&2; exit 2 ;;
    esac
done

packages=(
    g++ make cmake ninja-build
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev nlohmann-json3-dev liblz4-dev pkgconf
    fonts-liberation xvfb xauth
    poppler-utils appstream desktop-file-utils dpkg-dev
    help2man gzip
    at-spi2-core dbus-daemon dbus-bin python3-pyatspi
)
if [ "$fuzz" = yes ]; then
    packages+=(clang libclang-rt-14-dev)
fi
if [ "$package" = yes ]; then
    packages+=(lintian)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    [ "$check" = yes ] && echo "All build dependencies are installed."
    exit 0
fi

if [ "$check" = yes ]; then
    echo "Missing: ${missing[*]}"
    exit 1
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
