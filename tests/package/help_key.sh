#!/usr/bin/env bash
# The unpacked program of the package check finds the manual it came with:
# F1 asks xdg-open (recorded here) to open the package's own first page.
# Run in a display of its own:
#   with_xvfb.sh SIZE help_key.sh ROOT WORK
# ROOT is the unpacked package, WORK a scratch folder.
set -euo pipefail
root=$1
work=$2
trap 'kill "${pid:-}" 2>/dev/null || true' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<SH
#!/bin/sh
echo "\$1" >>"$work/opened"
SH
chmod +x "$work/bin/xdg-open"
# Settings and data of its own: a recovery copy the user's own Zubelo left
# behind would otherwise greet it with a question. In the C locale, so in
# Japanese, with the Japanese manual.
PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP= XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" LC_ALL=C.UTF-8 LANGUAGE= "$root/usr/bin/zubelo" &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Zubelo' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the unpacked program opened no window"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key F1
for _ in $(seq 50); do
    [ -s "$work/opened" ] && break
    sleep 0.1
done
expected="file://$root/usr/share/zubelo/help/ja/index.html"
opened=$(cat "$work/opened" 2>/dev/null || true)
[ "$opened" = "$expected" ] || fail "F1 opened '$opened', expected '$expected'"
