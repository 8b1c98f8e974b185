#!/usr/bin/env bash
# Installs the Debian packages that Zubelo needs and that are missing:
#   scripts/deps.sh run    to build and start the program
#   scripts/deps.sh test   to build and run every test as well
# As root it calls apt-get directly, otherwise through sudo.
set -euo pipefail

run_packages=(
    g++ cmake make
    qt6-base-dev qt6-svg-dev qt6-tools-dev libgl-dev
    qt6-translations-l10n   # Qt's own dialogs and buttons in Japanese
    qt6-l10n-tools          # lupdate and lrelease: the English catalogue
    fonts-ipafont-gothic    # the Japanese interface font
)
test_packages=(
    libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-win32  # compiles the Windows-only sources as a check
    clang libclang-rt-14-dev    # the loader fuzzer (libFuzzer)
    xvfb xdotool                # the real program in a virtual display
    dpkg-dev file               # the Debian package (cpack, dpkg-shlibdeps)
    desktop-file-utils appstream libxml2-utils shared-mime-info  # validators
    lintian mandoc              # the package and its manual pages, checked
    poppler-utils               # reads back the PDF files the export writes
)

packages=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
