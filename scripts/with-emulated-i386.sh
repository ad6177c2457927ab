#!/usr/bin/env bash
# with-emulated-i386.sh COMMAND [ARGUMENT...] runs COMMAND with every 32-bit x86 program that it
# starts run by qemu-i386, for a kernel that starts no 32-bit program itself (or to try that road
# on one that does). The emulator is registered with binfmt_misc for the i386 ELF header, with the
# F flag: the kernel opens it now, so it is found from every mount namespace.
#
# Where the kernel gives a user namespace a binfmt_misc of its own (Linux 6.7 and later), the
# registration lives there: only COMMAND's processes see it, so other 32-bit programs on the
# machine keep running natively, and it goes with the namespace however COMMAND ends. Elsewhere it
# is registered for the whole machine and removed on exit, with the binfmt_misc mount if this
# script made it.
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc
name=tavrosk-i386
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
emulator=/usr/bin/qemu-i386-static

register() {
  printf '%s' ":$name:M::$magic:$mask:$emulator:F" >"$binfmt/register"
}

if [ "${1:-}" = --in-namespace ]; then
  shift
  mount -t binfmt_misc binfmt_misc "$binfmt"
  register
  exec "$@"
fi

"$(dirname "$0")/ensure-i386-emulator.sh"

if unshare --user --map-root-user --mount --propagation private \
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
  exec unshare --user --map-root-user --mount --propagation private "$0" --in-namespace "$@"
fi

mounted_here=no
registered_here=no
remove_registration() {
  if [ $registered_here = yes ]; then echo -1 >"$binfmt/$name" || true; fi
  if [ $mounted_here = yes ]; then umount "$binfmt" || true; fi
}
trap remove_registration EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if ! mountpoint -q "$binfmt"; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
  mounted_here=yes
fi
# Another run's registration serves this one too; that run removes it.
if [ ! -e "$binfmt/$name" ]; then
  register
  registered_here=yes
fi
echo "qemu-i386 registered for the whole machine while this runs"
status=0
"$@" || status=$?
exit $status
