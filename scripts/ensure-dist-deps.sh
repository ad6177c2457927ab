#!/usr/bin/env bash
# Installs what the release needs beyond the Windows tier's toolchain (run as root): NSIS for
# the setup program and zip.
set -euo pipefail
need=()
command -v makensis >/dev/null || need+=(nsis)
command -v zip >/dev/null || need+=(zip)
if [ ${#need[@]} -gt 0 ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
