#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop sees there:
# the tree, the desktop entry and AppStream validators, the MIME database and the
# file-type lookup and default application built from it, as the file managers do
# it, the manual pages and the bash completion; then packs the .deb from the same
# build, reads its control fields and contents and runs Debian's package checker
# on it. Exit 77 (skipped, with the reason) when a tool for this is missing.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build="$1" src="$2" version="$3"
for tool in desktop-file-validate update-desktop-database appstreamcli update-mime-database gio \
            cpack dpkg-deb dpkg-shlibdeps lintian man readelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (scripts/setup.sh installs it)"
    exit 77
  fi
done
bash_completion=/usr/share/bash-completion/bash_completion
[ -f "$bash_completion" ] || { echo "SKIPPED: bash-completion is missing (scripts/setup.sh installs it)"; exit 77; }
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
key() { sed -n "s/^$1=//p" "$2"; }

root="$tmp/root"
share="$root/usr/share"
cmake --install "$build" --prefix "$root/usr" >/dev/null
installed="$(cd "$root" && find . -type f | sort)"

# The tree.
for f in bin/TRV424 bin/Rondix012 libexec/trusswick/TRV424; do
  [ -x "$root/usr/$f" ] || fail "$f is not installed as a program"
done
# File managers start the command once per thumbnail: it must not load the widgets.
readelf -d "$root/usr/bin/TRV424" | grep -q 'NEEDED.*libQt6Gui' || fail "bin/TRV424 does not link QtGui as expected"
! readelf -d "$root/usr/bin/TRV424" | grep -q 'NEEDED.*libQt6Widgets' || fail "bin/TRV424 links QtWidgets"
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

# The manual pages render without a warning, and every option of --help is
# under OPTIONS; the completion offers the options and the right files.
mkdir "$tmp/files/folder"
completions() { # PROGRAM WORD...: what bash offers for the last word, sorted
  (cd "$tmp/files" && bash -c 'source "$1"; shift; source "$1"; shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
    $(complete -p "$1" | sed "s/.* -F \([^ ]*\) .*/\1/") "$1" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$bash_completion" "$share/bash-completion/completions/$1" "$@" | LC_ALL=C sort)
}
for program in TRV424 Rondix012; do
  page="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$program.1.gz" 2>"$tmp/man.log")" \
    && [ ! -s "$tmp/man.log" ] || fail "man -l $program.1.gz: $(cat "$tmp/man.log")"
  options="$(sed -n '/^OPTIONS$/,/^[A-Z]/p' <<<"$page")" offered="$(completions "$program" -)"
  for option in $("$root/usr/bin/$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$options" || fail "$program(1) does not describe $option under OPTIONS"
    grep -qx -- "$option" <<<"$offered" || fail "bash does not offer $option for $program: $offered"
  done
done
for case in "TRV424 '':B.LVL a.lvl c.brg folder" "Rondix012 '':c.brg folder" \
            "TRV424 --workdir '':folder" "Rondix012 --folder '':folder"; do
  words="${case%%:*}" want="${case#*:}"
  got="$(eval completions "$words" | xargs)"
  [ "$got" = "$want" ] || fail "bash offers '$got' for $words, not '$want'"
done

# The installed editor in per-user mode, started in a folder it must leave alone
# with its home and XDG folders in temporary places: the settings and the journal
# go there, the data comes from the installed tree, and SIGTERM ends it writing
# the settings and keeping the journal for the next start, as a crash would.
user="$tmp/user" cwd="$tmp/cwd"
mkdir -p "$user/home" "$user/config/trusswick" "$user/state" "$cwd"
{
  printf '%s\r\n' "$share/trusswick/sample.brg"
  printf ' 100  9  200  0  0  400  0 \r\n 1  0  1  1  1  1  1 \r\n 0  0  9000  12000  0  0 \r\n'
  printf 'Colors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 Grid2 Grid3\r\n'
  for c in 4737096 8334380 10526880 255 65535 65280 16777215 5806168 7303023 3158064 5789784 0; do
    printf ' %s \r\n' "$c"
  done
} >"$user/config/trusswick/Trv.ini"
user_env=(env -u XDG_DATA_HOME HOME="$user/home" XDG_CONFIG_HOME="$user/config" XDG_STATE_HOME="$user/state"
          XDG_CACHE_HOME="$user/cache" QT_QPA_PLATFORM=offscreen)
(cd "$cwd" && exec "${user_env[@]}" "$root/usr/bin/TRV424") >"$tmp/editor.log" 2>&1 &
editor=$!
for _ in $(seq 100); do
  [ -f "$user/state/trusswick/TRV0.TMP" ] && break
  sleep 0.1
done
[ -f "$user/state/trusswick/TRV0.TMP" ] || { kill $editor; cat "$tmp/editor.log"; fail "no journal in XDG_STATE_HOME"; }
cmp -s "$user/state/trusswick/TRV0.TMP" "$src/data/sample.brg" || fail "the journal's first state is not the installed sample"
kill -TERM $editor
status=0; wait $editor || status=$?
[ $status -eq 0 ] || fail "the editor did not end cleanly on SIGTERM (status $status): $(cat "$tmp/editor.log")"
grep -q "^ 1  0  1  1  1  1  1 " "$user/config/trusswick/Trv.ini" || fail "the settings were not written at the end"
[ -z "$(ls -A "$cwd")" ] || fail "the editor wrote into the folder it was started in: $(ls -A "$cwd")"
cmp -s "$user/state/trusswick/TRV0.TMP" "$src/data/sample.brg" || fail "SIGTERM did not keep the journal"
# The thumbnailer's command, as a file manager runs it.
"${user_env[@]}" "$root/usr/bin/TRV424" --thumbnail "$tmp/files/c.brg" "$tmp/thumb.png" 128 \
  || fail "the thumbnail command failed"
[ "$(head -c 8 "$tmp/thumb.png" | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "the thumbnail is no PNG"

# The package: same files under /usr, the libraries it needs declared, not shipped.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; fail "cpack"; }
deb="$(echo "$tmp"/pkg/trusswick_"$version"_*.deb)"
[ -f "$deb" ] || { ls "$tmp/pkg"; fail "no trusswick_${version}_*.deb"; }
packed="$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)"
[ "$packed" = "$installed" ] || { diff <(echo "$installed") <(echo "$packed"); fail "the package holds other files than the install"; }
lintian --pedantic --info --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1 \
  || { cat "$tmp/lintian.log"; fail "lintian finds errors or warnings in the package"; }
depends="$(dpkg-deb --field "$deb" Depends)"
for dep in fonts-liberation2 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || fail "Depends lacks $dep: $depends"
done
echo "install tree, desktop files, MIME types and $(basename "$deb") are as expected"
