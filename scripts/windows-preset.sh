#!/usr/bin/env bash
# Prints the CMake preset whose programs the Windows tier runs under Wine here (see
# wine-prefix.sh): win32, or win64 where the kernel runs no 32-bit program.
source "$(dirname "$0")/wine-prefix.sh"
echo "$WINDOWS_PRESET"
