#!/usr/bin/env bash
# Runs the benchmark on a private virtual display and draws the frame-period
# chart. Results go to BUILD_DIR/bench/: results.md, results.csv and
# frame-period.png.
#   tools/bench.sh BUILD_DIR [RUNS] [SECONDS]
set -euo pipefail
build=$(realpath "$1")
runs=${2:-3}
seconds=${3:-3}
out="$build/bench"
here=$(cd "$(dirname "$0")" && pwd)

echo "Benchmark: $runs runs of 3 cases x $seconds s, interleaved; Mesa $(glxinfo -B 2>/dev/null | grep -o 'Mesa [0-9.]*' | head -n 1)"
"$here/with-xvfb.sh" "$out/bench" "$build/glut-alap" "$out/bench-floor" "$out/libbench-frame-probe.so" \
    "$out" "$runs" "$seconds"

gnuplot <<GNUPLOT
set terminal pngcairo size 900,500 font ",10"
set output "$out/frame-period.png"
set title "Frame period over one run (Xvfb, Mesa llvmpipe)"
set xlabel "time since start (s)"
set ylabel "frame period (ms)"
set logscale y
set yrange [2:200]
set key outside right
plot "$out/periods-glut-alap-50-ms.dat" with linespoints pt 7 ps 0.4 title "glut-alap, 50 ms tick", \
     "$out/periods-floor-50-ms.dat" with linespoints pt 6 ps 0.4 title "floor, 50 ms tick", \
     "$out/periods-glut-alap-5-ms.dat" with linespoints pt 7 ps 0.3 title "glut-alap, 5 ms tick", \
     "$out/periods-floor-5-ms.dat" with linespoints pt 6 ps 0.3 title "floor, 5 ms tick"
GNUPLOT
echo "Chart: $out/frame-period.png"
