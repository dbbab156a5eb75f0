#!/usr/bin/env bash
# Installs the build into a staging prefix and checks the installed layout:
# the desktop entry, MIME types, icons and metainfo validate, the file manager
# would open each screen-set kind with Tavlora, and the installed tavlora-cli
# renders an installed example with the installed sample Vorn3 folder while
# the source and build trees are out of reach.
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
stage=$(mktemp -d /tmp/tavlora-stage-XXXXXX)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$stage/usr" >"$stage/install.log" 2>&1 || { cat "$stage/install.log"; echo "FAIL: cmake --install"; exit 1; }
share="$stage/usr/share"
for f in bin/tavlora bin/tavlora-cli \
         share/tavlora/vorn3/Buttons.txt share/tavlora/vorn3/LegacyGreen.bmp share/tavlora/vorn3/Bitmaps \
         share/tavlora/examples/mill.set share/tavlora/examples/turn.lset share/tavlora/examples/mill.json \
         share/tavlora/library/Spindle.json share/tavlora/library/Status\ LEDs.json \
         share/applications/org.tavlora.Tavlora.desktop share/metainfo/org.tavlora.Tavlora.metainfo.xml \
         share/mime/packages/org.tavlora.Tavlora.xml share/icons/hicolor/scalable/apps/org.tavlora.Tavlora.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-vorn3-mill-set.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-vorn3-mill-simple-set.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-vorn3-turn-set.svg; do
  [ -e "$stage/usr/$f" ] || fail "not installed: $f"
done

desktop-file-validate "$share/applications/org.tavlora.Tavlora.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.tavlora.Tavlora.metainfo.xml" >"$stage/as.log" 2>&1 \
  || { cat "$stage/as.log"; fail "appstreamcli validate"; }
# Every icon the entries name is installed.
icon=$(sed -n 's/^Icon=//p' "$share/applications/org.tavlora.Tavlora.desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon $icon"
for name in $(sed -n 's/.*generic-icon name="\([^"]*\)".*/\1/p' "$share/mime/packages/org.tavlora.Tavlora.xml"); do
  [ -f "$share/icons/hicolor/scalable/mimetypes/$name.svg" ] || fail "no MIME icon $name"
done

# The MIME database and the desktop database compile (as the package triggers
# do on installation); each kind, in any letter case, is recognised and opened
# with Tavlora.
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$stage/home-data" XDG_CONFIG_HOME="$stage/home-config"
update-mime-database "$share/mime" || fail "update-mime-database"
update-desktop-database "$share/applications" || fail "update-desktop-database"
mkdir -p "$stage/files"
for pair in mill.set:application/x-vorn3-mill-set Mill.SET:application/x-vorn3-mill-set \
            simple.sset:application/x-vorn3-mill-simple-set SIMPLE.Sset:application/x-vorn3-mill-simple-set \
            turn.lset:application/x-vorn3-turn-set TURN.LSET:application/x-vorn3-turn-set; do
  file=${pair%%:*} type=${pair#*:}
  cp "$source/examples/mill.set" "$stage/files/$file"
  got=$(gio info -a standard::content-type "$stage/files/$file" 2>/dev/null | sed -n 's/.*standard::content-type: //p')
  [ "$got" = "$type" ] || fail "$file is '$got', wanted $type"
  PATH="$stage/usr/bin:$PATH" gio mime "$type" 2>/dev/null | grep -q '^Default application.*: org.tavlora.Tavlora.desktop$' \
    || fail "$type is not opened with Tavlora"
done
grep -q '^Exec=tavlora %f$' "$share/applications/org.tavlora.Tavlora.desktop" || fail "Exec passes the file"

# Render and check with the installed program alone, as a normal user would:
# as root, the user nobody runs it over the read-only installed tree; the
# source and build trees are hidden.
chmod 755 "$stage"
mkdir -p "$stage/home" && chmod 777 "$stage/home"
as_user() {
  if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"; else "$@"; fi
}
cli() {
  as_user env -i PATH=/usr/bin:/bin HOME="$stage/home" QT_QPA_PLATFORM=offscreen "$stage/usr/bin/tavlora-cli" "$@"
}
render() { # output
  cli render "$share/tavlora/examples/mill.set" --screen 1 -o "$1"
}
export -f as_user cli render; export stage share
hide="mount -t tmpfs none '$source'"
case "$build" in "$source"/*) ;; *) hide="$hide && mount -t tmpfs none '$build'" ;; esac
if unshare --mount sh -c "$hide" 2>/dev/null; then
  unshare --mount bash -c "$hide && [ ! -e '$source/CMakeLists.txt' ] && render '$stage/home/installed.png'" \
    2>"$stage/render.err" || fail "installed render ($(head -c 300 "$stage/render.err"))"
  unshare --mount bash -c "$hide && cli check --werror '$share/tavlora/examples/mill.set' '$share/tavlora/examples/turn.lset' \
    '$share/tavlora/examples/minimal.set'" >"$stage/check.out" 2>&1 \
    || fail "installed check: $(grep -v ' note ' "$stage/check.out" | head -c 400)"
else
  echo "note: cannot hide the source tree here (no mount namespace); rendering beside it"
  render "$stage/home/installed.png" 2>"$stage/render.err" || fail "installed render"
  cli check --werror "$share/tavlora/examples/mill.set" >"$stage/check.out" 2>&1 || fail "installed check"
fi
# Every picture of the read-only installed folder is found and read.
[ -s "$stage/render.err" ] && fail "installed render complained: $(head -c 300 "$stage/render.err")"
# The same screen from the build tree with the source sample folder: identical.
QT_QPA_PLATFORM=offscreen "$build/src/tavlora-cli" render "$source/examples/mill.set" --screen 1 \
  --vorn3 "$source/share/vorn3" -o "$stage/build.png" >/dev/null 2>&1
cmp -s "$stage/home/installed.png" "$stage/build.png" || fail "the installed render differs from the build tree's"

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
exit $((failures > 0))
