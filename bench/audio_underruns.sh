#!/usr/bin/env bash
# How often the built-in synthesizer's PulseAudio stream runs dry on a busy
# machine, per buffer size. Starts a PulseAudio server with a null sink in a
# private folder and two busy loops, then plays SECONDS of notes
# (bench_audio_underruns) with each candidate buffer PERIODxPERIODS and counts
# the underruns of the Velmora stream that the server logs.
#
# Usage: bench/audio_underruns.sh BUILD [SECONDS=120] [CANDIDATES="512x1 512x4 1024x3 1024x4 2048x4"]
# (BUILD configured with -DVELMORA_BUILD_BENCH=ON)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-120}
candidates=${3:-"512x1 512x4 1024x3 1024x4 2048x4"}
bench=$build/bench/bench_audio_underruns
[ -x "$bench" ] || { echo "no $bench: configure with -DVELMORA_BUILD_BENCH=ON and build it" >&2; exit 1; }

source "$(dirname "$0")/null_sink_server.sh"
start_null_sink_server

for _ in 1 2; do (while :; do :; done) & stop_server_later $!; done
echo "two busy loops on $(nproc) cores, ${seconds} s of play per buffer"
printf '%-10s %10s %10s\n' buffer latency underruns
for candidate in $candidates; do
  period=${candidate%x*}
  periods=${candidate#*x}
  before=$(grep -c -E "nderrun (of|on) 'Velmora'" "$work/pulse.log" || true)
  "$bench" "$period" "$periods" "$seconds" >/dev/null
  after=$(grep -c -E "nderrun (of|on) 'Velmora'" "$work/pulse.log" || true)
  latency=$(awk -v f=$((period * periods)) 'BEGIN { printf "%.1f ms", f * 1000 / 44100 }')
  printf '%-10s %10s %10d\n' "$candidate" "$latency" $((after - before))
done
