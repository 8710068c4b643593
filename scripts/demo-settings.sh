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
trap cleanup EXIT
"$IGTARVO" settings set kExactPostTimes true >/dev/null
"$IGTARVO" settings set kLayoutToggleButton true >/dev/null
"$IGTARVO" launch Instagram
"$IGTARVO" launch igTarvoApp
echo "-- the panel:"
"$IGTARVO" control igTarvoApp screen | sed 's/^/  /'
echo "-- a post taken 2 hours ago, as Instagram's feed shows it now:"
"$IGTARVO" control Instagram post-time 7200 | sed 's/^/  /'
echo "-- flip \"Exact post times\" off in the panel:"
"$IGTARVO" control igTarvoApp flip 0 0 | grep 'Exact post times' | sed 's/^/  /'
sleep 0.3
echo "-- the same post in the running Instagram (not restarted):"
"$IGTARVO" control Instagram post-time 7200 | sed 's/^/  /'
"$IGTARVO" control igTarvoApp flip 0 0 >/dev/null
echo "-- flip \"Grid and list button\": the panel asks first"
"$IGTARVO" control igTarvoApp flip 0 1 | sed 's/^/  /'
echo "-- choose Cancel: the switch goes back"
"$IGTARVO" control igTarvoApp choose Cancel | grep 'Grid and list' | sed 's/^/  /'
echo "-- the settings as stored:"
"$IGTARVO" settings list | grep -v '^kAccounts\|^kCurrentAccount' | sed 's/^/  /'
if "$IGTARVO" help | grep -q '^  screenshot'; then
  out="$BUILD/screenshots"
  mkdir -p "$out"
  "$IGTARVO" screenshot igTarvoApp "$out/igTarvoApp.png" && echo "-- a picture of the panel: $out/igTarvoApp.png"
fi
