#!/usr/bin/env bash
# The route dialog and what it makes, in the real program in a virtual X
# display, in Japanese and in English, driven with the keyboard:
#   scripts/route_screenshots.sh [output folder] [--manual]   (default: shots-route/)
# For each language: the dialog (Maze → 答えの道を自動で作る..., length Long),
# the route it draws, and the maze F5 makes around it. With --manual the
# Japanese dialog and maze go to the manual's pictures.
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots-route}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import -- "$out" "${2:-}"
unset LC_ALL LC_MESSAGES LANGUAGE
cleanup() {
    kill "${zubelo_pid:-}" 2>/dev/null || true
    rm -rf "${XDG_CONFIG_HOME:-}" "${XDG_DATA_HOME:-}"
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

# prefix LANG title: one session in that language.
session() {
    # Settings and data of its own: the language follows LANG, nothing is
    # left behind, and no recovery copy of an earlier run asks a question.
    XDG_CONFIG_HOME=$(mktemp -d)
    XDG_DATA_HOME=$(mktemp -d)
    export XDG_CONFIG_HOME XDG_DATA_HOME
    LANG=$2 start_zubelo 'Zubelo'
    window=$found
    sleep 1
    # The route command is the Maze menu's last item.
    key alt+m
    answer Up Return
    sleep 1
    # Length: from Medium one down to Long.
    answer Tab Down
    dialog_shot "$3" "$1route_dialog"
    answer Return
    sleep 0.5
    window_shot "$window" "$1route_path"
    key F5
    sleep 0.5
    window_shot "$window" "$1route_maze"
    kill "$zubelo_pid"
    wait "$zubelo_pid" 2>/dev/null || true
    rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}

session "" C.UTF-8 '答えの道を自動で作る'
session en- en_US.UTF-8 'Make an Answer Route'

echo "screenshots in $out: route_dialog route_path route_maze, and en-route_* in English"
if [ "${2:-}" = --manual ]; then
    cp "$out/route_dialog.png" resources/help/images/route_dialog.png
    cp "$out/route_maze.png" resources/help/images/route_maze.png
    echo "manual pictures updated"
fi
