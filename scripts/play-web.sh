#!/usr/bin/env bash
# Builds Glimmerwake for the browser (scripts/build-web.sh) and serves it on this machine only,
# at the address it prints; open that in a browser to play. Ctrl-C stops the server.
#   scripts/play-web.sh [PORT]      PORT 0 (the default) takes any free one
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build-web.sh"
exec node "$top/tools/web/serve.mjs" "${GLIMMERWAKE_WEB_BUILD:-$top/build-web}/site" "${1:-0}"
