#!/usr/bin/env bash
# The feed's actions in a running Instagram with the device's sample feed:
# the actions menu of someone else's photo with its strip of layouts, a
# repost with the left-edge tab landing in Instagram's share screen with its
# credit caption, and a video saved to the photo library from the menu.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
SHOTS=${IGTARVO_SCREENSHOTS:-$(mktemp -d)}
root=$("$IGTARVO" device info --json | sed -n 's/.*"root": "\([^"]*\)".*/\1/p')

section() { printf '\n== %s\n' "$1"; }
show() { sed 's/^/     /'; }
control() { "$IGTARVO" control Instagram "$@"; }
videos() { "$IGTARVO" photos list | grep -c ' video' || true; }

if [ ! -f "$root/etc/igtarvo/feed/feed.json" ]; then
  echo "this device was laid out before it had a sample feed; laying it out now"
  "$IGTARVO" device sample-feed
fi
"$IGTARVO" end Instagram >/dev/null 2>&1 || true
trap '"$IGTARVO" end Instagram >/dev/null 2>&1 || true' EXIT

section "Instagram's feed, served by its feed service"
"$IGTARVO" launch Instagram | show
echo "   the feed service answers on port $(python3 -c "import plistlib,sys; print(plistlib.load(open(sys.argv[1],'rb')).get('FeedServicePort'))" "$root/etc/igtarvo/device.plist")"
control feed | show
"$IGTARVO" screenshot Instagram -o "$SHOTS/05-feed.png" | show

section "The actions menu of someone else's photo"
control open-menu 1 | show
"$IGTARVO" screenshot Instagram -o "$SHOTS/06-actions-menu.png" | show

section "Repost with the tab along the left edge (the strip's third picture)"
control tap-strip 3 | show
for _ in $(seq 100); do control share-caption >/dev/null 2>&1 && break; sleep 0.1; done
control share-caption | show
ls -l "$(ls -d "$root"/var/mobile/Containers/Data/Application/*/tmp)"/*.igo | sed 's/^.* \([^ ]*\.igo\)$/   hand-off file: \1/'
"$IGTARVO" screenshot Instagram -o "$SHOTS/07-repost-share-screen.png" | show
control share | show

section "Save Media on a video"
before=$(videos)
control open-menu 3 >/dev/null
control choose Save Media | show
for _ in $(seq 50); do control alert-bar | grep -q 'text="Saving' && break; sleep 0.05; done
control alert-bar | show
"$IGTARVO" screenshot Instagram -o "$SHOTS/08-saving-video.png" | show
for _ in $(seq 300); do [ "$(videos)" -gt "$before" ] && break; sleep 0.1; done
echo "   videos in the photo library: $before before, $(videos) now"
"$IGTARVO" photos list | tail -1 | show
