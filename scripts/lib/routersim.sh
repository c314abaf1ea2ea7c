# Shell functions for the scripts that run the router simulator beside the
# box simulator (demo, screenshots).  Source it from the repository's root,
# after the host flavour is built.

# start_routersim FOLDER [ROUTERSIM OPTION...]: starts routersim on a free
# port, its output in FOLDER/routersim.out and .err, and waits until it
# listens.  Sets router_pid and router_port; exits the script with a message
# when it does not start.
start_routersim() {
  folder=$1
  shift
  : >"$folder/routersim.out"
  build/host/tools/routersim/routersim --port 0 "$@" >"$folder/routersim.out" \
    2>"$folder/routersim.err" &
  router_pid=$!
  router_port=""
  tries=0
  # routersim prints "port N" once it listens.
  while :; do
    router_port=$(sed -n 's/^port \([0-9][0-9]*\)$/\1/p' "$folder/routersim.out")
    [ -n "$router_port" ] && return 0
    if ! kill -0 "$router_pid" 2>/dev/null || [ "$tries" -ge 100 ]; then
      echo "$0: the router simulator did not start:" >&2
      cat "$folder/routersim.err" >&2
      exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
  done
}

# stop_routersim: ends the router simulator started above, if it runs.
stop_routersim() {
  if [ -n "${router_pid:-}" ]; then
    kill -TERM "$router_pid" 2>/dev/null || true
    wait "$router_pid" 2>/dev/null || true
    router_pid=""
  fi
}
