#!/usr/bin/env bash
# Key-to-sound delay of play as you type, per buffer choice: starts a
# PulseAudio server with a null sink in a private folder and runs
# bench_key_to_sound for each buffer.
#
# Usage: bench/key_to_sound.sh BUILD [KEYS=150]   (BUILD configured with -DVELMORA_BUILD_BENCH=ON)
set -euo pipefail
build=$(cd "$1" && pwd)
keys=${2:-150}
bench=$build/bench/bench_key_to_sound
[ -x "$bench" ] || { echo "no $bench: configure with -DVELMORA_BUILD_BENCH=ON and build it" >&2; exit 1; }
here=$(dirname "$0")
source "$here/null_sink_server.sh"
start_null_sink_server
for buffer in low standard safe; do "$bench" "$buffer" "$keys"; done
