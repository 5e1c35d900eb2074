#!/usr/bin/env bash
# Makes the project's pictures from the real program on a virtual display:
#   docs/screenshot.png   the window at start
#   docs/glut-alap.gif    two seconds of the turning rotor and a few arrow presses
#   data/glut-alap.png    the 64x64 application icon
#   tools/make-pictures.sh BINARY
set -euo pipefail

binary=$(realpath "$1")
cd "$(dirname "$0")/.."
convert=/usr/bin/convert   # ImageMagick's, by full path: a PATH entry may shadow it

exec tools/with-xvfb.sh bash -c '
    set -euo pipefail
    binary=$1 convert=$2
    "$binary" >/dev/null &
    pid=$!
    frames=$(mktemp -d)
    trap "kill $pid 2>/dev/null || true; rm -rf $frames" EXIT
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^GLUT Alap\$" | head -n 1)
    xdotool mousemove --window "$window" 150 150
    sleep 0.5

    import -window "$window" docs/screenshot.png
    "$convert" docs/screenshot.png -resize 64x64 data/glut-alap.png

    # 40 frames, 50 ms apart: the rotor turns, then the view turns right and up.
    for i in $(seq -w 1 40); do
        case $i in 16|18|20|22) xdotool key Right Right Right ;; 28|30|32) xdotool key Up Up Up ;; esac
        import -window "$window" "$frames/$i.png"
        sleep 0.03
    done
    "$convert" -delay 5 -loop 0 "$frames"/*.png -layers Optimize docs/glut-alap.gif
    echo "Saved docs/screenshot.png, docs/glut-alap.gif and data/glut-alap.png"
' pictures "$binary" "$convert"
