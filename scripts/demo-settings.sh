#!/usr/bin/env bash
# The settings: the panel in a running igTarvoApp, a switch flipped there and
# its effect in a running Instagram's feed, the restart confirmation, and the
# settings as the igtarvo command lists them.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"

echo
echo "== Settings: the panel in igTarvoApp and its effect in Instagram"
root=${IGTARVO_ROOT:-$(cd "$BUILD" && pwd)/device}
if [ ! -e "$root/Applications/igTarvoApp.app/igTarvoApp" ]; then
  echo "(this device was laid out before the settings panel existed; make a new one to see it)"
  exit 0
fi
cleanup() { "$IGTARVO" end igTarvoApp >/dev/null 2>&1 || true; "$IGTARVO" end Instagram >/dev/null 2>&1 || true; }
# A screenshot of a running host, kept with the demo's others.
shot() {
  [ -n "${IGTARVO_SCREENSHOTS:-}" ] || return 0
  "$IGTARVO" screenshot "$1" -o "$IGTARVO_SCREENSHOTS/$2.png" | sed 's/^/  /'
}
trap cleanup EXIT
"$IGTARVO" settings set kExactPostTimes true >/dev/null
"$IGTARVO" settings set kLayoutToggleButton true >/dev/null
"$IGTARVO" launch Instagram
"$IGTARVO" launch igTarvoApp
echo "-- the panel:"
"$IGTARVO" control igTarvoApp screen | sed 's/^/  /'
shot igTarvoApp 09-settings-panel
echo "-- a post taken 2 hours ago, as Instagram's feed shows it now:"
"$IGTARVO" control Instagram post-time 7200 | sed 's/^/  /'
echo "-- flip \"Exact post times\" off in the panel:"
"$IGTARVO" control igTarvoApp flip 0 0 | grep 'Exact post times' | sed 's/^/  /'
shot igTarvoApp 10-settings-switch-off
sleep 0.3
echo "-- the same post in the running Instagram (not restarted):"
"$IGTARVO" control Instagram post-time 7200 | sed 's/^/  /'
shot Instagram 11-feed-without-exact-times
"$IGTARVO" control igTarvoApp flip 0 0 >/dev/null
echo "-- flip \"Grid and list button\": the panel asks first"
"$IGTARVO" control igTarvoApp flip 0 1 | sed 's/^/  /'
shot igTarvoApp 12-settings-restart-question
echo "-- choose Cancel: the switch goes back"
"$IGTARVO" control igTarvoApp choose Cancel | grep 'Grid and list' | sed 's/^/  /'
echo "-- the settings as stored:"
"$IGTARVO" settings list | grep -v '^kAccounts\|^kCurrentAccount' | sed 's/^/  /'
