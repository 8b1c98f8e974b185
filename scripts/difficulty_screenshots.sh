#!/usr/bin/env bash
# Takes screenshots of choosing a maze by difficulty in the real program, in
# a virtual X display: the figures panel after Make Maze, the Maze menu, the
# choose-by-difficulty dialog, the window after a choice and the export
# dialog with its difficulty option; in English, then again in Japanese.
#   scripts/difficulty_screenshots.sh [output folder]   (default: shots-difficulty/)
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots-difficulty}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import -- "$out"
# Settings and data of their own: the language follows the system (English
# here), and nothing is left behind.
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
export XDG_CONFIG_HOME XDG_DATA_HOME
unset LC_ALL LC_MESSAGES LANGUAGE
cleanup() {
    kill "${zubelo_pid:-}" 2>/dev/null || true
    rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}
trap cleanup EXIT

LANG=en_US.UTF-8 start_zubelo 'Zubelo'
window=$found
sleep 1

shot() { sleep 0.6; window_shot "$window" "$1"; }
shot_menu() {
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "$((WIDTH + 420))x$((HEIGHT + 120))+${X}+${Y}" +repage "$out/$1.png"
}
key() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key --delay 40 "$@"; sleep 0.2; }
answer() { sleep 0.4; xdotool key --delay 40 "$@"; sleep 0.3; }
# The program's visible window other than the main one: the open dialog.
dialog() {
    sleep 0.8
    local id
    for id in $(xdotool search --onlyvisible --pid "$zubelo_pid" 2>/dev/null); do
        [ "$id" != "$window" ] && window_shot "$id" "$1" && return 0
    done
    echo "no dialog for $1" >&2
}

# A path across the board, and a maze around it.
key Right Right Right Right Right Down Down Down Down Down
for _ in $(seq 36); do key Right; done
key F5
# Wider, so that the figures panel shows all of its text.
for _ in $(seq 9); do key f; done

take() { # language: the panel, the menu, the dialog, a hard maze chosen, the export dialog
    shot "$1-panel"
    key alt+m; shot_menu "$1-menu-maze"; answer Escape Escape
    key alt+m; answer q
    dialog "$1-dialog"
    answer Down Return
    shot "$1-chosen"
    key ctrl+e; dialog "$1-exportdialog"; answer Escape
}
take en
# The same window in Japanese, from the View menu.
key alt+v; answer l; answer j
take ja
echo "screenshots in $out"
