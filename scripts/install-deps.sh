#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Quillory needs, only the missing ones.
# Usage: scripts/install-deps.sh run    what building and running the program need
#        scripts/install-deps.sh test   that, and what the tests and benchmarks need as well
set -euo pipefail

# Building and running: the compiler, Qt, libqpdf for the PDF, libical for the calendar file,
# libzip for the Word 2007-365 file, QtKeychain and libsecret for the calendar server's password
# in the desktop's keyring, the platform plugins that draw the windows, and the fonts: the
# schedule's (URW Gothic, Liberation Sans), then Indic, Arabic and Thai (Noto UI), Chinese,
# Japanese and Korean (WenQuanYi Micro Hei), emoji (Symbola, Unifont).
run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev libqpdf-dev libical-dev libzip-dev zlib1g-dev
    qtkeychain-qt6-dev libsecret-1-0
    fonts-urw-base35 fonts-liberation2 fonts-symbola
    fonts-noto-ui-core fonts-wqy-microhei fonts-unifont
)
# Testing: Google Benchmark; a display and window manager for the GUI benchmarks; the word
# processors, PDF tools, python-docx and calendar readers that read our output back; the
# validators of the desktop entry and the metainfo; the tools that make the Debian package and
# check it; a calendar server (Radicale) with another client of it (python3-caldav), openssl for
# the server's test certificates, and a keyring of the tests' own on a private session bus (GNOME
# Keyring, D-Bus).
test_packages=(
    libbenchmark-dev xvfb openbox xdotool
    libreoffice-writer-nogui abiword pandoc poppler-utils unzip python3-icalendar python3-docx khal
    radicale python3-caldav openssl gnome-keyring dbus-daemon dbus-bin
    desktop-file-utils appstream
    dpkg-dev file lintian
)

case "${1:-}" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
