#!/usr/bin/env bash
# Builds the Debian package with make package and checks it: its control
# fields, its files, its version, and lintian (no error allowed; warnings are
# shown). Not part of make test.
#   scripts/check-package.sh             build and check the package
#   scripts/check-package.sh --install   and then, as root, install it with apt,
#                                        start the installed program with a
#                                        picture on a virtual display, remove it
#                                        and look for anything left behind
set -euo pipefail
cd "$(dirname "$0")/.."
install=0
case "${1:-}" in
--install) install=1 ;;
"") ;;
*) echo "check-package.sh: unknown option '$1'" >&2; exit 2 ;;
esac
groups=(package package-check)
if [ "$install" = 1 ]; then groups+=(screenshots); fi
./scripts/install-deps.sh "${groups[@]}"

build=${PACKAGE_BUILD:-build-package}
make package PACKAGE_BUILD="$build"
version=$("$build/kalvo" --version | cut -d' ' -f2)
deb="$build/kalvo_${version}_$(dpkg --print-architecture).deb"
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

echo "== dpkg-deb --info $deb"
dpkg-deb --info "$deb"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no computed Depends"

echo "== dpkg-deb --contents $deb"
contents=$(dpkg-deb --contents "$deb")
echo "$contents"
for path in ./usr/bin/kalvo ./usr/share/kalvo/Data/brushs/ ./usr/share/kalvo/Data/pattens/ \
    ./usr/share/applications/org.example.kalvo.desktop \
    ./usr/share/icons/hicolor/scalable/apps/org.example.kalvo.svg \
    ./usr/share/icons/hicolor/256x256/apps/org.example.kalvo.png \
    ./usr/share/metainfo/org.example.kalvo.metainfo.xml ./usr/share/man/man1/kalvo.1.gz \
    ./usr/share/doc/kalvo/copyright ./usr/share/doc/kalvo/changelog.gz; do
    grep -q " $path\$" <<<"$contents" || fail "$path is missing"
done
for folder in brushs pattens; do
    samples=$(find "data/$folder" -name '*.bmp' | wc -l)
    packed=$(grep -c "/Data/$folder/.*\.bmp\$" <<<"$contents" || true)
    [ "$samples" = "$packed" ] || fail "$packed of the $samples samples in $folder are packed"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/metainfo/org.example.kalvo.metainfo.xml |
    grep -q "<release version=\"$version\"" || fail "the metainfo does not announce $version"

echo "== lintian $deb"
# Every tag is listed, with its explanation; only errors fail.
lintian --display-info --info --fail-on error "$deb" || fail "lintian reports errors"

if [ "$install" = 1 ]; then
    echo "== apt install ./$deb"
    [ "$(id -u)" -eq 0 ] || { echo "--install needs root" >&2; exit 2; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
    files=$(dpkg-query --listfiles kalvo)
    [ "$(/usr/bin/kalvo --version)" = "Kalvo $version" ] || fail "the installed --version"
    man -w kalvo >/dev/null || fail "man kalvo finds no page"

    echo "== the installed program with a picture, on a virtual display"
    number=90
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    kalvo=""
    # A failed check ends the script: the display and the program go with it.
    trap 'if [ -n "$kalvo" ]; then kill "$kalvo" 2>/dev/null || true; fi; kill "$xvfb" 2>/dev/null || true' EXIT
    picture=$(find /usr/share/kalvo/Data/pattens -name '*.bmp' | sort | head -n 1)
    (cd / && DISPLAY=":$number" QT_QPA_PLATFORM=xcb exec /usr/bin/kalvo "$picture") &
    kalvo=$!
    sleep 5
    if kill -0 "$kalvo" 2>/dev/null; then
        DISPLAY=":$number" import -window root "$build/installed.png"
        echo "running; the screen is in $build/installed.png"
        kill "$kalvo"
    else
        fail "the installed program ended by itself"
    fi
    wait "$kalvo" 2>/dev/null || true
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    trap - EXIT

    echo "== apt purge kalvo"
    DEBIAN_FRONTEND=noninteractive apt-get purge -y kalvo
    if dpkg-query -W kalvo >/dev/null 2>&1; then fail "dpkg still knows kalvo"; fi
    # Folders another package owns as well stay; nothing else may.
    while read -r path; do
        if [ -e "$path" ] && { [ ! -d "$path" ] || ! dpkg-query -S "$path" >/dev/null 2>&1; }; then
            fail "$path was left behind"
        fi
    done <<<"$files"
fi

if [ "$failed" = 0 ]; then echo "package checked: $deb"; fi
exit "$failed"
