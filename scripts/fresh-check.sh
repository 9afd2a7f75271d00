#!/usr/bin/env bash
# Proves that the README's test command works on a machine that has nothing but a
# minimal Debian 12: bootstraps one into a folder, clones this repository's committed
# main into it and runs scripts/test.sh there as root with a clean environment. A
# package that our own machines only have from earlier work shows up here as a failure.
#   scripts/fresh-check.sh [WORK_DIR]     (needs root and debootstrap; about half an hour)
# The Debian mirror is the one this machine's apt already uses, so the script works
# wherever apt does.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
work=${1:-/var/tmp/vn574-fresh-check}
root=$work/root
log=$work/test.log

[ "$(id -u)" -eq 0 ] || { echo "fresh-check.sh needs root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

# The first Debian main archive of the machine's apt sources, in either source format.
mirror_of_apt_sources() {
  local files=()
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && files+=("$file")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk '/^deb / && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' \
    "${files[@]}"
  awk '/^URIs:/ && $2 !~ /security/ { print $2; exit }' "${files[@]}"
}
mirror=$(mirror_of_apt_sources | head -n 1 || true)
[ -n "$mirror" ] || { echo "no Debian mirror found in the apt sources" >&2; exit 2; }

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -R -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

start=$(date +%s)
rm -rf "$work"
mkdir -p "$work"
echo "== bootstrapping a minimal Debian 12 from $mirror into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log" >&2; echo "debootstrap failed, see $work/debootstrap.log" >&2; exit 2; }

# The same package sources and apt settings as this machine, and its name resolution.
rm -f "$root/etc/apt/sources.list"
cp -a /etc/apt/sources.list "$root/etc/apt/" 2>/dev/null || true
cp -a /etc/apt/sources.list.d/. "$root/etc/apt/sources.list.d/" 2>/dev/null || true
cp -a /etc/apt/apt.conf.d/. "$root/etc/apt/apt.conf.d/" 2>/dev/null || true
cp -a /etc/apt/trusted.gpg.d/. "$root/etc/apt/trusted.gpg.d/" 2>/dev/null || true
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

echo "== cloning $(git -C "$repo" rev-parse --short main) of main"
git clone -q --branch main "$repo" "$root/work/vn574"

# The tests open pseudo-terminals (the simulated radio), so the root sees this machine's
# /dev with its pts.
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount -t sysfs sys "$root/sys" && mounted+=("$root/sys")
mount --rbind /dev "$root/dev" && mounted+=("$root/dev")
mount --make-rslave "$root/dev"
mount -t tmpfs tmpfs "$root/tmp" && mounted+=("$root/tmp")

echo "== scripts/test.sh in the fresh root (log: $log)"
set +e
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 TERM=dumb CI=true /bin/bash -c 'cd /work/vn574 && scripts/test.sh' </dev/null >"$log" 2>&1
status=$?
set -e
tail -n 15 "$log"
echo "== exit status $status after $(($(date +%s) - start)) s; log: $log"
exit "$status"
