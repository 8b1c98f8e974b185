#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and checks what a user's system would get: the files, the package's
# dependencies, lintian's verdict, the manual pages, the desktop files against
# Debian's validators, the .maz type compiled by update-mime-database, and
# that the unpacked program opens its own manual on F1 (in a virtual X
# display, with xdg-open recorded).
#   check_package.sh BUILD_DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/zubelo_*.deb)
echo "package: $(basename "$deb")"

# Dependencies: Qt's libraries (found by dpkg-shlibdeps), the font and Qt's
# Japanese texts.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6core6 libc6 libstdc++6 \
    "fonts-ipafont-gothic | fonts-noto-cjk" qt6-translations-l10n; do
    sed 's/, /\n/g; s/ ([^)]*)//g' <<<"$depends" | grep -Fxq "$needed" || fail "Depends lacks $needed"
done
[ "$(dpkg-deb -f "$deb" Package)" = zubelo ] || fail "package name"
# The long description is wrapped text: no line is indented as verbatim.
! dpkg-deb -f "$deb" Description | grep -q '^  ' || fail "Description has verbatim (doubly indented) lines"
# A tool for making puzzles, not a game: /usr/bin and the education section.
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "Section is not education"

# Lintian, with every tag it knows shown; any error or warning fails.
lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 "$deb" \
    >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
grep -v 'running with root privileges' "$work/lintian.log" || true
# The program is built hardened, as a distribution builds it.
! grep -q 'hardening-' "$work/lintian.log" || fail "lintian finds the program not hardened"

root="$work/root"
dpkg -x "$deb" "$root"
id=org.zubelo.Zubelo
for file in usr/bin/zubelo \
    usr/share/zubelo/help/ja/index.html usr/share/zubelo/help/en/index.html \
    usr/share/zubelo/help/images/maze.png \
    usr/share/zubelo/screenshots/editing.png usr/share/zubelo/screenshots/answer.png \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/mime/packages/$id.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/icons/hicolor/scalable/mimetypes/application-x-zubelo-maze.svg \
    usr/share/doc/zubelo/copyright usr/share/doc/zubelo/changelog.gz \
    usr/share/man/man1/zubelo.1.gz usr/share/man/ja/man1/zubelo.1.gz; do
    [ -f "$root/$file" ] || fail "missing $file"
done
[ -x "$root/usr/bin/zubelo" ] || fail "usr/bin/zubelo is not executable"
for size in 16 24 32 48 64 128 256; do
    icons=$root/usr/share/icons/hicolor/${size}x${size}
    for png in apps/$id.png mimetypes/application-x-zubelo-maze.png; do
        file "$icons/$png" | grep -q "PNG image data, $size x $size" \
            || fail "${size}x${size}/$png is not a $size x $size PNG"
    done
    # A .maz file shows its own picture, not the program's.
    ! cmp -s "$icons/apps/$id.png" "$icons/mimetypes/application-x-zubelo-maze.png" \
        || fail "${size}x${size}: the file type uses the program icon"
done
# Nothing of the build or the tests comes along.
unexpected=$(cd "$root" && find . -type f | grep -Ev '^\./usr/(bin/zubelo|share/(zubelo/(help|screenshots)|applications|metainfo|mime/packages|icons/hicolor|doc/zubelo|man/(ja/)?man1)/)' || true)
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

# The licence as Debian reads it (machine-readable copyright), and the
# changelog of this very version.
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$root/usr/share/doc/zubelo/copyright" || fail "copyright is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$root/usr/share/doc/zubelo/copyright" || fail "copyright names no GPL-3+"
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/zubelo/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] \
    || fail "changelog does not describe version $version"

