#!/usr/bin/env bash
# Starts glut-alap on a virtual X server, lets it draw its first frames,
# saves a picture of its window and ends it again.
#   tools/screenshot.sh BINARY OUTPUT.png [TOOLKIT OPTIONS...]
set -euo pipefail

binary=$1
output=$2
shift 2

here=$(cd "$(dirname "$0")" && pwd)
exec "$here/with-xvfb.sh" bash -c '
    set -euo pipefail
    binary=$1 output=$2
    shift 2
    "$binary" "$@" >/dev/null &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^GLUT Alap\$" | head -n 1)
    sleep 1   # a few ticks: the first frames are on screen
    import -window "$window" "$output"
    echo "Screenshot of the running program saved to $output"
' screenshot "$binary" "$output" "$@"
