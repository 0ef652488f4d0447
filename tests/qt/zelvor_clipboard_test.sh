#!/usr/bin/env bash
# Rezi Zovidaraz in the real program on a real X server (run by
# run_under_xvfb.sh): clip files written by another program load at start,
# a text and a PNG picture set by xclip become rows, a text offered with the
# password manager's hint does not, putting an entry back makes xclip read
# it, and the history is in the clip files after "Salir".
# Arguments: the zelvor and zelvorctl programs, and the test's clipboard owner.
set -u
zelvor=$1 zelvorctl=$2 owner=$3
. "$(dirname "$0")/zelvor_script.sh"
clips=$XDG_DATA_HOME/zelvor/clips
show_clips() { echo "--- status:"; "$zelvorctl" status 2>&1 | grep -P '^clip'; }
on_fail=show_clips
wait_for() { status_has "$1" || fail "no status line matches $1"; }
# One record of a clip file: format number, size, bytes (a text and its NUL).
record() {
  local size=$(($(printf '%s' "$2" | wc -c) + 1))
  le32 "$1"; le32 "$size"
  printf '%s\0' "$2"
}

# Saving on: set while the program runs, so that the first start's defaults come first.
start
"$zelvorctl" reg set ReziZovidaraz SalvarPortapapeles --sz 1 || fail "reg set failed"
stop

# Clip files of another program, in the documented layout.
mkdir -p "$clips"
record 1 "de otro programa" >"$clips/clip000.dat"
{ record 1 "con dos formatos"; record 7 "oem"; } >"$clips/clip001.dat"
start
wait_for '^clipwatch\ton$'
wait_for '^clip\t0\tTexto\tde otro programa$'
wait_for '^clip\t1\tTexto\tcon dos formatos$'
echo "clip files loaded"

printf 'texto de xclip' | xclip -selection clipboard -i
wait_for '^clip\t2\tTexto\ttexto de xclip$'
convert -size 8x8 xc:red "png:$work/red.png" || fail "no picture made"
xclip -selection clipboard -t image/png -i "$work/red.png"
wait_for '^clip\t3\tImagen\tImagen$'
echo "text and picture recorded"

"$owner" secret "contraseña secreta" >"$work/owner.out" &
owner_pid=$!
for _ in $(seq 50); do grep -q owned "$work/owner.out" && break; sleep 0.1; done
# A later change shows that the secret one was handled already.
sleep 0.5
printf 'después' | xclip -selection clipboard -i
wait_for '^clip\t4\tTexto\tdespués$'
kill "$owner_pid" 2>/dev/null
grep -q "contraseña" "$work/status" && fail "the secret text entered the history"
echo "secret text kept out"

# "Seleccionar portapapeles": command 50 + row puts the entry back without a new row.
"$zelvorctl" command 8 52 || fail "command failed"
for _ in $(seq 50); do [ "$(xclip -selection clipboard -o 2>/dev/null)" = "texto de xclip" ] && break; sleep 0.1; done
[ "$(xclip -selection clipboard -o)" = "texto de xclip" ] || fail "xclip -o printed $(xclip -selection clipboard -o)"
"$zelvorctl" command 8 53 || fail "command failed"
for _ in $(seq 50); do xclip -selection clipboard -o -t image/png >"$work/back.png" 2>/dev/null && cmp -s "$work/back.png" "$work/red.png" && break; sleep 0.1; done
cmp -s "$work/back.png" "$work/red.png" || fail "the picture put back differs"
"$zelvorctl" status >"$work/status"
[ "$(grep -cP '^clip\t' "$work/status")" -eq 5 ] || fail "putting back added a row"
echo "entries put back"

stop
[ -f "$clips/clip004.dat" ] || fail "clip004.dat was not written"
[ -f "$clips/clip005.dat" ] && fail "an extra clip file was written"
grep -rq "contraseña" "$clips" && fail "the secret text reached a clip file"
grep -q "texto de xclip" "$clips/clip002.dat" || fail "clip002.dat lacks its text"
rm -rf "$work"
echo "passed"
