#!/usr/bin/env bash
# Installs what the release needs beyond the Windows tier's toolchain (run as root): NSIS for
# the setup program, zip, osslsigncode to sign the binaries and openssl, with which the tests
# make a certificate to sign with, faketime, under which widl dates the type library by the
# commit (reproducible builds).
set -euo pipefail
need=()
command -v makensis >/dev/null || need+=(nsis)
command -v zip >/dev/null || need+=(zip)
command -v osslsigncode >/dev/null || need+=(osslsigncode)
command -v openssl >/dev/null || need+=(openssl)
command -v unzip >/dev/null || need+=(unzip)
command -v faketime >/dev/null || need+=(faketime)
if [ ${#need[@]} -gt 0 ]; then
  . "$(dirname "$0")/apt-install.sh"
  install_packages "${need[@]}"
fi
