#!/usr/bin/env bash
# Checks what an installation brings: the launcher and software-centre files pass the
# freedesktop validators, `cmake --install` puts every file where desktops look for
# it (the program in bin/ below a home prefix, in games/ below /usr), and the .deb
# holds the same files as an install to /usr, depends on every package the program
# loads at run time, is built hardened, and passes lintian without errors or warnings.
#
# It builds the release it checks itself, as distribution build helpers do: with
# CMake's default generator (Unix Makefiles) and the release flags.
#
# usage: tests/packaging/check.sh [BUILD_DIR]     (default: build-package)
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -le 1 ] || { echo "usage: $0 [BUILD_DIR]" >&2; exit 2; }
BUILD=$(realpath -m "${1:-$root/build-package}")
echo "== release build with CMake's default generator in $BUILD"
mkdir -p "$BUILD"
if ! env -u CMAKE_GENERATOR cmake -S "$root" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
       -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$BUILD/check-configure.log" 2>&1 ||
   ! cmake --build "$BUILD" -j "$(nproc)" >"$BUILD/check-build.log" 2>&1; then
  tail -n 30 "$BUILD/check-configure.log" "$BUILD/check-build.log" 2>/dev/null
  echo "the release build failed" >&2
  exit 1
fi
rm -f "$BUILD/check-configure.log" "$BUILD/check-build.log"

ID=org.orvanta.Orvanta
DESKTOP=$root/packaging/$ID.desktop
METAINFO=$root/packaging/$ID.metainfo.xml
ICON_SIZES=(48 64 128 256)
# what the program needs beyond what its linked libraries name: the fonts it asks for
# by family
RUNTIME_PACKAGES=(libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libgif7
                  fonts-liberation2 fonts-noto-cjk)

SCRATCH=$(mktemp -d /tmp/orvanta-packaging.XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT
PASSED=0 FAILED=0

check() {  # check "what" command...: runs the command, reports, never stops the run
  local what=$1
  shift
  local out
  if out=$("$@" 2>&1); then
    PASSED=$((PASSED + 1))
    echo "ok   $what"
  else
    FAILED=$((FAILED + 1))
    echo "FAIL $what"
    [ -n "$out" ] && sed 's/^/       /' <<<"$out"
  fi
}

# the value of KEY in the [Desktop Entry] group
desktop_value() {
  awk -F= -v key="$2" '/^\[/ { group = $0 } group == "[Desktop Entry]" && $1 == key { print substr($0, length(key) + 2) }' "$1"
}

desktop_fields() {  # desktop_fields FILE EXEC: EXEC is the Exec value expected
  local f=$1 exec=$2 bad=0
  [ "$(desktop_value "$f" Type)" = Application ] || { echo "Type is not Application"; bad=1; }
  [ "$(desktop_value "$f" Name)" = Orvanta ] || { echo "Name is not Orvanta"; bad=1; }
  [ -n "$(desktop_value "$f" Comment)" ] || { echo "no Comment"; bad=1; }
  # started with no arguments: the game takes none
  [ "$(desktop_value "$f" Exec)" = "$exec" ] || { echo "Exec is '$(desktop_value "$f" Exec)', not '$exec'"; bad=1; }
  [ "$(desktop_value "$f" Icon)" = "$ID" ] || { echo "Icon is not $ID"; bad=1; }
  local categories=";$(desktop_value "$f" Categories)"
  for c in Game CardGame; do
    [[ $categories == *";$c;"* ]] || { echo "Categories lack $c"; bad=1; }
  done
  return $bad
}

# The program a launcher's Exec starts, undoing the desktop entry's escapes: first
# those of a string value, then the quoting of an argument, then %%.
exec_program() {
  python3 - "$(desktop_value "$1" Exec)" <<'PY'
import re, sys
value = re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(m.group(1), m.group(1)), sys.argv[1])
if value.startswith('"'):
    assert value.endswith('"') and len(value) > 1, "unterminated quote"
    value = re.sub(r'\\([\\"`$])', r"\1", value[1:-1])
else:
    assert not re.search(r'[ \t"\'\\<>~|&;$*?#()`]', value), "reserved character outside quotes"
print(value.replace("%%", "%"))
PY
}

