#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop sees there:
# the tree, the desktop entry and AppStream validators, the MIME database and the
# file-type lookup and default application built from it, as the file managers do
# it; then packs the .deb from the same build and reads its control fields and
# contents. Exit 77 (skipped, with the reason) when a tool for this is missing.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build="$1" src="$2" version="$3"
for tool in desktop-file-validate update-desktop-database appstreamcli update-mime-database gio \
            cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (scripts/setup.sh installs it)"
    exit 77
  fi
done
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
key() { sed -n "s/^$1=//p" "$2"; }

root="$tmp/root"
share="$root/usr/share"
cmake --install "$build" --prefix "$root/usr" >/dev/null
installed="$(cd "$root" && find . -type f | sort)"

# The tree.
for f in TRV424 Rondix012; do
  [ -x "$root/usr/bin/$f" ] || fail "bin/$f is not installed as a program"
done
for f in new.brg sample.lvl sample.brg Zarvines_TW_Editor08.txt Tutorial.txt; do
  cmp -s "$src/data/$f" "$share/trusswick/$f" || fail "share/trusswick/$f is missing or differs from data/$f"
done
entries=("$share/applications/org.trusswick.Editor.desktop" "$share/applications/org.trusswick.Converter.desktop")
thumbnailer="$share/thumbnailers/trusswick.thumbnailer"
for f in "${entries[@]}" "$thumbnailer" "$share/mime/packages/trusswick.xml"; do
  [ -s "$f" ] || fail "${f#"$root"} is missing"
done
for entry in "${entries[@]}"; do
  [ -s "$share/icons/hicolor/scalable/apps/$(key Icon "$entry").svg" ] || fail "$entry: its icon is not installed"
  id="$(basename "$entry" .desktop)"
  grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" \
    || fail "$id: the metainfo is missing or names no release $version"
done
[ -x "$root/usr/bin/$(key TryExec "$thumbnailer")" ] || fail "the thumbnailer's TryExec names no installed program"

# The validators, as a software centre and a menu read these files; validate-tree
# also finds each metainfo's desktop entry.
desktop-file-validate "${entries[@]}" || fail "desktop-file-validate"
appstreamcli validate-tree --no-net "$root" >"$tmp/appstream.log" 2>&1 \
  || { cat "$tmp/appstream.log"; fail "appstreamcli validate-tree"; }

# The caches the package triggers build, then the lookups a GLib file manager
# makes: the system's database stays in the path, so a clash with it shows.
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$tmp/home" PATH="$root/usr/bin:$PATH"
update-mime-database "$share/mime"
update-desktop-database "$share/applications"
for entry in "${entries[@]}" "$thumbnailer"; do
  for type in $(key MimeType "$entry" | tr ';' ' '); do
    grep -qx "$type" "$share/mime/types" || fail "$entry: $type is not a declared type"
  done
done
mkdir "$tmp/files"
cp "$src/data/sample.lvl" "$tmp/files/a.lvl"
cp "$src/data/sample.lvl" "$tmp/files/B.LVL"
cp "$src/data/sample.brg" "$tmp/files/c.brg"
printf 'bgb' >"$tmp/files/d.bgb"
for pair in a.lvl:level B.LVL:level c.brg:bridge d.bgb:compact-bridge; do
  file="${pair%%:*}" want="application/x-trusswick-${pair#*:}"
  got="$(gio info -a standard::content-type "$tmp/files/$file" | sed -n 's/^ *standard::content-type: //p')"
  [ "$got" = "$want" ] || fail "$file is seen as '$got', not $want"
done
for type in application/x-trusswick-level application/x-trusswick-bridge; do
  apps="$(gio mime "$type")"
  grep -q "^Default application for .*: org.trusswick.Editor.desktop$" <<<"$apps" \
    || fail "the editor does not open $type: $apps"
done

# The package: same files under /usr, the libraries it needs declared, not shipped.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; fail "cpack"; }
deb="$(echo "$tmp"/pkg/trusswick_"$version"_*.deb)"
[ -f "$deb" ] || { ls "$tmp/pkg"; fail "no trusswick_${version}_*.deb"; }
packed="$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)"
[ "$packed" = "$installed" ] || { diff <(echo "$installed") <(echo "$packed"); fail "the package holds other files than the install"; }
depends="$(dpkg-deb --field "$deb" Depends)"
for dep in fonts-liberation2 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || fail "Depends lacks $dep: $depends"
done
echo "install tree, desktop files, MIME types and $(basename "$deb") are as expected"
