#!/usr/bin/env bash
# The Debian package as it would be installed: built by CPack from this
# build tree into a temporary folder, it must pass lintian with no error,
# and its menu entry must start BRIVO in the user's own folder. Skipped (77)
# when lintian is missing.
set -eu
build=$1
command -v lintian >/dev/null 2>&1 || { echo "skipped: lintian is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
status=0
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v "running with root privileges" "$work/lintian.log" || true
[ "$status" -eq 0 ] || { echo "lintian failed"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
grep -qx 'Exec=brivo --user-folder' "$work/root/usr/share/applications/fr.zorvane.brivo.desktop"
echo "lintian: no error; the menu entry starts BRIVO in its own folder"
