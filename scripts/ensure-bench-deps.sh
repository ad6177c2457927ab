#!/usr/bin/env bash
# Installs Google Benchmark on Debian when it is missing (run as root).
set -euo pipefail
if [ ! -f /usr/include/benchmark/benchmark.h ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages libbenchmark-dev
fi
