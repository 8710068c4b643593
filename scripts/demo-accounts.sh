#!/usr/bin/env bash
# Several Instagram accounts on the simulated device: adds an account, switches
# back and forth (ending a running Instagram first) and shows what moved where.
#
#   IGTARVO_ROOT=<device root> scripts/demo-accounts.sh <build folder>
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
: "${IGTARVO_ROOT:?IGTARVO_ROOT names the device root}"
export IGTARVO_ROOT

section() { printf '\n== %s\n' "$1"; }
field() { sed -n "s/.*\"$1\": \"\\([^\"]*\\)\".*/\\1/p"; }

info=$("$IGTARVO" device info --json)
container=$(field dataContainer <<<"$info")
accounts=$(field accountsDir <<<"$info")
bundle=$(field bundlePath <<<"$info")
pidfile="$IGTARVO_ROOT/var/run/igtarvo-processes/Instagram.pid"

# The top level of the container and of each account's directory.
show() {
  printf '  %-28s %s\n' "container:" "$(ls -A "$container" | tr '\n' ' ')"
  for dir in "$accounts"/*/; do
    [ -d "$dir" ] || continue
    name=$(basename "$dir")
    printf '  %-28s %s\n' "accounts/$name:" "$(ls -A "$dir" | tr '\n' ' ')"
  done
}

# Starts Instagram on the device and waits until it runs.
start_instagram() {
  "$bundle/Instagram" --root "$IGTARVO_ROOT" >/dev/null 2>&1 &
  instagram=$!
  for _ in $(seq 200); do
    [ "$(cat "$pidfile" 2>/dev/null)" = "$instagram" ] && break
    sleep 0.05
  done
  echo "Instagram runs as process $instagram"
}

instagram_state() {
  if kill -0 "$instagram" 2>/dev/null && [ "$(cat /proc/"$instagram"/stat 2>/dev/null | awk '{print $3}')" != Z ]; then
    echo "Instagram (process $instagram) is still running"
  else
    wait "$instagram" 2>/dev/null || true
    echo "Instagram (process $instagram) has ended"
  fi
}

section "Accounts on the device"
"$IGTARVO" accounts list
if "$IGTARVO" accounts list --json | grep -q '"work"'; then
  echo "(an account \"work\" is left from an earlier run: it goes, so that the demonstration starts afresh)"
  "$IGTARVO" accounts switch Default >/dev/null
  "$IGTARVO" accounts remove work >/dev/null
fi
show

section "Add the account \"work\" while Instagram runs"
start_instagram
"$IGTARVO" accounts add work
instagram_state
echo "signed in as work" > "$container/Documents/session.txt"
echo "(Instagram, started again, signs in and writes Documents/session.txt)"
show

section "Switch back to \"Default\""
start_instagram
"$IGTARVO" accounts switch Default
instagram_state
show
echo "  container/Documents: $(ls "$container/Documents" | tr '\n' ' ')"

section "Switch to \"work\" again"
"$IGTARVO" accounts switch work
show
echo "  container/Documents/session.txt: $(cat "$container/Documents/session.txt")"

section "The list, as scripts read it"
"$IGTARVO" accounts list --json
echo "the device's launchctl was asked $(wc -l < "$IGTARVO_ROOT/var/log/launchctl.log") times to stop the preferences daemon"
