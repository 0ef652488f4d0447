# Sourced by the scripts that drive the real program under Xvfb (after they
# set zelvor and zelvorctl): a private home for the run, and the steps every
# such script takes. fail() ends the script; a script may set on_fail to a
# command that prints more of what it saw.
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
pid=
on_fail=
fail() {
  echo "FAIL: $*"
  [ -n "$on_fail" ] && $on_fail
  echo "--- zelvor stderr:"; cat "$work/err" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
  exit 1
}
# Waits (bounded) until a line of zelvorctl status matches the pattern (grep -P).
status_has() {
  for _ in $(seq 100); do
    "$zelvorctl" status >"$work/status" 2>/dev/null && grep -qP "$1" "$work/status" && return 0
    sleep 0.1
  done
  return 1
}
# The X window with this name; retried, since a search fails when another
# window goes away while it looks.
window_named() {
  local w
  for _ in $(seq 50); do
    w=$(xdotool search --name "$1" 2>/dev/null | head -n1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
# Starts the program and waits until it answers with its icons.
start() {
  "$zelvor" >"$work/out" 2>>"$work/err" &
  pid=$!
  status_has '^icon\t1\t' || fail "zelvor did not start"
}
# Ends it with "zelvorctl quit" and checks that it exits cleanly.
stop() {
  "$zelvorctl" quit >/dev/null || fail "zelvorctl quit failed"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "zelvor did not end after quit"
  wait "$pid" || fail "zelvor exited with $?"
  pid=
}
# Writes a 32-bit integer as the suite's data files hold it (little-endian;
# a negative one in two's complement).
le32() {
  local v=$(($1 & 0xFFFFFFFF))
  printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))"
  printf "\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"
}
