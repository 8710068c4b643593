#!/usr/bin/env bash
# More screens: the unsupported-version notice SpringBoard shows once after
# an unlock when the installed Instagram is newer than supported, pictures
# with the repost watermark (`igtarvo watermark`), and a video with it burnt
# in (`igtarvo video watermark`; one of its frames is kept as a picture).
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"
SHOTS=${IGTARVO_SCREENSHOTS:-$(mktemp -d)}
root=$("$IGTARVO" device info --json | sed -n 's/.*"root": "\([^"]*\)".*/\1/p')

section() { printf '\n== %s\n' "$1"; }
show() { sed 's/^/     /'; }

section "The unsupported-version notice"
service_dir=$(mktemp -d)
echo '{"igVersion": 71000, "igVersionReadable": "7.10"}' > "$service_dir/igversion.json"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$service_dir" > "$service_dir/server.log" 2>&1 &
server=$!
cleanup() {
  kill $server 2>/dev/null || true
  "$IGTARVO" end SpringBoard >/dev/null 2>&1 || true
  rm -rf "$service_dir"
}
trap cleanup EXIT
for _ in $(seq 100); do grep -q "port" "$service_dir/server.log" && break; sleep 0.05; done
port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$service_dir/server.log" | head -1)
"$IGTARVO" device set VersionServiceURL "http://127.0.0.1:$port/igversion.json"
# The notice shows once per device: forget that it was shown.
prefs="$root/var/mobile/Library/Preferences/com.zr4.igtarvo.plist"
if [ -f "$prefs" ]; then
  python3 - "$prefs" <<'PY'
import plistlib, sys
path = sys.argv[1]
with open(path, 'rb') as f:
    data = plistlib.load(f)
data.pop('kDidShowNotSupported', None)
with open(path, 'wb') as f:
    plistlib.dump(data, f, fmt=plistlib.FMT_BINARY)
PY
fi
echo "the service says 7.10 is the newest supported; the device has Instagram 7.17.1"
"$IGTARVO" launch SpringBoard | show
"$IGTARVO" control SpringBoard unlock | show
sleep 0.5
"$IGTARVO" control SpringBoard screen | show
"$IGTARVO" screenshot SpringBoard -o "$SHOTS/13-version-notice.png" | show

section "A picture with the repost watermark"
picture="$SHOTS/picture.jpg"
convert -seed 7 -size 640x480 plasma:fractal -blur 0x2 "$picture"
"$IGTARVO" watermark "$picture" --user some_user --position 1 -o "$SHOTS/14-watermarked-bottom.png" | show
"$IGTARVO" watermark "$picture" --user some_user --position 4 -o "$SHOTS/15-watermarked-right.png" | show
rm -f "$picture"

section "A video with the repost watermark"
clip_dir=$(mktemp -d)
ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=640x360:rate=30:duration=3 \
  -f lavfi -i sine=frequency=440:sample_rate=44100:duration=3 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$clip_dir/in.mp4"
"$IGTARVO" video watermark "$clip_dir/in.mp4" --user some_user --position 4 -o "$clip_dir/out.mov" | show
ffmpeg -nostdin -loglevel error -y -ss 1.5 -i "$clip_dir/out.mov" -frames:v 1 "$SHOTS/16-video-watermarked-right.png"
echo "$SHOTS/16-video-watermarked-right.png (a frame of the exported video)" | show
rm -rf "$clip_dir"
