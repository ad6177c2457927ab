#!/usr/bin/env bash
# Installs what `make screenshots` needs beyond the Windows tier (run as root): xwd to take the
# virtual display, ImageMagick to turn it into a PNG.
set -euo pipefail
need=()
command -v xwd >/dev/null || need+=(x11-apps)
[ -x /usr/bin/convert ] || need+=(imagemagick)
command -v xwininfo >/dev/null || need+=(x11-utils)
if [ ${#need[@]} -gt 0 ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
