#!/usr/bin/env bash
# Runs a command on a private, virtual X server and stops the server after,
# however the command ends. Xvfb picks a free display number itself
# (-displayfd), so this never collides with a running desktop or another run.
#   tools/with-xvfb.sh COMMAND [ARGS...]
set -euo pipefail

if ! command -v Xvfb >/dev/null; then
    echo "with-xvfb: Xvfb is not installed (Debian: apt-get install xvfb)" >&2
    exit 1
fi

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT

# Xvfb writes the display number once it accepts connections.
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-xvfb: Xvfb failed to start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$display_file" ] || { echo "with-xvfb: Xvfb did not report a display" >&2; exit 1; }

export DISPLAY=":$(head -n 1 "$display_file")"
echo "with-xvfb: virtual display $DISPLAY"
"$@"
