#!/usr/bin/env bash
# The main job on the embedded default device: lays the device out if there is
# none, shows what the system installs in each of the three processes, then
# runs each subsystem's own demonstration.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
export IGTARVO_ROOT=${IGTARVO_ROOT:-$(cd "$BUILD" && pwd)/device}

section() { printf '\n== %s\n' "$1"; }

section "The simulated device"
if "$IGTARVO" device info >/dev/null 2>&1; then
  echo "using the device at $IGTARVO_ROOT"
else
  "$IGTARVO" device create
fi
"$IGTARVO" device info

for process in Instagram SpringBoard itunesstored; do
  section "What the system changes in $process"
  out=$("$IGTARVO" hooks "$process")
  if [ -n "$out" ]; then echo "$out"; else echo "(nothing yet)"; fi
done

for part in accounts switcher feed; do
  script="$(dirname "$0")/demo-$part.sh"
  if [ -x "$script" ] || [ -f "$script" ]; then
    bash "$script" "$BUILD"
  fi
done
