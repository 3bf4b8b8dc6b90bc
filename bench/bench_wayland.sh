#!/bin/bash
# Capture and paste-back of the real binary on a headless sway, next to the same figures on
# X11 when their benchmarks are given:
#   bench/bench_wayland.sh build/src/varu build/bench/bench_wayland_probe \
#       [build/bench/bench_capture build/bench/bench_paste_hotkey]
# Capture: from setting the clipboard (data control, from the probe) to the committed row, less
# the 0.3 s quiet period (the monitor's poll wait is included, as in bench_capture). Paste: from
# wtype pressing Return in the strip (its own start-up printed apart) to the text arriving in
# foot running cat; the strip's slide-out and the shell's 50 ms pause before the keystroke are
# included. VARU_BENCH_RUNS sets the number of runs (20).
set -u
varu=$1 probe=$2; shift 2
runs=${VARU_BENCH_RUNS:-20}
if [ -z "${VARU_BENCH_CHILD:-}" ]; then
    for x11 in "$@"; do
        echo "== X11 (Xvfb): $(basename "$x11")"
        VARU_BENCH_RUNS=$runs "$x11"
    done
    export VARU_BENCH_CHILD=1
fi
lib=$(dirname "$0")/sway_session.sh
[ -f "$lib" ] || lib=$(dirname "$0")/../tests/e2e/wayland/sway_session.sh
. "$lib"
as_sway_user "$0" "$varu" "$probe"

start_sway
start_foot || { echo "foot never had the focus"; exit 1; }
start_varu "$varu" || { echo "varu did not start"; exit 1; }
focus foot

echo "== sway $(sway --version | awk '{print $3}') (headless)"
"$probe" "$db" "$root/typed.txt" "$varu"
