#!/usr/bin/env bash
# Installs qemu-i386, the user-mode emulator that runs 32-bit Wine on a kernel that starts no
# 32-bit program (run as root). The release's own qemu (7.2) has not been tried with Wine; the
# backports' 10.0 runs wineboot, console programs and the script host, so the backports suite is
# added (from the mirror the machine's Debian source already names) and the package taken from
# there.
set -euo pipefail
wanted=1:10
installed=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
if [ -x /usr/bin/qemu-i386-static ] && [ -n "$installed" ] &&
  dpkg --compare-versions "$installed" ge "$wanted"; then
  exit 0
fi

. /etc/os-release
backports=$VERSION_CODENAME-backports
list=/etc/apt/sources.list.d/tavrosk-backports.sources

# The first URI of the source entry for the release itself, in deb822 or one-line form.
debian_mirror() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    awk -v suite="$VERSION_CODENAME" '
      /^[[:space:]]*$/ { if (uri != "" && found) { print uri; uri = ""; exit } uri = ""; found = 0; next }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
      END { if (uri != "" && found) print uri }' "$file"
  done
  if [ -e /etc/apt/sources.list ]; then
    awk -v suite="$VERSION_CODENAME" '$1 == "deb" && $0 !~ /\[/ && $3 == suite { print $2 }
                                      $1 == "deb" && $2 ~ /^\[/ && $4 == suite { print $3 }' \
      /etc/apt/sources.list
  fi
}

if ! grep -rqs "$backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  mirror=$(debian_mirror)
  mirror=${mirror%%$'\n'*}
  [ -n "$mirror" ] || { echo "no Debian source for $VERSION_CODENAME to take a mirror from" >&2; exit 1; }
  echo "adding $backports from $mirror"
  cat >"$list" <<SOURCE
Types: deb
URIs: $mirror
Suites: $backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCE
fi
echo "installing: qemu-user-static from $backports"
start=$(date +%s)
. "$(dirname "$0")/apt-install.sh"
update_package_lists
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t "$backports" qemu-user-static
echo "installed in $(( $(date +%s) - start )) s"
