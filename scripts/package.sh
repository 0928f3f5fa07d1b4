#!/usr/bin/env bash
# Builds the Debian package build/scorex_VERSION_ARCH.deb from the Release tree: what
# `cmake --install` puts under /usr, manual pages compressed, and the shared libraries the
# programs link against declared as dependencies (found by dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."

release=build/release
version=1.1
arch=$(dpkg --print-architecture)
work=build/package
stage=$work/scorex
deb=build/scorex_${version}_${arch}.deb

rm -rf "$work"
mkdir -p "$stage/DEBIAN"
DESTDIR="$PWD/$stage" cmake --install "$release" --prefix /usr --strip >/dev/null

# Manual pages are installed compressed; ScorexZLN's page is a link to the one both share.
man="$stage/usr/share/man/man1"
rm "$man/ScorexZLN.1"
gzip -9n "$man"/*.1
ln -s ScorexBRK.1.gz "$man/ScorexZLN.1.gz"

doc="$stage/usr/share/doc/scorex"
cat >"$doc/copyright" <<'EOF'
Scorex: statistics web sites for Brakk and Zolnar game servers.
Copyright: Orvane. All rights reserved.
EOF
printf 'scorex (%s) stable; urgency=low\n\n  * Release %s.\n\n -- Orvane <scorex@orvane.invalid>  Mon, 07 Dec 2026 00:00:00 +0000\n' \
  "$version" "$version" | gzip -9n >"$doc/changelog.gz"

# dpkg-shlibdeps reads the package's name from a control file of a source tree.
mkdir -p "$work/src/debian"
printf 'Source: scorex\n\nPackage: scorex\nArchitecture: any\n' >"$work/src/debian/control"
depends=$(cd "$work/src" && dpkg-shlibdeps -O \
  -e"../scorex/usr/bin/ScorexBRK" -e"../scorex/usr/bin/ScorexZLN" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: no dependencies found" >&2; exit 1; }

cat >"$stage/DEBIAN/control" <<EOF
Package: scorex
Version: $version
Architecture: $arch
Maintainer: Orvane <scorex@orvane.invalid>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Suggests: xdg-utils
Section: games
Priority: optional
Homepage: https://scorex.orvane.invalid/
Description: statistics web sites for Brakk and Zolnar game servers
 Scorex reads the statistics logs a Brakk or Zolnar server writes, replays
 every match, keeps every player's career in a small database and writes a
 static HTML site: a page per match and per player, rankings, records and
 player lists. Run it after every map; publish the page directory with any
 web server.
 .
 ScorexBRK is the Brakk module, ScorexZLN the Zolnar one; scorex-setup
 prepares a site home for either, and scorex-ratings prints its players'
 skill-rating leaderboards.
EOF

dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