# the launcher below PREFIX starts PROGRAM, an absolute path, found at ROOT/PROGRAM
launcher_starts() {
  local prefix=$1 program=$2 root=$3 desktop=$1/share/applications/$ID.desktop got
  got=$(exec_program "$desktop") || return 1
  [ "$got" = "$program" ] || { echo "Exec starts '$got', not '$program'"; return 1; }
  [ -x "$root$program" ] || { echo "$root$program is not an installed program"; return 1; }
}

metainfo_fields() {
  local f=$1 bad=0
  grep -q "<id>$ID</id>" "$f" || { echo "id is not $ID"; bad=1; }
  grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$f" || { echo "launchable is not $ID.desktop"; bad=1; }
  grep -q "<binary>orvanta</binary>" "$f" || { echo "does not provide the binary orvanta"; bad=1; }
  grep -q '<content_rating type="oars-1.1">' "$f" || { echo "no OARS content rating"; bad=1; }
  grep -q '<content_attribute id="money-purchasing">none</content_attribute>' "$f" || { echo "in-app purchases not ruled out"; bad=1; }
  grep -Eq '<image>https://[^<]+\.png</image>' "$f" || { echo "no screenshot image"; bad=1; }
  return $bad
}

# the files an installation must hold, below PREFIX (.../usr), with the program in BINDIR
installed_files() {
  local prefix=$1 bindir=$2 bad=0
  [ -x "$prefix/$bindir/orvanta" ] || { echo "$bindir/orvanta missing or not executable"; bad=1; }
  for other in bin games; do
    [ "$other" = "$bindir" ] || [ ! -e "$prefix/$other/orvanta" ] || { echo "a second program in $other/"; bad=1; }
  done
  [ -f "$prefix/share/applications/$ID.desktop" ] || { echo "desktop file missing"; bad=1; }
  [ -f "$prefix/share/metainfo/$ID.metainfo.xml" ] || { echo "metainfo missing"; bad=1; }
  for px in "${ICON_SIZES[@]}"; do
    local icon=$prefix/share/icons/hicolor/${px}x${px}/apps/$ID.png
    if [ ! -f "$icon" ]; then
      echo "no ${px}x${px} icon"; bad=1
    elif [ "$(/usr/bin/identify -format '%wx%h' "$icon")" != "${px}x${px}" ]; then
      echo "the ${px}x${px} icon is $(/usr/bin/identify -format '%wx%h' "$icon")"; bad=1
    fi
  done
  # the 48-pixel icon is the program's own MAINICON
  cmp -s "$prefix/share/icons/hicolor/48x48/apps/$ID.png" "$root/assets/app/mainicon.png" ||
    { echo "the 48x48 icon is not assets/app/mainicon.png"; bad=1; }
  [ -f "$prefix/share/man/man6/orvanta.6.gz" ] || { echo "no manual page man6/orvanta.6.gz"; bad=1; }
  for doc in changelog.gz copyright; do
    [ -f "$prefix/share/doc/orvanta/$doc" ] || { echo "no doc/orvanta/$doc"; bad=1; }
  done
  return $bad
}

# the manual page renders without a warning from man or groff, and its NAME line is
# what whatis and apropos list
manual_page() {
  local page=$1 out warnings
  warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$warnings"; return 1; }
  out=$(lexgrog "$page")
  [[ $out == *'"orvanta - three-card betting game'* ]] || { echo "lexgrog: $out"; return 1; }
}

