#!/usr/bin/env bash
# Duvu Zevad in the real program on a real X server (run by
# run_under_xvfb.sh): "zelvorctl command 9 1" makes a note window; SIGTERM
# saves it; a notes.dat written here in the file's own layout (two notes,
# one collapsed, one with a font) loads and shows both, the collapsed one
# as a title bar only.
# Arguments: the zelvor and zelvorctl programs.
set -u
zelvor=$1 zelvorctl=$2
. "$(dirname "$0")/zelvor_script.sh"
data=$XDG_DATA_HOME/zelvor
show_status() { echo "--- status:"; cat "$work/status" 2>/dev/null; }
on_fail=show_status
# Ends the program with SIGTERM, which chooses "Salir" and so saves.
terminate() {
  kill -TERM "$pid"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "zelvor did not end on SIGTERM"
  wait "$pid" || fail "zelvor exited with $? on SIGTERM"
  pid=
}

# Fields of the notes file (le32 comes with zelvor_script.sh).
zeros() { head -c "$1" /dev/zero; }
field() { printf '%s' "$1"; zeros $(($2 - ${#1})); }  # ASCII text, zero-filled
# entry TITLE BACKGROUND COLLAPSED FACE HEIGHT WEIGHT LEFT TOP RIGHT BOTTOM TEXT
entry() {
  le32 0; le32 0; le32 "$2"; le32 0
  if [ -n "$4" ]; then
    le32 "$5"; le32 0; le32 0; le32 0; le32 "$6"
    printf '\x01\x00\x00\x01\x00\x00\x00\x00'  # italic, DEFAULT_CHARSET
    field "$4" 32
  else
    zeros 60
  fi
  le32 "$7"; le32 "$8"; le32 "$9"; le32 "${10}"
  le32 1; field "$1" 60; le32 0; le32 1; le32 "$3"; zeros 8; zeros 296
  le32 $((${#11} + 1)); printf '%s' "${11}"; zeros 1
}

# 1. A note from the command line, saved by SIGTERM.
start
"$zelvorctl" command 9 1 >/dev/null || fail "zelvorctl command 9 1 failed"
status_has '^note\t0\tNota 1\topen$' || fail "no open note after command 9 1"
status_has '^window\tCNote\tNota 1\tvisible$' || fail "no visible note window"
window_named '^Nota 1$' >/dev/null || fail "no X window named Nota 1"
terminate
[ -s "$data/notes.dat" ] || fail "SIGTERM did not save notes.dat"
[ "$(head -c 476 "$data/notes.dat" | tail -c +97 | head -c 6)" = "Nota 1" ] || fail "notes.dat holds no Nota 1"
echo "note made and saved"

# 2. Two notes written by another program: a collapsed one and one with a font.
{
  entry "Compra" $((0x80FFFF)) 1 "" 0 0 60 80 300 330 "leche"
  entry "Ideas" $((0xFFC0C0)) 0 "DejaVu Serif" -21 700 420 120 720 420 "Una idea
en dos lineas"
} >"$data/notes.dat"
[ "$(stat -c %s "$data/notes.dat")" -eq $((476 + 6 + 476 + 23)) ] || fail "the test wrote a wrong file"
start
status_has '^note\t0\tCompra\topen$' || fail "the collapsed note is not open"
status_has '^note\t1\tIdeas\topen$' || fail "the note with a font is not open"
compra=$(window_named '^Compra$')
ideas=$(window_named '^Ideas$')
[ -n "$compra" ] && [ -n "$ideas" ] || fail "the notes have no X windows"
eval "$(xdotool getwindowgeometry --shell "$compra")"
[ "$HEIGHT" -lt 60 ] || fail "the collapsed note is $HEIGHT pixels high"
eval "$(xdotool getwindowgeometry --shell "$ideas")"
[ "$HEIGHT" -ge 250 ] || fail "the expanded note is $HEIGHT pixels high"
echo "both notes shown, one collapsed"
if [ -n "${ZELVOR_NOTES_SHOT:-}" ] && command -v import >/dev/null; then
  import -window root "$ZELVOR_NOTES_SHOT"
fi

# A right click in a note's text opens the note's menu; its first item,
# "Propiedades", opens the note's properties.
eval "$(xdotool getwindowgeometry --shell "$ideas")"
# (high in the note: the tip of the day covers its lower half). The keys
# wait for the menu's window to be there.
visible() { xdotool search --onlyvisible --class zelvor 2>/dev/null | sort; }
before=$(visible)
xdotool mousemove $((X + WIDTH / 2)) $((Y + 80)) click 3
menu_open=
for _ in $(seq 100); do
  [ -n "$(comm -13 <(echo "$before") <(visible))" ] && { menu_open=1; break; }
  sleep 0.1
done
[ -n "$menu_open" ] || fail "a right click in the note opened no window"
sleep 0.2
if [ -n "${ZELVOR_NOTES_MENU_SHOT:-}" ] && command -v import >/dev/null; then
  import -window root "$ZELVOR_NOTES_MENU_SHOT"
fi
xdotool key Down Return
status_has '^window\tCNotePropertiesDlg\tPropiedades de la nota\tvisible$' ||
  fail "the note menu's Propiedades opened no properties window"
xdotool key Escape
echo "the note menu opens on a right click and runs its commands"

# 3. Saved again, the collapsed note keeps its expanded rectangle.
terminate
right=$(od -An -t d4 -j 84 -N 4 "$data/notes.dat" | tr -d ' ')
[ "$right" -eq 300 ] || fail "the collapsed note's stored right edge became $right"
rm -rf "$work"
echo "passed"
