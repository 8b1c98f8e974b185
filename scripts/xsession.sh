# Shared by the screenshot scripts, which source it after `cd` to the
# repository: running in a virtual X display, starting the program and
# finding its windows, and taking pictures of them.

# in_xvfb SCRIPT TOOL... -- ARGS...: unless already inside one, checks that
# the tools are there and runs SCRIPT again with ARGS in a virtual display.
in_xvfb() {
    [ -n "${ZUBELO_IN_XVFB:-}" ] && return 0
    local script=$1 tool
    shift
    while [ "$1" != "--" ]; do
        command -v "$1" >/dev/null || { echo "missing: $1 (see the comment at the top of $script)"; exit 1; }
        shift
    done
    shift
    ZUBELO_IN_XVFB=1 exec scripts/with_xvfb.sh 1280x1024x24 "$script" "$@"
}

program=$(realpath "${ZUBELO_PROGRAM:-build/app/zubelo}")
export QT_QPA_PLATFORM=xcb

# start_zubelo TITLE [ARGS...]: starts the program with ARGS, waits for its
# visible window whose name matches TITLE; sets zubelo_pid and found.
start_zubelo() {
    "$program" "${@:2}" &
    zubelo_pid=$!
    found=""
    for _ in $(seq 50); do
        found=$(xdotool search --onlyvisible --pid "$zubelo_pid" --name "$1" 2>/dev/null | tail -1) && [ -n "$found" ] && break
        sleep 0.2
    done
    [ -n "$found" ] || { echo "Zubelo did not open a window '$1'"; exit 1; }
}

# window_shot WINDOW NAME: that window alone, as $out/NAME.png.
window_shot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2.png"
}

# dialog_shot TITLE NAME: the visible dialog with that title, if there is one.
dialog_shot() {
    local dialog
    dialog=$(xdotool search --onlyvisible --name "$1" | tail -1 || true)
    [ -n "$dialog" ] || { echo "no dialog '$1'" >&2; return 0; }
    window_shot "$dialog" "$2"
}