# Manual pages: both lint clean in mandoc and in groff (which lintian's man
# runs too); Japanese text has no spaces for groff to stretch, so that one
# complaint alone is allowed there, as lintian allows it. Both pages know the
# same options.
for page in man1/zubelo.1.gz ja/man1/zubelo.1.gz; do
    zcat "$root/usr/share/man/$page" >"$work/page.1"
    mandoc -T lint -W style "$work/page.1" || fail "mandoc: $page"
    japanese=(); [[ $page == ja/* ]] && japanese=(-mja)
    groff -k -K utf-8 -man "${japanese[@]}" -ww -z -Tutf8 "$work/page.1" 2>&1 \
        | { [[ $page == ja/* ]] && grep -v 'cannot adjust line' || cat; } >"$work/groff.log" || true
    [ ! -s "$work/groff.log" ] || { cat "$work/groff.log"; fail "groff: $page"; }
    grep -o '\\-\\-[a-z]*\(\\-[a-z]*\)*' "$work/page.1" | sed 's/\\//g' | sort -u >"$work/options.$(dirname "$page" | tr / _)"
done
diff "$work/options.man1" "$work/options.ja_man1" || fail "the two manual pages document different options"
# Every option the program lists itself is documented. (Before the program
# has --help, it starts as usual and is stopped here.)
if help=$(XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen \
    timeout 10 "$root/usr/bin/zubelo" --help 2>/dev/null); then
    for option in $(grep -o -- '--[a-z]*\(-[a-z]*\)*' <<<"$help" | sort -u); do
        grep -Fxq -- "$option" "$work/options.man1" || fail "the manual page lacks $option"
    done
else
    echo "zubelo --help did not finish: the options it lists were not compared"
fi

# Debian's validators on the installed desktop files.
# Two main categories (Game and Education) are allowed; the validator only
# hints that the entry may show in both menus, which is meant.
validation=$(desktop-file-validate --no-hints "$root/usr/share/applications/$id.desktop" 2>&1) \
    && [ -z "$validation" ] || { echo "$validation"; fail "desktop-file-validate"; }
grep -q '^Exec=zubelo %f$' "$root/usr/share/applications/$id.desktop" || fail "Exec line"
grep -q '^MimeType=application/x-zubelo-maze;$' "$root/usr/share/applications/$id.desktop" || fail "MimeType line"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net --pedantic --strict "$metainfo" || fail "appstreamcli validate"
# Each screenshot the description names is installed, at the size it states.
shots=$(xmllint --xpath '//screenshot/image' "$metainfo" | grep -o '<image[^>]*>[^<]*' || true)
[ "$(wc -l <<<"$shots")" -eq 2 ] || fail "expected two screenshots: $shots"
while read -r shot; do
    name=$(basename "${shot##*>}")
    width=$(sed 's/.*width="\([0-9]*\)".*/\1/' <<<"$shot")
    height=$(sed 's/.*height="\([0-9]*\)".*/\1/' <<<"$shot")
    file "$root/usr/share/zubelo/screenshots/$name" | grep -q "PNG image data, $width x $height" \
        || fail "screenshot $name is not installed as a $width x $height PNG"
done <<<"$shots"
# The shared-mime-info schema is the document type in Debian's own
# freedesktop.org.xml.
sed -n '/<!ELEMENT/,/]>/p' /usr/share/mime/packages/freedesktop.org.xml | sed '$d' >"$work/shared-mime-info.dtd"
grep -q '<!ELEMENT mime-type' "$work/shared-mime-info.dtd" || fail "no schema in freedesktop.org.xml"
xmllint --noout --dtdvalid "$work/shared-mime-info.dtd" "$root/usr/share/mime/packages/$id.xml"
XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
grep -q 'application/x-zubelo-maze:\*\.maz' "$root/usr/share/mime/globs2" || fail "no *.maz glob"
[ -f "$root/usr/share/mime/application/x-zubelo-maze.xml" ] || fail "type not compiled"

# The unpacked program opens its own manual on F1, in a virtual display
# started only for that check.
"$here/../../scripts/with_xvfb.sh" 1024x768x24 "$here/help_key.sh" "$root" "$work"
echo "package checks passed"
