# Sourced by the audio benchmarks: start_null_sink_server starts a PulseAudio
# server with a null sink in a private folder, logging at debug level to
# $work/pulse.log, and points PULSE_SERVER at it; what it started is ended and
# the folder removed when the script exits. stop_server_later PID adds a
# process (a server, a busy loop) to end then.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
stop_server_later() { pids+=("$1"); }

start_null_sink_server() {
  export HOME=$work XDG_RUNTIME_DIR=$work PULSE_SERVER=unix:$work/pulse.socket JACK_NO_START_SERVER=1
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit -vvvv \
    -L module-null-sink -L "module-native-protocol-unix socket=$work/pulse.socket" 2>"$work/pulse.log" &
  stop_server_later $!
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "the PulseAudio server did not start" >&2
  exit 1
}
