#!/usr/bin/env bash
# Mazes in a shape, in the real program in a virtual X display, driven with
# the keyboard and the mouse as a user would:
#   scripts/shape_screenshots.sh [output folder] [--manual]   (default: shots-shape/)
# A heart with a room in the middle chosen in Maze → 形 → 形を選ぶ..., a path
# drawn from the border into the room, the shape mode painting cells out
# (the path's cell stays, and a stroke that cuts the heart in two shows the
# cells that would fall away), the maze made in the heart; then a picture
# loaded as the underlay and the shape traced from it. With --manual the
# shape mode picture goes to the manual's pictures.
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick, python3-pil.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots-shape}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import /usr/bin/python3 -- "$out" "${2:-}"
python=/usr/bin/python3  # Debian's, with python3-pil
unset LC_ALL LC_MESSAGES LANGUAGE
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
export XDG_CONFIG_HOME XDG_DATA_HOME
cleanup() {
    kill "${zubelo_pid:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}
trap cleanup EXIT

key() { # keys to the main window
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 40 "$@"
    sleep 0.3
}
answer() { # keys to whatever has the focus (a menu, a dialog)
    sleep 0.5
    xdotool key --delay 60 "$@"
    sleep 0.4
}
window_png() { # the main window's pixels, as PNG on standard output
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage png:-
}

LANG=C.UTF-8 start_zubelo 'Zubelo'
window=$found
sleep 1
g=10 # the cell size of the board a new window shows (40 x 40 cells)

# Where the picture starts inside the window: the first silver pixel.
read -r ox oy < <(window_png | "$python" -c '
import sys, io
from PIL import Image
img = Image.open(io.BytesIO(sys.stdin.buffer.read())).convert("RGB")
for y in range(img.size[1]):
    if img.getpixel((2, y)) == (192, 192, 192):
        print(0, y); break
')
at() { # column row: the pointer over the middle of that cell
    xdotool mousemove --window "$window" $((ox + g + $1 * g + g / 2)) $((oy + g + $2 * g + g / 2))
}
drag() { # button column row ...: a stroke through those cells
    local button=$1
    shift
    at "$1" "$2"
    xdotool mousedown "$button"
    shift 2
    while [ $# -ge 2 ]; do
        sleep 0.1
        at "$1" "$2"
        shift 2
    done
    sleep 0.1
    xdotool mouseup "$button"
    sleep 0.3
}
first_inside() { # row: the first column of the row that belongs to the maze
    window_png | "$python" -c '
import sys, io
from PIL import Image
ox, oy, g, row = (int(v) for v in sys.argv[1:])
img = Image.open(io.BytesIO(sys.stdin.buffer.read())).convert("RGB")
for c in range(40):
    if img.getpixel((ox + g + c * g + g // 2, oy + g + row * g + g // 2)) == (255, 255, 255):
        print(c); break
' "$ox" "$oy" "$g" "$1"
}

# Maze → 形(&P) → 形を選ぶ(&C)...: the heart (one down from the circle),
# a room of 4 x 4 cells in the middle.
key alt+m
answer p c
sleep 0.5
answer Down Tab ctrl+a 4
dialog_shot '形を選ぶ' shape_dialog
answer Return
sleep 0.5

# From the border left of row 19 straight into the room (columns 18 ... 21).
first=$(first_inside 19)
at $((first - 1)) 19
xdotool click 1
sleep 0.2
for _ in $(seq $((first - 1)) 17); do key Right; done
window_shot "$window" shape_path

# The shape mode (Maze → 形を編集する(&H)): a stroke down column 8 across
# the path, which keeps its cell, and one that paints a notch back in.
key alt+m
answer h
drag 1 8 14 8 24
drag 1 30 8 34 8
drag 3 32 8 33 8
window_shot "$window" shape_mode
# A stroke across the heart above its tip: the tip would fall away, shown
# red while the question waits; Escape takes the stroke back.
drag 1 0 31 39 31
sleep 0.5
xdotool search --onlyvisible --name 'Zubelo' >/dev/null
import -window root -crop "$(eval "$(xdotool getwindowgeometry --shell "$window")"; echo "$((WIDTH + 340))x$((HEIGHT + 40))+${X}+${Y}")" +repage "$out/shape_cutoff.png"
answer Escape
key alt+m
answer h

# The maze in the heart.
key F5
sleep 0.5
window_shot "$window" shape_maze

# A picture as the underlay, and the shape traced from it: a red cat's head
# (dark enough to be ink at the default threshold), its eyes light.
"$python" - "$out/cat.png" <<'PY'
import sys
from PIL import Image, ImageDraw
img = Image.new("RGB", (800, 800), (255, 255, 255))
d = ImageDraw.Draw(img)
d.polygon([(120, 330), (170, 60), (360, 220)], fill=(200, 60, 60))
d.polygon([(680, 330), (630, 60), (440, 220)], fill=(200, 60, 60))
d.ellipse((90, 170, 710, 740), fill=(200, 60, 60))
d.ellipse((240, 360, 340, 460), fill=(250, 220, 90))
d.ellipse((460, 360, 560, 460), fill=(250, 220, 90))
d.polygon([(370, 520), (430, 520), (400, 560)], fill=(240, 150, 160))
img.save(sys.argv[1])
PY
key alt+v
answer i
answer ctrl+a
xdotool type --delay 20 "$out/cat.png"
answer Return
sleep 0.5
key alt+m
answer p u
sleep 0.5
dialog_shot '下絵から形を作る' shape_from_underlay_dialog
answer Return
# The traced shape would cut the drawn path: erase it (the default answer).
answer Return
sleep 0.5
window_shot "$window" shape_traced

echo "screenshots in $out: shape_dialog shape_path shape_mode shape_cutoff shape_maze shape_from_underlay_dialog shape_traced"
if [ "${2:-}" = --manual ]; then
    cp "$out/shape_mode.png" resources/help/images/shape_mode.png
    echo "manual picture updated"
fi
