#!/usr/bin/env bash
# The worksheet and book maker in the real program, in a virtual X display,
# in Japanese and in English: a path drawn with the keys, the maze made, the
# book maker opened from the File menu and its picture taken, then a book of
# twenty, four to a page, written as a PDF through it, its first puzzle page
# and first answer page rasterised. With --manual the book maker and the two
# pages are copied to the manual's pictures.
#   scripts/book_screenshots.sh [output folder] [--manual]     (default: shots-book/)
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick, poppler-utils.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots-book}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import pdftoppm -- "$out" "${2:-}"
unset LC_ALL LC_MESSAGES LANGUAGE
cleanup() {
    kill "${zubelo_pid:-}" 2>/dev/null || true
}
trap cleanup EXIT

key() { # keys to the main window
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 20 "$@"
    sleep 0.2
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

for language in ja en; do
    # Settings and data of this run only: the language follows LANG, and no
    # recovery copy of an earlier run greets the program with a question.
    export XDG_CONFIG_HOME="$out/config-$language" XDG_DATA_HOME="$out/data-$language"
    rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$out/book-$language.pdf" "$out/book-$language"-*.png
    locale=ja_JP.UTF-8
    [ "$language" = en ] && locale=en_US.UTF-8
    LANG=$locale start_zubelo 'Zubelo'
    window=$found
    sleep 1
    # A path from the start left of the top row, winding down to the bottom.
    # shellcheck disable=SC2046
    key $(times Right 10) $(times Down 15) $(times Right 8) $(times Up 6) $(times Right 10) \
        $(times Down 25) $(times Left 5) $(times Down 6)
    key F5
    sleep 0.5
    # File menu, its last item but Exit.
    key alt+f
    answer Up Up Return
    sleep 1.5
    dialog=$(newest_window)
    [ -n "$dialog" ] || { echo "no book maker"; exit 1; }
    # Four mazes to a puzzle page.
    answer alt+u Down Down
    sleep 1
    window_shot "$dialog" "book_maker_$language"
    # Write the book: Enter is the PDF button, then the file dialog.
    answer Return
    sleep 1.5
    answer ctrl+a
    xdotool type --delay 20 "$out/book-$language.pdf"
    answer Return
    sleep 3
    [ -f "$out/book-$language.pdf" ] || { echo "the book maker wrote no PDF"; exit 1; }
    # The first puzzle page, and the first answer page after the five of puzzles.
    pdftoppm -r 60 -f 1 -l 1 -singlefile -png "$out/book-$language.pdf" "$out/book-$language-puzzle"
    pdftoppm -r 60 -f 6 -l 6 -singlefile -png "$out/book-$language.pdf" "$out/book-$language-answer"
    kill "$zubelo_pid"
    wait "$zubelo_pid" 2>/dev/null || true
    sleep 0.5
done
if [ "${2:-}" = --manual ]; then
    cp "$out/book_maker_ja.png" resources/help/images/book_maker.png
    cp "$out/book_maker_en.png" resources/help/images/book_maker_en.png
    convert "$out/book-ja-puzzle.png" "$out/book-ja-answer.png" -resize 50% +append -bordercolor '#808080' \
        -border 1 resources/help/images/worksheet.png
    echo "manual pictures updated"
fi
echo "pictures in $out"
