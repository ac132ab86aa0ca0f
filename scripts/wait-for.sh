# Sourced: wait_for SECONDS COMMAND...   true once COMMAND succeeds (its output hidden), tried
# every tenth of a second; false when SECONDS pass first.
wait_for() {
  local tries=$(($1 * 10))
  shift
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.1
  done
}