# the changelog's newest entry, the package and the software-centre entry's newest
# release name the same version
same_version() {
  local deb=$1 changelog=$2 version newest
  version=$(dpkg-deb -f "$deb" Version)
  newest=$(dpkg-parsechangelog -l "$changelog" -SVersion)
  [ "$newest" = "$version" ] || { echo "the changelog's newest entry is $newest, the package $version"; return 1; }
  grep -q "<release version=\"$version\"" "$METAINFO" ||
    { echo "the metainfo has no release $version"; return 1; }
}

# lintian as a packager runs it: no error, no warning; other tags are listed
lintian_clean() {
  local out
  out=$(lintian --info --display-info --pedantic "$1" 2>&1 | grep -v 'running with root privileges')
  [ -n "$out" ] && echo "$out"
  ! grep -q '^[EW]: ' <<<"$out"
}

# the package names in a Depends field, without versions; alternatives count each
depends_names() {
  tr ',|' '\n\n' <<<"$1" | sed 's/(.*)//; s/:.*//; s/[[:space:]]//g' | grep -v '^$' | sort -u
}

# the package that owns a library file; usrmerge lists some under /lib, some under /usr/lib
owner_of() {
  local path=$1 real
  real=$(realpath "$path")
  for p in "$path" "$real" "${path#/usr}" "${real#/usr}" "/usr$path"; do
    dpkg-query -S "$p" 2>/dev/null | head -1 | cut -d: -f1 && return 0
  done
  return 1
}

