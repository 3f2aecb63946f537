#!/usr/bin/env bash
# Measures the real program on a private Xvfb desktop and prints the figures:
#   start-up   time from process start to MainWindow's first paint (median of N), peak memory
#   search     time from a press on a slot label / on "一起搜" to the browser process(es) having
#              started (median of many presses; the stand-in browser does nothing but note the time)
#   idle       CPU share of one core and wake-ups per second over 60 s with clipboard watching on
# Usage: bench/run.sh [start-up runs, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
bash scripts/install-deps.sh bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_TESTS=OFF >/dev/null
cmake --build build/bench --target quarvel >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cc -O2 -o "$tmp/paintwatch" bench/paintwatch.c -lX11
cc -O2 -o "$tmp/clicker" bench/clicker.c -lX11 -lXtst
cc -O2 -DBENCH_LOG="\"$tmp/browser.log\"" -o "$tmp/stampbrowser" bench/stampbrowser.c
g++ -O2 -fPIC -o "$tmp/bare_window" bench/bare_window.cpp $(pkg-config --cflags --libs Qt6Widgets)

exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null)
xvfb=$!
trap 'kill $(jobs -p) "$xvfb" 2>/dev/null || true; rm -rf "$tmp"' EXIT
read -r -u 3 display
export DISPLAY=":$display" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/run" XDG_DATA_DIRS="$tmp/none" XDG_CONFIG_DIRS="$tmp/none"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" "$tmp/none" "$tmp/app"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp build/bench/quarvel "$tmp/app/quarvel"
printf '[Desktop Entry]\nType=Application\nName=Stamp\nExec=%s %%u\n' "$tmp/stampbrowser" >"$XDG_DATA_HOME/applications/stamp.desktop"
printf '[Default Applications]\nx-scheme-handler/http=stamp.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
config() { printf '[system]\r\nTrans=0\r\nOnTop=yes\r\nMonitorClip=%s\r\n' "$1" >"$tmp/app/config.ini"; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# Start-up: the title bar's green at a point clear of its text. A bare Qt window is measured in
# turn with the program, as the floor that this machine gives at the moment.
config no
: >"$tmp/startup"
: >"$tmp/bare"
for _ in $(seq "$runs"); do
  "$tmp/paintwatch" 1740 941 008000 1000 "$tmp/app/quarvel" >>"$tmp/startup"
  "$tmp/paintwatch" 1740 941 008000 1000 "$tmp/bare_window" >>"$tmp/bare"
done
report() {  # name, file
  echo "$1 start-up to first paint: median $(cut -d' ' -f1 "$2" | median) ms over $runs runs" \
    "(min $(cut -d' ' -f1 "$2" | sort -n | head -1), max $(cut -d' ' -f1 "$2" | sort -n | tail -1));" \
    "peak resident memory: median $(cut -d' ' -f2 "$2" | median | awk '{printf "%.1f", $1 / 1000}') MB"
}
report Quarvel "$tmp/startup"
report "bare Qt window" "$tmp/bare"

# Searches: a slot label and "一起搜".
"$tmp/app/quarvel" 2>/dev/null &
pid=$!
sleep 2
"$tmp/clicker" $((1490 + 157)) $((936 + 65)) "$tmp/browser.log" 1 40 >"$tmp/slot"
"$tmp/clicker" $((1490 + 362)) $((936 + 65)) "$tmp/browser.log" 3 40 >"$tmp/all"
echo "slot label press to browser started: median $(median <"$tmp/slot") ms over 40 presses (max $(sort -n "$tmp/slot" | tail -1))"
echo "一起搜 press to three browsers started: median $(median <"$tmp/all") ms over 40 presses (max $(sort -n "$tmp/all" | tail -1))"
kill "$pid"
wait "$pid" 2>/dev/null || true

# Idle with clipboard watching on.
config yes
"$tmp/app/quarvel" 2>/dev/null &
pid=$!
sleep 15  # past the start-up tips
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
switches() { cat /proc/"$pid"/task/*/status | awk '/^(non)?voluntary_ctxt_switches/ {s += $2} END {print s}'; }
t0=$(ticks); s0=$(switches)
sleep 60
t1=$(ticks); s1=$(switches)
hz=$(getconf CLK_TCK)
awk -v t=$((t1 - t0)) -v hz="$hz" -v s=$((s1 - s0)) 'BEGIN {
  printf "idle, watching the clipboard: %.3f %% of one core, %.1f wake-ups per second over 60 s\n", 100 * t / hz / 60, s / 60 }'
kill "$pid"
