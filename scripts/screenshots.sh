#!/usr/bin/env bash
# Takes screenshots of the real program in a virtual X display, driving it
# with the keyboard and mouse as a user would:
#   scripts/screenshots.sh [output folder] [--manual|--appstream]  (default: shots/)
# With --manual the pictures the manual shows are copied to resources/help/images,
# with --appstream the software centre's two pictures to resources/screenshots.
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick, python3-pil.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import /usr/bin/python3 -- "$out" "${2:-}"
python=/usr/bin/python3  # Debian's, with python3-pil
# Settings and data of its own: the program starts with its defaults, and
# neither the styles chosen and files opened here nor the recovery copies of
# this run are left in the user's folders.
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
export XDG_CONFIG_HOME XDG_DATA_HOME
rm -f "$out/sample.maz" "$out/sample-copy.maz"
backdrop_pid=""
cleanup() {
    kill "${zubelo_pid:-}" "$backdrop_pid" 2>/dev/null || true
    wait 2>/dev/null || true  # Zubelo ends on SIGTERM once its copy is written
    rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}
trap cleanup EXIT

# A picture to trace over, in a window behind Zubelo (for transparent mode).
"$python" - "$out/backdrop.png" <<'PY'
import sys
from PIL import Image, ImageDraw
img = Image.new("RGB", (1280, 1024), (40, 90, 160))
d = ImageDraw.Draw(img)
for i in range(0, 1280, 40):
    d.ellipse((i, 200 + (i % 200), i + 160, 360 + (i % 200)), fill=(240, 120 + i % 100, 40))
d.polygon([(0, 1024), (640, 500), (1280, 1024)], fill=(30, 140, 60))
img.save(sys.argv[1])
PY
display -geometry +0+0 -backdrop "$out/backdrop.png" >/dev/null 2>&1 &
backdrop_pid=$!
sleep 1

start_zubelo 'Zubelo'
window=$found
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true

