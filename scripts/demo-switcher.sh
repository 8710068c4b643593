#!/usr/bin/env bash
# The account switcher on the device, step by step: the typical road from a
# swipe on the Instagram icon to Instagram opening with another account, and
# the same switch asked for from inside Instagram.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
root=$("$IGTARVO" device info --json | sed -n 's/.*"root": "\([^"]*\)".*/\1/p')
container=$("$IGTARVO" device info --json | sed -n 's/.*"dataContainer": "\([^"]*\)".*/\1/p')
accounts=$("$IGTARVO" device info --json | sed -n 's/.*"accountsDir": "\([^"]*\)".*/\1/p')

section() { printf '\n== %s\n' "$1"; }
step() { printf -- '-- %s\n' "$1"; }
show() { sed 's/^/     /'; }
pid_of() { cat "$root/var/run/igtarvo-processes/$1.pid" 2>/dev/null || echo none; }
# A screenshot of a running host, kept with the demo's others.
shot() {
  [ -n "${IGTARVO_SCREENSHOTS:-}" ] || return 0
  "$IGTARVO" screenshot "$1" -o "$IGTARVO_SCREENSHOTS/$2.png" | show
}
cleanup() { "$IGTARVO" end SpringBoard >/dev/null 2>&1 || true; "$IGTARVO" end Instagram >/dev/null 2>&1 || true; }
trap cleanup EXIT

section "The account switcher: from the home screen"
"$IGTARVO" accounts list | grep -qx '  demo' || "$IGTARVO" accounts add demo >/dev/null
echo "a note of the demo account" > "$container/Documents/demo-note.txt"
active=$("$IGTARVO" accounts list --json | sed -n 's/.*"current": "\([^"]*\)".*/\1/p')
other=$([ "$active" = demo ] && echo Default || echo demo)
"$IGTARVO" launch SpringBoard | show
"$IGTARVO" launch Instagram | show
step "the Instagram icon's label"
"$IGTARVO" control SpringBoard label com.burbn.instagram | show
shot SpringBoard 01-home-screen
step "the user swipes up on the Instagram icon; the list shows"
"$IGTARVO" control SpringBoard swipe-up com.burbn.instagram | show
shot SpringBoard 02-account-list
row=$("$IGTARVO" control SpringBoard screen | awk -v n="$other" '/section 1/ {s=1} s && $0 ~ ("row [0-9]+: " n "$") {sub(":", "", $2); print $2}')
before=$(pid_of Instagram)
step "the user taps \"$other\" (Instagram is process $before)"
"$IGTARVO" control SpringBoard tap-row 1 "$row" | show
sleep 0.5
step "what moved: the container now holds"
ls "$container" | show
step "and the account directories hold"
for d in "$accounts"/*; do echo "$(basename "$d"): $(ls "$d" | tr '\n' ' ')"; done | show
step "the icon's label after the switch"
"$IGTARVO" control SpringBoard label com.burbn.instagram | show
shot SpringBoard 03-home-screen-after-switch
shot Instagram 04-instagram
step "Instagram was ended and started again: process $before is gone, process $(pid_of Instagram) runs"

section "The account switcher: from inside Instagram"
step "a long press on the profile tab sends Instagram to the background"
"$IGTARVO" control Instagram long-press-profile | show
sleep 0.5
step "SpringBoard shows the list"
"$IGTARVO" control SpringBoard screen | show
row=$("$IGTARVO" control SpringBoard screen | awk -v n="$active" '/section 1/ {s=1} s && $0 ~ ("row [0-9]+: " n "$") {sub(":", "", $2); print $2}')
before=$(pid_of Instagram)
step "the user taps \"$active\""
"$IGTARVO" control SpringBoard tap-row 1 "$row" | show
sleep 0.5
"$IGTARVO" accounts list | show
step "Instagram (process $before) was ended and started again as process $(pid_of Instagram)"
