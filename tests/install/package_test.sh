#!/usr/bin/env bash
# Builds the Debian package from a build tree with CPack and checks its
# control data and contents with dpkg-deb.
set -u
build=$(cd "$1" && pwd)
out=$(mktemp -d /tmp/tavlora-package-XXXXXX)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { tail -30 "$out/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$out"/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no .deb made"; exit 1; }

dpkg-deb --info "$deb" >"$out/info" || fail "dpkg-deb --info"
grep -q '^ Package: tavlora$' "$out/info" || fail "package name"
grep -q '^ Architecture: amd64$' "$out/info" || [ "$(dpkg --print-architecture)" != amd64 ] || fail "architecture"
depends=$(sed -n 's/^ Depends: //p' "$out/info")
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6xml6 libqt6svg6 libqt6printsupport6 qt6-image-formats-plugins fonts-liberation libc6 libstdc++6; do
  echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$dep" || fail "Depends lacks $dep ($depends)"
done
# Every dependency is a package this Debian has.
for dep in $(echo "$depends" | tr ',|' '\n\n' | sed 's/^ *//; s/ .*//'); do
  apt-cache show "$dep" >/dev/null 2>&1 || dpkg-query -W "$dep" >/dev/null 2>&1 || fail "unknown package $dep"
done

dpkg-deb --contents "$deb" | awk '{print $6}' >"$out/contents" || fail "dpkg-deb --contents"
for f in ./usr/bin/tavlora ./usr/bin/tavlora-cli \
         ./usr/share/applications/org.tavlora.Tavlora.desktop \
         ./usr/share/metainfo/org.tavlora.Tavlora.metainfo.xml \
         ./usr/share/mime/packages/org.tavlora.Tavlora.xml \
         ./usr/share/icons/hicolor/scalable/apps/org.tavlora.Tavlora.svg \
         ./usr/share/icons/hicolor/scalable/mimetypes/application-x-vorn3-turn-set.svg \
         ./usr/share/tavlora/vorn3/Buttons.txt ./usr/share/tavlora/examples/mill.set \
         ./usr/share/tavlora/library/Spindle.json; do
  grep -qx "$f" "$out/contents" || fail "the package lacks $f"
done
grep -v '^\./usr/' "$out/contents" | grep -v '^\./$' | grep -q . && fail "files outside /usr: $(grep -v '^\./usr/' "$out/contents" | head -3)"
# Installed programs are stripped.
dpkg-deb -x "$deb" "$out/root"
file "$out/root/usr/bin/tavlora" | grep -q 'not stripped' && fail "tavlora is not stripped"

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
exit $((failures > 0))
