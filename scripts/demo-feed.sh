#!/usr/bin/env bash
# The feed's display texts for a few sample posts: the time text each post
# shows (taken at fixed distances before now) and the links marked in its
# caption, with the address a tap opens.
set -euo pipefail
BUILD=${1:-build}
IGTARVO="$BUILD/bin/igtarvo"

# The moment that many seconds before now, in ISO 8601.
ago() { date -u -d "@$(( $(date +%s) - $1 ))" +%Y-%m-%dT%H:%M:%SZ; }

post() {
  local taken=$1 caption=$2
  echo "  post taken $taken"
  echo "    time:    $("$IGTARVO" feed timestamp "$taken")"
  echo "    caption: $caption"
  "$IGTARVO" feed links --json "$caption" | sed 's/^/    links:   /'
}

echo "== Feed display: post times and links (system time zone: ${TZ:-$(cat /etc/timezone 2>/dev/null || echo UTC)})"
post "$(ago 45)" "Just landed! Photos soon at www.example.com"
post "$(ago $(( 2 * 3600 + 31 * 60 )))" "New prints: https://shop.example.net/prints?size=a3 (ships Monday)."
post "$(ago $(( 6 * 86400 + 23 * 3600 )))" "Questions? Write to studio@example.org, or see example.com/faq#shipping."
post "$(ago $(( 400 * 86400 )))" "No links in this one, just e.g. file.txt and 3.14."
echo "  the same post, as seen from two time zones:"
echo "    TZ=America/Los_Angeles: $(TZ=America/Los_Angeles "$IGTARVO" feed timestamp 2016-03-05T16:07:00Z --now 2016-03-05T18:40:00Z)"
echo "    TZ=Asia/Tokyo:          $(TZ=Asia/Tokyo "$IGTARVO" feed timestamp 2016-03-05T16:07:00Z --now 2016-03-05T18:40:00Z)"
