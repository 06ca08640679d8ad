#!/usr/bin/env bash
# Checks what an installation brings: the launcher and software-centre files pass the
# freedesktop validators, `cmake --install` puts every file where desktops look for
# it, and the .deb holds the same files and depends on every package the program
# loads at run time.
#
# usage: tests/packaging/check.sh BUILD_DIR     (BUILD_DIR holds a built orvanta)
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
BUILD=$(realpath "$1")
[ -x "$BUILD/orvanta" ] || { echo "no built program in $BUILD" >&2; exit 2; }

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

desktop_fields() {
  local f=$1 bad=0
  [ "$(desktop_value "$f" Type)" = Application ] || { echo "Type is not Application"; bad=1; }
  [ "$(desktop_value "$f" Name)" = Orvanta ] || { echo "Name is not Orvanta"; bad=1; }
  [ -n "$(desktop_value "$f" Comment)" ] || { echo "no Comment"; bad=1; }
  # started with no arguments: the game takes none
  [ "$(desktop_value "$f" Exec)" = orvanta ] || { echo "Exec is '$(desktop_value "$f" Exec)'"; bad=1; }
  [ "$(desktop_value "$f" Icon)" = "$ID" ] || { echo "Icon is not $ID"; bad=1; }
  local categories=";$(desktop_value "$f" Categories)"
  for c in Game CardGame; do
    [[ $categories == *";$c;"* ]] || { echo "Categories lack $c"; bad=1; }
  done
  return $bad
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

# the files an installation must hold, below PREFIX (.../usr)
installed_files() {
  local prefix=$1 bad=0
  [ -x "$prefix/bin/orvanta" ] || { echo "bin/orvanta missing or not executable"; bad=1; }
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
  return $bad
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

echo "== launcher and software-centre files"
check "desktop-file-validate $ID.desktop" desktop-file-validate "$DESKTOP"
check "appstreamcli validate --no-net $ID.metainfo.xml" appstreamcli validate --no-net "$METAINFO"
check "desktop entry: name, comment, Exec without arguments, icon, categories" desktop_fields "$DESKTOP"
check "metainfo: id, launchable, binary, content rating, screenshot" metainfo_fields "$METAINFO"

echo "== cmake --install"
check "cmake --install into a scratch prefix" cmake --install "$BUILD" --prefix "$SCRATCH/install/usr"
check "installed: binary, desktop file, metainfo, icons at ${ICON_SIZES[*]}" installed_files "$SCRATCH/install/usr"

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
  check "unpacked: binary, desktop file, metainfo, icons at ${ICON_SIZES[*]}" installed_files "$SCRATCH/root/usr"
  check "the package holds what cmake --install installs" same_file_lists "$SCRATCH/root" "$SCRATCH/install"
  check "nothing outside /usr" only_below_usr "$DEB"
  check "Depends: ${RUNTIME_PACKAGES[*]} and every linked library's package" \
    depends_cover_needs "$DEB" "$SCRATCH/root/usr/bin/orvanta"
  check "appstreamcli validate-tree --no-net on the unpacked tree" appstreamcli validate-tree --no-net "$SCRATCH/root"
  dpkg-deb -I "$DEB" | sed -n 's/^ \(Depends:.*\)/       \1/p'
fi

echo "packaging checks: $PASSED hold, $FAILED do not"
[ "$FAILED" -eq 0 ]
