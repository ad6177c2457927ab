#!/usr/bin/env bash
# Installs the Windows tier's toolchain on Debian when something is missing (run as root):
# the 32-bit mingw-w64 cross compiler, Wine with its 32-bit half, a virtual X display,
# GoogleTest's sources to build with the cross compiler, and the locales package, whose
# localedef makes the locales that the code-page runs start Wine in.
set -euo pipefail
packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine32:i386 wine64 libwine-dev xvfb xauth googletest
          nlohmann-json3-dev locales)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
need=()
for package in "${packages[@]}"; do installed "$package" || need+=("$package"); done
if [ ${#need[@]} -gt 0 ]; then
  dpkg --add-architecture i386
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
