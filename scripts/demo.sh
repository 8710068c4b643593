#!/usr/bin/env bash
# The main job on the embedded default device: lays the device out if there is
# none, shows what the system installs in each of the three processes, then
# runs each subsystem's own demonstration.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
export IGTARVO_ROOT=${IGTARVO_ROOT:-$(cd "$BUILD" && pwd)/device}

section() { printf '\n== %s\n' "$1"; }

# Every step that shows a screen leaves a screenshot here.
export IGTARVO_SCREENSHOTS=${IGTARVO_SCREENSHOTS:-$(cd "$BUILD" && pwd)/screenshots}
rm -rf "$IGTARVO_SCREENSHOTS"
mkdir -p "$IGTARVO_SCREENSHOTS"

section "The simulated device"
if "$IGTARVO" device info >/dev/null 2>&1; then
  echo "using the device at $IGTARVO_ROOT"
else
  # Programs started without a device leave only their run-time records
  # (var/run) in the default folder; they do not make it a device.
  if [ -d "$IGTARVO_ROOT" ] && [ -z "$(find "$IGTARVO_ROOT" -mindepth 1 -not -path "$IGTARVO_ROOT/var" -not -path "$IGTARVO_ROOT/var/run" -not -path "$IGTARVO_ROOT/var/run/*" -print -quit)" ]; then
    rm -rf "$IGTARVO_ROOT/var"
  fi
  "$IGTARVO" device create
fi
"$IGTARVO" device info

for process in Instagram SpringBoard itunesstored; do
  section "What the system changes in $process"
  out=$("$IGTARVO" hooks "$process")
  if [ -n "$out" ]; then echo "$out"; else echo "(nothing yet)"; fi
done

section "The update filter in a running itunesstored"
# The maker's service, played by a small local web server.
service_dir=$(mktemp -d)
echo '{"igVersion": 71701, "igVersionReadable": "7.17.1"}' > "$service_dir/igversion.json"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$service_dir" > "$service_dir/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; "$IGTARVO" end itunesstored >/dev/null 2>&1 || true; rm -rf "$service_dir"' EXIT
for _ in $(seq 100); do grep -q "port" "$service_dir/server.log" && break; sleep 0.05; done
port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$service_dir/server.log" | head -1)
"$IGTARVO" device set VersionServiceURL "http://127.0.0.1:$port/igversion.json"
echo "the service says: newest supported Instagram is 7.17.1"
"$IGTARVO" launch itunesstored
echo "the App Store offers Instagram 7.18 and Maps 2.0; the store now offers:"
"$IGTARVO" control itunesstored merge com.burbn.instagram=7.18 com.example.maps=2.0 | sed 's/^/  /'
echo "the App Store offers Instagram 7.17.1; the store now offers:"
"$IGTARVO" control itunesstored merge com.burbn.instagram=7.17.1 | sed 's/^/  /'
"$IGTARVO" end itunesstored

for part in accounts switcher feed feed-actions settings screens; do
  script="$(dirname "$0")/demo-$part.sh"
  if [ -x "$script" ] || [ -f "$script" ]; then
    bash "$script" "$BUILD"
  fi
done

section "Screenshots of the steps above"
ls "$IGTARVO_SCREENSHOTS"/*.png | sed 's/^/  /'
