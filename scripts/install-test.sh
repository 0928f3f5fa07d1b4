#!/usr/bin/env bash
# Installs the package on a clean Debian system and follows README.md's quick start there, as a
# new admin would: a minimal system made by debootstrap in build/install-test/root, the quick
# start's root block run as root beside the package, its user block as a new user "admin".
# Ends with the link check and the browser test over every site the quick start made.
# Needs root (debootstrap, chroot) and the Debian mirror. Run through `make install-test`.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

[ "$(id -u)" -eq 0 ] || { echo "install-test: needs root (debootstrap and chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || {
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
}

deb=$(ls build/scorex_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "install-test: no package; run make package" >&2; exit 1; }

# The two blocks that follow the quick-start markers of README.md.
block() {
  awk -v mark="<!-- quick-start: $1 -->" '
    $0 == mark { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' README.md
}
root_block=$(block root)
user_block=$(block user)
[ -n "$root_block" ] && [ -n "$user_block" ] || { echo "install-test: no quick start in README.md" >&2; exit 1; }
# The homes it prepares, for the checks at the end.
homes=$(printf '%s\n' "$user_block" | sed -n 's/^scorex-setup \([^ ]*\) \([A-Za-z]*\).*/\2=\1/p')

work=$repo/build/install-test
root=$work/root
cleanup() {
  umount "$root/proc" 2>/dev/null || true
}
trap cleanup EXIT
cleanup
rm -rf "$work"
mkdir -p "$work"

suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
echo "== debootstrap $suite from $mirror"
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log"; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$deb" "$root/root/"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 /bin/sh -ec "cd /root; $1"
}
echo "== as root:"
printf '%s\n' "$root_block"
in_root "$root_block"
in_root "dpkg -s scorex | grep -q '^Status: install ok installed'"

echo "== as the new user admin:"
in_root "useradd --create-home --shell /bin/sh admin"
printf '%s\n' "$user_block"
chroot --userspec=admin:admin "$root" /usr/bin/env -i HOME=/home/admin \
  PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 /bin/sh -ec "cd; $user_block" >"$work/quick-start.out" 2>&1 ||
  { cat "$work/quick-start.out"; echo "install-test: the quick start failed" >&2; exit 1; }

echo "== the sites"
sites=()
dirs=()
for h in $homes; do
  module=${h%%=*}
  dir=$root${h#*=}
  dir=${dir/\~//home/admin}
  sites+=("$(printf '%s' "$module" | tr '[:lower:]' '[:upper:]')=$dir/html")
  dirs+=("$dir/html")
done
[ ${#dirs[@]} -gt 0 ] || { echo "install-test: the quick start prepares no home" >&2; exit 1; }
node tests/browser/linkcheck.mjs "${dirs[@]}"
node tests/browser/site.test.mjs --shots "$work/shots" "${sites[@]}"
echo "Install test passed: $(basename "$deb") on a clean $suite, README quick start followed verbatim"
