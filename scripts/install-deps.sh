#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Kalvo need.
# Only packages that are missing are installed, so a second run costs nothing.
#   install-deps.sh          what make run and make test need
#   install-deps.sh bench    and what the benchmarks need besides
#   install-deps.sh fuzz     and clang with libFuzzer for the reader's fuzzer
#   install-deps.sh install-check   and the validators of the installed desktop files
#   install-deps.sh screenshots     and the virtual display and tools of screenshots.sh
#   install-deps.sh package  and what make package needs
#   install-deps.sh package-check   and lintian, for check-package.sh
set -euo pipefail

packages=(
    g++ make cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-qpa-plugins qt6-translations-l10n
    # JPEG is read and written through libjpeg-turbo itself; WebP and TIFF
    # through Qt's image-format plugins.
    libjpeg62-turbo-dev qt6-image-formats-plugins
    # The recovery copy's compressor.
    libzstd-dev
    # The face of the Chinese captions, and the one face the tests may name.
    fonts-noto-cjk
)
for group in "$@"; do
    case "$group" in
    # OpenCV and libpng only measure Kalvo's filters and files against known
    # yardsticks; the program never links them.
    bench) packages+=(libbenchmark-dev libopencv-dev libpng-dev libjpeg62-turbo-dev) ;;
    # libFuzzer and the sanitizer runtimes come with clang's runtime package.
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    install-check) packages+=(desktop-file-utils appstream) ;;
    screenshots) packages+=(xvfb xdotool imagemagick) ;;
    # dpkg-buildflags and dpkg-shlibdeps.
    package) packages+=(dpkg-dev) ;;
    package-check) packages+=(lintian) ;;
    *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
