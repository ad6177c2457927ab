#!/usr/bin/env bash
# Installs Google Benchmark on Debian when it is missing (run as root).
set -euo pipefail
if [ ! -f /usr/include/benchmark/benchmark.h ]; then
  echo "installing: libbenchmark-dev"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq libbenchmark-dev
fi
