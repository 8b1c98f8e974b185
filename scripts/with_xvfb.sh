#!/usr/bin/env bash
# Runs a command in a virtual X display of its own:
#   with_xvfb.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGS...]
# Xvfb picks a free display number itself (-displayfd), so two of these
# started at the same moment never share a display; and the server is waited
# for on the way out, so the next one never meets a display that is still
# going away. The command's exit status is this script's.
set -euo pipefail
screen=$1
shift
command -v Xvfb >/dev/null || { echo "Xvfb missing: run scripts/deps.sh test" >&2; exit 1; }
dir=$(mktemp -d)
server=""
stop_server() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 143' TERM INT HUP
mkfifo "$dir/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 "$screen" 3>"$dir/display" 2>"$dir/log" &
server=$!
if ! read -r number <"$dir/display"; then
    cat "$dir/log" >&2
    echo "Xvfb did not start" >&2
    exit 1
fi
status=0
DISPLAY=:$number "$@" || status=$?
exit "$status"
