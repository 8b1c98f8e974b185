#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and checks what a user's system would get: the files, the package's
# dependencies, the desktop files against Debian's validators, the .maz type
# compiled by update-mime-database, and that the unpacked program opens its
# own manual on F1 (in a virtual X display, with xdg-open recorded).
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/zubelo_*.deb)
echo "package: $(basename "$deb")"

# Dependencies: Qt's libraries (found by dpkg-shlibdeps), the font and Qt's
# Japanese texts.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6core6 libc6 libstdc++6 fonts-ipafont-gothic qt6-translations-l10n; do
    sed 's/, /\n/g; s/ ([^)]*)//g' <<<"$depends" | grep -Fxq "$needed" || fail "Depends lacks $needed"
done
[ "$(dpkg-deb -f "$deb" Package)" = zubelo ] || fail "package name"

root="$work/root"
dpkg -x "$deb" "$root"
id=org.zubelo.Zubelo
for file in usr/bin/zubelo \
    usr/share/zubelo/help/ja/index.html usr/share/zubelo/help/en/index.html \
    usr/share/zubelo/help/images/maze.png \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/mime/packages/$id.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/icons/hicolor/scalable/mimetypes/application-x-zubelo-maze.svg; do
    [ -f "$root/$file" ] || fail "missing $file"
done
[ -x "$root/usr/bin/zubelo" ] || fail "usr/bin/zubelo is not executable"
for size in 16 24 32 48 64 128 256; do
    for png in apps/$id.png mimetypes/application-x-zubelo-maze.png; do
        file "$root/usr/share/icons/hicolor/${size}x${size}/$png" | grep -q "PNG image data, $size x $size" \
            || fail "${size}x${size}/$png is not a $size x $size PNG"
    done
done
# Nothing of the build or the tests comes along.
unexpected=$(cd "$root" && find . -type f | grep -Ev '^\./usr/(bin/zubelo|share/(zubelo/help|applications|metainfo|mime/packages|icons/hicolor)/)' || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

# Debian's validators on the installed desktop files.
desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -q '^Exec=zubelo %f$' "$root/usr/share/applications/$id.desktop" || fail "Exec line"
grep -q '^MimeType=application/x-zubelo-maze;$' "$root/usr/share/applications/$id.desktop" || fail "MimeType line"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
# The shared-mime-info schema is the document type in Debian's own
# freedesktop.org.xml.
sed -n '/<!ELEMENT/,/]>/p' /usr/share/mime/packages/freedesktop.org.xml | sed '$d' >"$work/shared-mime-info.dtd"
grep -q '<!ELEMENT mime-type' "$work/shared-mime-info.dtd" || fail "no schema in freedesktop.org.xml"
xmllint --noout --dtdvalid "$work/shared-mime-info.dtd" "$root/usr/share/mime/packages/$id.xml"
XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
grep -q 'application/x-zubelo-maze:\*\.maz' "$root/usr/share/mime/globs2" || fail "no *.maz glob"
[ -f "$root/usr/share/mime/application/x-zubelo-maze.xml" ] || fail "type not compiled"

# The unpacked program finds the manual it came with: F1 asks xdg-open to open
# the package's own first page.
if [ -z "${DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null || fail "xvfb-run missing (scripts/deps.sh test)"
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<SH
#!/bin/sh
echo "\$1" >>"$work/opened"
SH
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP= "$root/usr/bin/zubelo" &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Zubelo' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the unpacked program opened no window"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key F1
for _ in $(seq 50); do
    [ -s "$work/opened" ] && break
    sleep 0.1
done
expected="file://$root/usr/share/zubelo/help/ja/index.html"
opened=$(cat "$work/opened" 2>/dev/null || true)
[ "$opened" = "$expected" ] || fail "F1 opened '$opened', expected '$expected'"
echo "package checks passed"
