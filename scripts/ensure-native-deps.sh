#!/usr/bin/env bash
# Installs the native toolchain on Debian when something is missing (run as root).
set -euo pipefail
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/gmock/gmock.h ] || need+=(libgmock-dev)
command -v valgrind >/dev/null || need+=(valgrind)
# The reference host's state file (header-only; the Windows build uses the same headers).
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
if [ ${#need[@]} -gt 0 ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
