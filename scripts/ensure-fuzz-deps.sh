#!/usr/bin/env bash
# Installs clang and its libFuzzer runtime on Debian when missing (run as root).
set -euo pipefail
need=()
command -v clang++ >/dev/null || need+=(clang)
dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
command -v cmake >/dev/null || need+=(cmake)
if [ ${#need[@]} -gt 0 ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
