#!/usr/bin/env bash
# Printing and exporting in the real program, in a virtual X display, driven
# with the keyboard as a user would:
#   scripts/print_screenshots.sh [output folder] [--manual]     (default: shots/)
# Takes the export dialog and the print preview, exports a PDF through the
# export dialog and its file dialog, and rasterises both PDF pages with
# pdftoppm. With --manual the export dialog is copied to the manual's pictures.
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick, poppler-utils.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import pdftoppm -- "$out" "${2:-}"
# The settings and data of this run only, starting from the defaults: no
# recovery copy of an earlier run (the program is ended with SIGTERM, which
# keeps one) greets it with a question.
export XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data"
rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$out/maze.pdf" "$out"/pdf_page-*.png
mkdir -p "$XDG_CONFIG_HOME/Zubelo"
cleanup() {
    kill "${zubelo_pid:-}" 2>/dev/null || true
}
trap cleanup EXIT

start_zubelo 'Zubelo'
window=$found
sleep 1

key() { # keys to the main window
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 20 "$@"
    sleep 0.1
}
answer() { # keys to whatever has the focus now (a dialog)
    sleep 0.5
    xdotool key --delay 30 "$@"
    sleep 0.3
}
times() { # key count: the key repeated
    for _ in $(seq "$2"); do printf '%s ' "$1"; done
}
newest_window() { # the program's last visible window other than the main one
    xdotool search --onlyvisible --pid "$zubelo_pid" 2>/dev/null | grep -v "^$window\$" | tail -1
}

# A path from the start left of the top row, winding down to the bottom.
# shellcheck disable=SC2046
key $(times Right 10) $(times Down 15) $(times Right 8) $(times Up 6) $(times Right 10) \
    $(times Down 25) $(times Left 5) $(times Down 6)
key F5
sleep 0.5

# The export dialog, given a title and the name line (they belong to this
# maze, so a new maze starts without them).
key ctrl+e
sleep 1.5
dialog=$(newest_window)
[ -n "$dialog" ] || { echo "no export dialog"; exit 1; }
answer alt+t
xdotool type --delay 30 "めいろ 1"
answer alt+n
sleep 0.5
window_shot "$dialog" export_dialog
# OK, then the file dialog: the PDF goes to the output folder.
answer Return
sleep 1.5
answer ctrl+a
xdotool type --delay 20 "$out/maze.pdf"
answer Return
sleep 2
[ -f "$out/maze.pdf" ] || { echo "the export wrote no PDF"; exit 1; }
pdftoppm -r 100 -png "$out/maze.pdf" "$out/pdf_page"

# The print preview of the same settings.
key alt+f
answer v
sleep 2.5
preview=$(newest_window)
[ -n "$preview" ] || { echo "no print preview"; exit 1; }
window_shot "$preview" print_preview
answer Escape

echo "screenshots in $out: export_dialog.png print_preview.png pdf_page-1.png pdf_page-2.png"
if [ "${2:-}" = --manual ]; then
    cp "$out/export_dialog.png" resources/help/images/export.png
    echo "manual picture updated"
fi
