#!/usr/bin/env bash
# The clipboard between the real window and another X client: on an X server of this script's own
# (Xvfb), xclip puts lines on the clipboard that the window pastes, then reads back the schedule
# that the window copies.
#
#   clipboard_x11.sh PATH/TO/clipboard_x11_client
#
# Exits 0 when both ways work, 1 on a failure, 77 (skipped) when Xvfb or xclip is not installed.
set -euo pipefail

client=${1:?usage: clipboard_x11.sh PATH/TO/clipboard_x11_client}

skip() {
    echo "SKIPPED: $*"
    exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is missing: scripts/setup.sh installs xvfb"
command -v xclip >/dev/null || skip "xclip is missing: scripts/setup.sh installs xclip"

dir=$(mktemp -d)
pid=
finish() {
    local status=$?
    # The server's end also ends the xclip that still holds the clipboard.
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

fail() {
    echo "FAILED: $*"
    exit 1
}

# The server picks a free display itself and names it once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
pid=$!
until [ -s "$dir/display" ]; do
    kill -0 "$pid" 2>/dev/null || fail "Xvfb stopped: $(cat "$dir/log")"
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$dir/display")"

# A spreadsheet's column: the first field of each line goes into the grid.
pasted=$(printf '250\tnote\n1e3\n\nn/a')
printf '%s\n' "$pasted" | xclip -selection clipboard -i
# xclip keeps the clipboard from a process of its own; wait until it answers.
for _ in $(seq 100); do
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$pasted" ] && break
    sleep 0.1
done
[ "$(xclip -o -selection clipboard)" = "$pasted" ] || fail "xclip does not hold the clipboard"

QT_QPA_PLATFORM=xcb "$client" "$pasted" || fail "the window and xclip disagree"
echo "PASSED: xclip's text pasted into the grid, the copied schedule read by xclip"
