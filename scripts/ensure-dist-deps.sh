#!/usr/bin/env bash
# Installs what the release needs beyond the Windows tier's toolchain (run as root): NSIS for
# the setup program and zip.
set -euo pipefail
need=()
command -v makensis >/dev/null || need+=(nsis)
command -v zip >/dev/null || need+=(zip)
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi
