#!/usr/bin/env bash
# Ravi Varudide in the real program on a real X server (run by
# run_under_xvfb.sh). calendar1.dat and calendar2.dat are written here in
# the files' own layout, as another program would; the program loads them,
# "zelvorctl status" lists today's notes and the selected day's, "zelvorctl
# command 10 1" shows the calendar, Ctrl+P prints the three notes through
# the print dialog's PDF printer, and a second start with the year tab
# strip and a yearly note for today shows the "Cualquier año" tab, whose
# edit takes typed text that reaches calendar2.dat when the program ends.
# Arguments: the zelvor and zelvorctl programs. With ZELVOR_CALENDAR_SHOTS
# set to a folder, the screenshots and the PDF are kept there.
set -u
zelvor=$1 zelvorctl=$2
. "$(dirname "$0")/zelvor_script.sh"
data=$XDG_DATA_HOME/zelvor
mkdir -p "$data"
shots=${ZELVOR_CALENDAR_SHOTS:-}
[ -n "$shots" ] && mkdir -p "$shots"
show_status() { echo "--- status:"; cat "$work/status" 2>/dev/null; }
on_fail=show_status
cd "$work" || exit 1

# The instant of noon on a local day, as the files keep a day.
noon() { date -d "$1 12:00" +%s; }
# One entry: the day, the text's length with its NUL, the text and the NUL.
entry() {
  le32 "$1"
  le32 $(($(printf '%s' "$2" | wc -c) + 1))
  printf '%s\0' "$2"
}
shoot() { [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png"; }
visible() { xdotool search --onlyvisible --name '.' 2>/dev/null | sort; }

today=$(date +%F)
before=$(date -d "$today -3 days" +%F)
after=$(date -d "$today +5 days" +%F)
yearly=$(date -d "$today +8 days" +%m-%d)
"$zelvorctl" reg set "" SugerenciasAlInicio --sz 0 >/dev/null || fail "reg set failed"

# 1. Three notes from another program: two dated ones and one of every year.
{
  entry "$(noon "$today")" "Dentista a las 10:30"
  entry "$(noon "$after")" "Entrega del proyecto"
} >"$data/calendar1.dat"
entry "$(noon "2001-$yearly")" "Cumpleaños de Ana" >"$data/calendar2.dat"
start
status_has '^calnote\ttoday\tdated\tDentista a las 10:30$' || fail "today's note is not listed"
status_has "^calendar\tselected\t$today\$" || fail "the calendar does not select today"
"$zelvorctl" command 10 1 >/dev/null || fail "zelvorctl command 10 1 failed"
status_has '^window\tCRaviVarudide\tRavi Varudide\tvisible$' || fail "the calendar window is not visible"
cal=$(window_named '^Ravi Varudide$') || fail "no X window named Ravi Varudide"
sleep 1
shoot calendar-bold-days
echo "notes loaded, the calendar shown with its bold days"

# 2. Ctrl+P: the print dialog, whose PDF printer writes a file.
xdotool windowactivate --sync "$cal" 2>/dev/null || xdotool windowfocus --sync "$cal"
open_before=$(visible)
xdotool key --window "$cal" ctrl+p
dialog=
for _ in $(seq 100); do
  dialog=$(comm -13 <(echo "$open_before") <(visible) | head -n1)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "Ctrl+P opened no print dialog"
sleep 0.5
shoot calendar-print-dialog
xdotool windowactivate --sync "$dialog" 2>/dev/null
xdotool key Return
pdf=
for _ in $(seq 100); do
  pdf=$(find "$work" -maxdepth 1 -name '*.pdf' -size +0 | head -n1)
  [ -n "$pdf" ] && break
  sleep 0.1
done
[ -n "$pdf" ] || fail "the print dialog wrote no PDF"
sleep 0.5
if command -v pdftotext >/dev/null; then
  text=$(pdftotext -layout "$pdf" - 2>/dev/null)
  for note in "Dentista a las 10:30" "Entrega del proyecto" "Cumpleaños de Ana"; do
    grep -qF "$note" <<<"$text" || fail "the PDF lacks \"$note\""
  done
  [ "$(grep -cE -- "^\s*-{43}\s*$" <<<"$text")" -eq 3 ] ||
    fail "the PDF does not hold exactly three notes"
fi
[ -n "$shots" ] && cp "$pdf" "$shots/calendar-print.pdf"
echo "three notes printed to $(basename "$pdf")"
stop

# 3. The year tab strip, the whole year's size, and today's only note a
# yearly one: its tab comes to the front.
entry "$(noon "$before")" "Recoger el coche" >"$data/calendar1.dat"
entry "$(noon "2001-$(date +%m-%d)")" "Cumpleaños de Ana" >"$data/calendar2.dat"
"$zelvorctl" reg set RaviVarudide Pestañas --dword 2 >/dev/null || fail "reg set failed"
"$zelvorctl" reg set RaviVarudide Width --dword 1000 >/dev/null || fail "reg set failed"
"$zelvorctl" reg set RaviVarudide Height --dword 640 >/dev/null || fail "reg set failed"
"$zelvorctl" reg set RaviVarudide Left --dword 10 >/dev/null || fail "reg set failed"
"$zelvorctl" reg set RaviVarudide Top --dword 10 >/dev/null || fail "reg set failed"
start
status_has '^calnote\ttoday\tyearly\tCumpleaños de Ana$' || fail "today's yearly note is not listed"
"$zelvorctl" command 10 1 >/dev/null || fail "zelvorctl command 10 1 failed"
status_has '^window\tCRaviVarudide\tRavi Varudide\tvisible$' || fail "the calendar window is not visible"
cal=$(window_named '^Ravi Varudide$') || fail "no X window named Ravi Varudide"
eval "$(xdotool getwindowgeometry --shell "$cal")"
[ "$WIDTH" -ge 900 ] || fail "the window is $WIDTH pixels wide, not its stored 1000"
sleep 1
shoot calendar-year-tabs
echo "the year tab strip and the yearly note's tab shown"

# 4. Typed into the yearly note's edit and saved when the program ends: the
# note keeps the day it was written for.
xdotool mousemove $((X + WIDTH - 100)) $((Y + HEIGHT - 120)) click 1
sleep 0.3
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 20 " y Luis"
sleep 0.5
stop
grep -qaF "Cumpleaños de Ana y Luis" "$data/calendar2.dat" || fail "the typed text did not reach calendar2.dat"
[ "$(od -An -t u4 -N 4 -j 0 "$data/calendar2.dat" | tr -d ' ')" -eq "$(noon "2001-$(date +%m-%d)")" ] ||
  fail "the yearly note lost the day it was written for"
echo "a typed note saved"
rm -rf "$work"
echo "passed"
