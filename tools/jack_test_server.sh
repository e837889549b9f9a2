#!/usr/bin/env bash
# Starts or stops a private JACK server with the dummy driver, for tests that need real MIDI and
# audio ports on a machine without a sound card.
#
#   JACK_DEFAULT_SERVER=name tools/jack_test_server.sh start|stop STATE_DIR
#
# The server runs under the name in JACK_DEFAULT_SERVER, so parallel runs do not meet; its PID
# and log are kept in STATE_DIR. "start" returns once the server accepts clients. When jackd is
# not installed, "start" says so and succeeds: the tests then skip, naming the reason.
set -u

action=${1:-}
state_dir=${2:-}
if [ -z "$action" ] || [ -z "$state_dir" ] || [ -z "${JACK_DEFAULT_SERVER:-}" ]; then
  echo "usage: JACK_DEFAULT_SERVER=name $0 start|stop STATE_DIR" >&2
  exit 2
fi
pid_file="$state_dir/jackd.pid"
log_file="$state_dir/jackd.log"

stop_server() {
  [ -f "$pid_file" ] || return 0
  local pid
  pid=$(cat "$pid_file")
  rm -f "$pid_file"
  kill -0 "$pid" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  return 0
}

case "$action" in
  start)
    if ! command -v jackd >/dev/null || ! command -v jack_wait >/dev/null; then
      echo "jack_test_server: jackd is not installed; the JACK tests will skip"
      exit 0
    fi
    mkdir -p "$state_dir"
    stop_server  # a server left behind by an interrupted run
    # setsid and the redirections detach the server from the test runner's pipes, which the
    # runner would otherwise wait on.
    setsid jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 \
      >"$log_file" 2>&1 </dev/null &
    echo $! >"$pid_file"
    if ! jack_wait -s "$JACK_DEFAULT_SERVER" -w -t 10 >/dev/null 2>&1; then
      echo "jack_test_server: server '$JACK_DEFAULT_SERVER' did not start; its log:" >&2
      cat "$log_file" >&2
      stop_server
      exit 1
    fi
    if ! kill -0 "$(cat "$pid_file")" 2>/dev/null; then
      echo "jack_test_server: jackd exited at once (another server named" \
        "'$JACK_DEFAULT_SERVER' still running?); its log:" >&2
      cat "$log_file" >&2
      rm -f "$pid_file"
      exit 1
    fi
    echo "jack_test_server: server '$JACK_DEFAULT_SERVER' running, PID $(cat "$pid_file")"
    ;;
  stop)
    stop_server
    # Semaphores of clients that died with their process outlive the server and would be taken
    # over by the next run's clients of the same name.
    rm -f "/dev/shm/jack_sem.$(id -u)_${JACK_DEFAULT_SERVER}_"*
    ;;
  *)
    echo "usage: JACK_DEFAULT_SERVER=name $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