depends_cover_needs() {
  local deb=$1 bin=$2 bad=0 names
  names=$(depends_names "$(dpkg-deb -f "$deb" Depends)")
  for p in "${RUNTIME_PACKAGES[@]}"; do
    grep -qx "$p" <<<"$names" || { echo "Depends lacks $p"; bad=1; }
  done
  # every library the program itself is linked with comes from a package it depends on
  # (what those libraries need in turn, their own packages bring)
  local resolved
  resolved=$(ldd "$bin")
  for lib in $(readelf -d "$bin" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    local path owner
    path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' <<<"$resolved")
    [ -n "$path" ] && [ "$path" != "not" ] || { echo "$lib is not found"; bad=1; continue; }
    owner=$(owner_of "$path") || { echo "$lib ($path) belongs to no package"; bad=1; continue; }
    grep -qx "$owner" <<<"$names" || { echo "$lib comes from $owner, which Depends lacks"; bad=1; }
  done
  return $bad
}

same_file_lists() {
  diff <(cd "$1" && find . -type f | sort) <(cd "$2" && find . -type f | sort)
}

only_below_usr() {
  local stray
  stray=$(dpkg-deb -c "$1" | awk '{ print $6 }' | grep -v -e '^\./$' -e '^\./usr/')
  [ -z "$stray" ] || { echo "outside /usr: $stray"; return 1; }
}

# every compile command of the program carries FLAG
compiled_with() {
  python3 - "$BUILD/compile_commands.json" "$1" <<'PY'
import json, sys
commands = json.load(open(sys.argv[1]))
lacking = [c["file"] for c in commands if sys.argv[2] not in c["command"].split()]
for f in lacking:
    print("compiled without " + sys.argv[2] + ": " + f)
sys.exit(1 if lacking or not commands else 0)
PY
}

check "the build's generator is Unix Makefiles" grep -qx 'CMAKE_GENERATOR:INTERNAL=Unix Makefiles' "$BUILD/CMakeCache.txt"
check "every file compiled with -fstack-clash-protection" compiled_with -fstack-clash-protection

echo "== launcher and software-centre files"
check "desktop-file-validate $ID.desktop" desktop-file-validate "$DESKTOP"
check "appstreamcli validate --no-net $ID.metainfo.xml" appstreamcli validate --no-net "$METAINFO"
check "desktop entry: name, comment, Exec without arguments, icon, categories" desktop_fields "$DESKTOP" orvanta
check "metainfo: id, launchable, binary, content rating, screenshot" metainfo_fields "$METAINFO"

echo "== cmake --install to a home prefix: the program in bin/"
# a blank and a dollar in the path: the launcher must quote and escape them
HOME_PREFIX="$SCRATCH/home of \$USER/.local"
check "cmake --install --prefix '$HOME_PREFIX'" cmake --install "$BUILD" --prefix "$HOME_PREFIX"
check "installed: bin/orvanta, desktop file, metainfo, icons at ${ICON_SIZES[*]}, manual page, changelog, copyright" \
  installed_files "$HOME_PREFIX" bin
check "desktop-file-validate on the installed launcher" desktop-file-validate "$HOME_PREFIX/share/applications/$ID.desktop"
check "the launcher starts $HOME_PREFIX/bin/orvanta" launcher_starts "$HOME_PREFIX" "$HOME_PREFIX/bin/orvanta" ""

echo "== cmake --install to /usr (DESTDIR): the program in games/"
check "DESTDIR=... cmake --install --prefix /usr" env DESTDIR="$SCRATCH/system" cmake --install "$BUILD" --prefix /usr
check "installed: games/orvanta, desktop file, metainfo, icons, manual page, changelog, copyright" \
  installed_files "$SCRATCH/system/usr" games
check "the launcher starts /usr/games/orvanta" launcher_starts "$SCRATCH/system/usr" /usr/games/orvanta "$SCRATCH/system"
check "man --warnings and lexgrog on orvanta(6)" manual_page "$SCRATCH/system/usr/share/man/man6/orvanta.6.gz"

echo "== .deb"
if (cd "$BUILD" && cpack -G DEB -B "$SCRATCH/cpack") >"$SCRATCH/cpack.log" 2>&1; then
  DEB=$(ls "$SCRATCH"/cpack/*.deb 2>/dev/null | head -1)
fi
if [ -z "${DEB:-}" ]; then
  FAILED=$((FAILED + 1))
  echo "FAIL cpack made no .deb"
  sed 's/^/       /' "$SCRATCH/cpack.log"
else
  dpkg -x "$DEB" "$SCRATCH/root"
  check "package name is orvanta" test "$(dpkg-deb -f "$DEB" Package)" = orvanta
  check "unpacked: games/orvanta, desktop file, metainfo, icons, manual page, changelog, copyright" \
    installed_files "$SCRATCH/root/usr" games
  check "the package holds what cmake --install to /usr installs" same_file_lists "$SCRATCH/root" "$SCRATCH/system"
  check "nothing outside /usr" only_below_usr "$DEB"
  check "Depends: ${RUNTIME_PACKAGES[*]} and every linked library's package" \
    depends_cover_needs "$DEB" "$SCRATCH/root/usr/games/orvanta"
  # Qt's private interface is used: the package runs only on the Qt it was built with
  QT_ABI=$(dpkg-query -W -f '${Version}' libqt6core6 | sed 's/^[0-9]*://; s/[+~-].*//')
  check "Depends: qt6-base-abi (= $QT_ABI)" grep -qF "qt6-base-abi (= $QT_ABI)" <(dpkg-deb -f "$DEB" Depends)
  check "Recommends: qt6-wayland" test "$(dpkg-deb -f "$DEB" Recommends)" = qt6-wayland
  check "changelog, package and metainfo at one version" same_version "$DEB" "$root/packaging/changelog"
  check "appstreamcli validate-tree --no-net on the unpacked tree" appstreamcli validate-tree --no-net "$SCRATCH/root"
  # Debian 12's compiler sets no control-flow marks whatever the flags
  check "hardening-check --nocfprotection: PIE, stack protector, fortify, RELRO, bindnow" \
    hardening-check --nocfprotection "$SCRATCH/root/usr/games/orvanta"
  check "lintian: no error, no warning" lintian_clean "$DEB"
  dpkg-deb -I "$DEB" | sed -n 's/^ \(Depends:.*\)/       \1/p'
fi

echo "packaging checks: $PASSED hold, $FAILED do not"
[ "$FAILED" -eq 0 ]
