#!/usr/bin/env bash
# Takes screenshots of the real program in English, in a virtual X display:
# the main window through a session (drawing, a finished maze), each menu and
# submenu, the size, About, seed and export dialogs; then switches to Japanese
# in the View menu and takes the window and a menu again.
#   scripts/language_screenshots.sh [output folder]   (default: shots-language/)
# Needs a build (scripts/build.sh) and xvfb, xdotool, imagemagick.
set -euo pipefail
[ -n "${ZUBELO_TRACE:-}" ] && set -x
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots-language}")
mkdir -p "$out"

# shellcheck source=xsession.sh
. scripts/xsession.sh
in_xvfb "$0" Xvfb xdotool import -- "$out"
# Settings and data of its own, so that the language follows the system
# (English here) and nothing is left in the user's settings, nor a recovery
# copy of the unsaved maze when the program is ended.
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

shot_menu() { # name: the window and the menus that open right of it and below it
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "$((WIDTH + 420))x$((HEIGHT + 120))+${X}+${Y}" +repage "$out/$1.png"
}
shot() { # name: the window only
    sleep 0.5
    window_shot "$window" "$1"
}
dialog() { # title name: the dialog with that title, once it has opened
    sleep 0.7
    dialog_shot "$@"
}
key() { # keys to the main window
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 40 "$@"
    sleep 0.2
}
answer() { # keys to whatever has the focus (a menu, a dialog)
    sleep 0.4
    xdotool key --delay 40 "$@"
    sleep 0.3
}

shot en-start
key Right Right Right Right Right Down Down Down Down Down
shot en-drawing
for _ in $(seq 36); do key Right; done
shot en-complete
key F5
shot en-maze

# Each menu, and the submenus.
key alt+f; shot_menu en-menu-file; answer Escape Escape
key alt+e; shot_menu en-menu-edit; answer Escape Escape
key alt+m; shot_menu en-menu-maze; answer s; shot_menu en-menu-maze-style; answer Escape Escape Escape
key alt+v; shot_menu en-menu-view; answer l; shot_menu en-menu-view-language; answer Escape Escape Escape
key alt+h; shot_menu en-menu-help; answer Escape Escape

# The dialogs: New asks first about the unsaved maze (No), then the size
# (Escape: nothing changes).
key ctrl+n
dialog 'Warning' en-question
answer n
dialog 'New Maze' en-newdialog
answer Escape
key alt+h; answer a
dialog 'Zubelo - About' en-about
answer Escape
key alt+m; answer e
dialog 'Seed' en-seeddialog
answer Escape
key ctrl+e
dialog 'Export' en-exportdialog
answer Escape

# Back to Japanese in the View menu: the same window, every text Japanese.
key alt+v; answer l; answer j
shot ja-maze
key alt+v; shot_menu ja-menu-view; answer Escape Escape
echo "screenshots in $out"
