# Sourced by the ensure-*-deps scripts: installs Debian packages (run as root), robust to a
# mirror whose index of one suite for one architecture is missing or half-synced.
#
# apt-get update fails as a whole when any one index fails to download, yet the rest is usable,
# so a failed update is retried and then let through: the install decides. An install that
# fails is tried once more from the release's main suite alone (updates suite included,
# security suite left out), pinned so that both halves of a multi-arch library can come from it:
# an i386 package whose amd64 half came from a security index that the i386 side lacks cannot
# otherwise be installed.

update_package_lists() {
  local attempt
  for attempt in 1 2 3; do
    apt-get update -qq && return 0
    echo "apt-get update failed (attempt $attempt of 3)" >&2
    [ "$attempt" = 3 ] || sleep 15
  done
  echo "going on with the package lists that did download" >&2
}

install_from_main_suite() {
  local codename scratch
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  scratch=$(mktemp -d)
  mkdir "$scratch/sources" "$scratch/preferences"
  touch "$scratch/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    grep -v -- '-security' /etc/apt/sources.list >"$scratch/sources.list" || true
  fi
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' "$sources" >"$scratch/sources/$(basename "$sources")"
  done
  printf 'Package: *\nPin: release n=%s\nPin-Priority: 1001\n' "$codename" >"$scratch/pin"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --allow-downgrades \
    -o Dir::Etc::sourcelist="$scratch/sources.list" -o Dir::Etc::sourceparts="$scratch/sources" \
    -o Dir::Etc::preferences="$scratch/pin" -o Dir::Etc::preferencesparts="$scratch/preferences" \
    "$@" || { rm -rf "$scratch"; return 1; }
  rm -rf "$scratch"
}

# install_packages PACKAGE...
install_packages() {
  echo "installing: $*"
  local start
  start=$(date +%s)
  update_package_lists
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"; then
    echo "installing from the $(. /etc/os-release && echo "$VERSION_CODENAME") suite alone" >&2
    install_from_main_suite "$@"
  fi
  echo "installed in $(($(date +%s) - start)) s"
}