geometry() { # the window's place on the screen, as WxH+X+Y
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
shot() { # name: the Zubelo window only
    sleep 0.4
    import -window root -crop "$(geometry)" +repage "$out/$1.png"
}
shot_wide() { # name: the Zubelo window and what opens right of it (a submenu)
    sleep 0.4
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "$((WIDTH + 360))x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
}
screen() { # name: the whole screen
    sleep 0.4
    import -window root "$out/$1.png"
}
key() { # keys to the main window, as typed
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 30 "$@"
    sleep 0.1
}
answer() { # keys to whatever has the focus now (a dialog)
    sleep 0.5
    xdotool key --delay 30 "$@"
    sleep 0.3
}

# Where the picture starts inside the window: the first silver pixel.
origin=$(import -window root -crop "$(geometry)" +repage png:- | "$python" -c '
import sys, io
from PIL import Image
img = Image.open(io.BytesIO(sys.stdin.buffer.read())).convert("RGB")
w, h = img.size
for y in range(h):
    if img.getpixel((2, y)) == (192, 192, 192):
        print(0, y); break
')
read -r ox oy <<<"$origin"
click_cell() { # column row, cell size
    local g=$3
    xdotool mousemove --window "$window" $((ox + g + $1 * g + g / 2)) $((oy + g + $2 * g + g / 2)) click 1
    sleep 0.2
}

shot startup

# A path from a start chosen on the top border down and across to the right.
click_cell 5 -1 10
key Down Down Down Down Right Right Right Right Right Right Down Down Down Down Down Down \
    Left Left Left Down Down Down Down Down Right Right Right Right Right Right Right Right Right
shot path
key Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right Right
shot complete
key F5
shot maze
key F3
shot noanswer
key F3

# The same path in each maze style, each made from the same seed number.
style_number=0
for style in standard corridors deadends uniform; do
    # Maze menu, 迷路の種類(&K), then the style's place in the submenu.
    key alt+m
    answer k
    for _ in $(seq "$style_number"); do answer Down; done
    if [ "$style_number" = 1 ]; then screen style_menu; fi
    answer Return
    key alt+m
    answer s
    sleep 0.5
    if [ "$style_number" = 0 ]; then dialog_shot '乱数の種' seeddialog; fi
    answer ctrl+a 2 0 2 4 Return
    key F5
    shot "style_$style"
    style_number=$((style_number + 1))
done

# Initialise (the question: no), then trace in transparent mode over the
# picture behind the window.
key F2
answer n
key ctrl+t
key Right Right Right Right Right Right Down Down Down Down Right Right Right Right
shot transparent # the screen where the window is: what lies behind shows
key ctrl+t
shot transparent_off

# Three steps undone, and the Edit menu.
key ctrl+z ctrl+z ctrl+z
key alt+e
shot editmenu
answer Escape Escape # the menu, then the menu bar's keyboard focus

# A path drawn with the mouse (after Initialise and its question: no): one
# press on the border, fast moves that skip cells, one release.
key F2
answer n
drag_cells() { # column row ...: the pointer moved through those cells
    local g=10
    xdotool mousemove --window "$window" $((ox + g + $1 * g + g / 2)) $((oy + g + $2 * g + g / 2)) mousedown 1
    shift 2
    while [ $# -ge 2 ]; do
        sleep 0.1
        xdotool mousemove --window "$window" $((ox + g + $1 * g + g / 2)) $((oy + g + $2 * g + g / 2))
        shift 2
    done
    sleep 0.1
    xdotool mouseup 1
    sleep 0.2
}
drag_cells -1 6 9 6 9 14 20 24 31 24 31 8 40 8
shot mousepath

# Saved, saved again under another name: both in the recent-files menu.
key F5
key ctrl+s
answer ctrl+a
xdotool type --delay 20 "$out/sample.maz"
answer Return
key ctrl+shift+s
answer ctrl+a
xdotool type --delay 20 "$out/sample-copy.maz"
answer Return
key alt+f
answer r
shot_wide recent
answer Escape Escape Escape

# The size dialog of New.
key ctrl+n
sleep 0.5
dialog_shot '新規作成' newdialog
answer Escape

# The About dialog.
key alt+h
answer a
sleep 0.5
dialog_shot 'Zubelo - About' about
answer Escape

# For the software centre, a wider board with larger cells: a path being
# drawn, then the finished maze with its answer. New (the drawn path is not
# kept) with 36 x 24 cells of 18 pixels; the start is left of the top row.
key ctrl+n
answer n
answer ctrl+a 3 6 Tab ctrl+a 2 4 Tab ctrl+a 1 8 Return
sleep 0.5
key Right Right Right Right Right Right Down Down Down Down Down Left Left Left \
    Down Down Down Down Down Down Right Right Right Right Right Right Right Right \
    Up Up Up Up Up Up Up Up Right Right Right Right Right Right Right \
    Down Down Down Down Down Down Down Down Down Down Down Down Down Down \
    Left Left Left Left Left Down Down Down Down \
    Right Right Right Right Right Right Right Right Right Right Right Right \
    Up Up Up Up Up Up Up Up Up Up Right Right Right Right Right Right Down Down Down
shot appstream-editing
key Down Down Down Down Down Right Right Right Right Right Right
key F5
shot appstream-answer

# A picture under the grid: a heart to trace on a 30 x 24 board of 18-pixel
# cells (the picture has the grid's shape, 40 picture pixels a cell).
"$python" - "$out/heart.png" <<'PY'
import sys
from PIL import Image, ImageDraw
c = 40
img = Image.new("RGB", (30 * c, 24 * c), (150, 205, 245))
d = ImageDraw.Draw(img)
d.ellipse((-4 * c, 17 * c, 34 * c, 40 * c), fill=(90, 175, 80))
d.ellipse((25 * c, 1 * c, 29 * c, 5 * c), fill=(255, 215, 40))
d.ellipse((7.5 * c, 5.5 * c, 16.5 * c, 14.5 * c), fill=(225, 40, 70))
d.ellipse((14.5 * c, 5.5 * c, 23.5 * c, 14.5 * c), fill=(225, 40, 70))
d.polygon([(8 * c, 11.5 * c), (23 * c, 11.5 * c), (15.5 * c, 20.5 * c)], fill=(225, 40, 70))
for x, y in ((3, 3), (9, 2), (5, 17)):
    d.ellipse((x * c, y * c, (x + 3) * c, (y + 1.5) * c), fill=(255, 255, 255))
img.save(sys.argv[1])
PY
# The keys that walk through the given cells, straight from one to the next.
walk() {
    "$python" - "$@" <<'PY'
import sys
p = [int(v) for v in sys.argv[1:]]
keys = []
for i in range(0, len(p) - 2, 2):
    (x, y), (nx, ny) = p[i:i + 2], p[i + 2:i + 4]
    keys += ["Right" if nx > x else "Left"] * abs(nx - x) + ["Down" if ny > y else "Up"] * abs(ny - y)
print(" ".join(keys))
PY
}
key ctrl+n
answer n
answer ctrl+a 3 0 Tab ctrl+a 2 4 Tab ctrl+a 1 8 Return
sleep 0.5
key alt+v
answer i
answer ctrl+a
xdotool type --delay 20 "$out/heart.png"
answer Return
click_cell -1 12 18
# shellcheck disable=SC2046 # one key a word
key $(walk -1 12 6 12 6 7 8 7 8 5 13 5 13 7 17 7 17 5 22 5)
shot underlay
# Stronger (the strength item: second from the bottom of the View menu).
key alt+v
answer Up Up Return
answer ctrl+a 7 0 Return
# shellcheck disable=SC2046
key $(walk 22 5 22 7 24 7 24 12 23 12 23 14 21 14 21 16 19 16 19 18 17 18 17 20 15 20 15 24)
shot underlay_strong
key F5
shot underlay_maze

# Killed with the maze just made unsaved: the next start offers the
# recovery copy, and Yes brings the maze back.
sleep 3  # the copy is written within two seconds of a change
kill -9 "$zubelo_pid"
wait "$zubelo_pid" 2>/dev/null || true
start_zubelo '^Zubelo$' # the question
sleep 0.5
screen recovery
answer Return
window=$(xdotool search --onlyvisible --pid "$zubelo_pid" --name 'Zubelo \*' | tail -1)
shot recovered

# The largest board a file may hold (400 x 400 cells of 20 pixels): opened,
# scrolled to where the path runs, without the answer, zoomed out, and in
# the editing view.
# (Exit, without saving the recovered maze.)
key ctrl+q
answer n
wait "$zubelo_pid" 2>/dev/null || true
"$python" scripts/large_maze.py "$out/large.maz"
start_zubelo 'large.maz' "$out/large.maz"
window=$found
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
shot large_top
scroll() { # wheel notches: down, then right (negative: up, left)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2))
    local down=$1 right=$2
    [ "$down" -gt 0 ] && xdotool click --repeat "$down" --delay 5 5
    [ "$down" -lt 0 ] && xdotool click --repeat $((-down)) --delay 5 4
    [ "$right" -gt 0 ] && xdotool click --repeat "$right" --delay 5 7
    [ "$right" -lt 0 ] && xdotool click --repeat $((-right)) --delay 5 6
    sleep 0.3
}
scroll 66 20
shot large_scrolled
key F3
shot large_scrolled_noanswer
key F3
key d d d d d d d d d d d d
shot large_zoomed_8
key d d d d d
shot large_zoomed_3
key F2
key Right Right Right Right Right Down Down Down Right Right Right f f f f f
shot large_editing
echo "screenshots in $out"
if [ "${2:-}" = --manual ]; then
    mkdir -p resources/help/images
    for name in startup path maze noanswer newdialog transparent style_standard style_corridors style_deadends \
        style_uniform underlay; do
        cp "$out/$name.png" resources/help/images/
    done
    echo "manual pictures updated"
fi
if [ "${2:-}" = --appstream ]; then
    mkdir -p resources/screenshots
    cp "$out/appstream-editing.png" resources/screenshots/editing.png
    cp "$out/appstream-answer.png" resources/screenshots/answer.png
    echo "software centre pictures updated"
fi
