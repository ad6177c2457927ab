#!/usr/bin/env bash
# signed_release.sh BUILD-FOLDER RELEASE-TESTS: the release signed as `make dist` signs it when
# given a certificate. A throwaway self-signed certificate is made with openssl, and the build's
# binaries are packaged again with it (the packaging's own arguments, installer/dist-arguments.txt,
# with the signing ones). Every binary of the zip, the setup program, and the uninstaller that the
# setup program writes must pass `osslsigncode verify` against that certificate; then the
# installer tests run on the signed setup program, so the signed Tavrosk.dll of both widths
# registers and serves plug-ins under Wine. Runs in the release tests' Wine prefix.
set -euo pipefail
build=$(realpath "$1")
release_tests=$2
source=$(realpath "$(dirname "$0")/../..")
work=$build/signed-release
rm -rf "$work"
mkdir -p "$work/unzipped"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tavrosk test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
printf 'throwaway password' >"$work/password"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
  -passout "file:$work/password"

mapfile -t arguments < <(grep -v -e '^-DSTAGE=' -e '^-DZIP_FILE=' -e '^-DSETUP_FILE=' \
  "$build/installer/dist-arguments.txt")
version=$(sed -n 's/^-DVERSION=//p' "$build/installer/dist-arguments.txt")
setup=$work/dist/Tavrosk-$version-setup.exe
cmake "${arguments[@]}" -DSTAGE="$work/stage/Tavrosk-$version" \
  -DZIP_FILE="$work/dist/Tavrosk-$version-windows.zip" -DSETUP_FILE="$setup" \
  -DOSSLSIGNCODE="$(command -v osslsigncode)" -DSIGN_PFX="$work/cert.pfx" \
  -DSIGN_PASSWORD_FILE="$work/password" -P "$source/installer/make-dist.cmake"

failures=0
verify() {
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 &&
    grep -q '^Signature verification: ok' "$work/verify.log"; then
    echo "signed: ${1#"$work"/}"
  else
    echo "NOT SIGNED: ${1#"$work"/}"
    cat "$work/verify.log"
    failures=$((failures + 1))
  fi
}
unzip -q "$work/dist/Tavrosk-$version-windows.zip" -d "$work/unzipped"
mapfile -t binaries < <(find "$work/unzipped" -name '*.dll' -o -name '*.exe' | sort)
# Both widths' Tavrosk.dll and the three binaries of the reference host.
[ ${#binaries[@]} -eq 5 ] || {
  echo "the zip has ${#binaries[@]} binaries, not 5"
  failures=$((failures + 1))
}
for binary in "${binaries[@]}" "$setup"; do verify "$binary"; done
(cd "$work/dist" && sha256sum --check --strict SHA256SUMS) || failures=$((failures + 1))

# The uninstaller exists only once the setup program has written it.
wine "$setup" /S /AllUsers
uninstaller=$(find "$WINEPREFIX/drive_c" -path '*/Tavrosk/Uninstall.exe' | head -1)
if [ -n "$uninstaller" ]; then
  verify "$uninstaller"
  folder=$(dirname "$uninstaller")
  wine "$uninstaller" /S /AllUsers
  for _ in $(seq 600); do [ -e "$folder" ] || break; sleep 0.1; done
  [ ! -e "$folder" ] || {
    echo "the uninstaller left $folder"
    failures=$((failures + 1))
  }
else
  echo "the signed setup program installed no Uninstall.exe"
  failures=$((failures + 1))
fi

TAVROSK_SETUP_UNDER_TEST=$(winepath -w "$setup") wine "$release_tests" \
  --gtest_filter='BothScopes/Installer.*:SetupProgram.*' || failures=$((failures + 1))
echo "$failures failures"
[ "$failures" -eq 0 ]
