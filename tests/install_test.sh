#!/usr/bin/env bash
# Installs the program as a user or a distribution would, and checks what lands where.
#   install_test.sh BUILD_DIR tree   cmake --install into a staging root (DESTDIR), prefix /usr
#   install_test.sh BUILD_DIR deb    cpack builds the .deb, which is unpacked into a staging root
# Exits 77 (skipped) when everything checked passed but a validator is not installed.
set -euo pipefail

build="$(cd "$1" && pwd)"
mode="$2"
tests="$(cd "$(dirname "$0")" && pwd)"
icons="$tests/../data/icons"
id=io.github.tallimo.Tallimo
sizes=(32 48 64 96 128)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

expected=(
  usr/bin/tallimo
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
)
for size in "${sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done

case "$mode" in
  tree)
    DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log"
    ;;
  deb)
    command -v dpkg-shlibdeps >/dev/null ||
      { echo "dpkg-shlibdeps is missing: run scripts/install-deps test" >&2; exit 1; }
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" ||
      { cat "$work/cpack.log" >&2; exit 1; }
    debs=("$work"/package/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "want one .deb, got: ${debs[*]}" >&2; exit 1; }
    deb="${debs[0]}"
    [ "$(basename "$deb")" = "tallimo_2.0_$(dpkg --print-architecture).deb" ] ||
      fail "package file is named $(basename "$deb")"
    for field in Package:tallimo Version:2.0 Section:education; do
      value="$(dpkg-deb -f "$deb" "${field%%:*}")"
      [ "$value" = "${field#*:}" ] || fail "${field%%:*} is '$value', want '${field#*:}'"
    done
    depends="$(dpkg-deb -f "$deb" Depends)"
    # The libraries come from dpkg-shlibdeps; the font cannot be found that way.
    for wanted in 'fonts-wqy-microhei' 'libc6 (>=' 'libqt6core6 (>='; do
      [[ "$depends" == *"$wanted"* ]] || fail "Depends lacks '$wanted': $depends"
    done
    # The listing and the unpacked tree must agree: dpkg installs what the listing shows.
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/listed"
    dpkg-deb -x "$deb" "$root"
    (cd "$root" && find . -type f -printf '%P\n' | sort) | diff -u "$work/listed" - ||
      fail "dpkg-deb -c and the unpacked files differ"
    ;;
  *) echo "usage: $0 BUILD_DIR tree|deb" >&2; exit 2 ;;
esac

printf '%s\n' "${expected[@]}" | sort >"$work/expected"
(cd "$root" && find . \( -type f -o -type l \) -printf '%P\n' | sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the expected layout"

[ -x "$root/usr/bin/tallimo" ] || fail "usr/bin/tallimo is not executable"
cmp -s "$icons/tallimo.svg" "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" ||
  fail "scalable icon differs from data/icons/tallimo.svg"
for size in "${sizes[@]}"; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$png" ] || continue
  cmp -s "$icons/tallimo-$size.png" "$png" || fail "$size px icon differs from data/icons/tallimo-$size.png"
  python3 "$tests/check_icon_png.py" "$png" "$size" || fail "$size px icon"
done

# The three files name each other; a desktop only ties them together when the names agree.
desktop="$root/usr/share/applications/$id.desktop"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
if [ -f "$desktop" ]; then
  exec_line="$(grep '^Exec=' "$desktop" || true)"
  [ "$exec_line" = "Exec=tallimo" ] || fail "desktop entry has '$exec_line', want Exec=tallimo"
  icon_line="$(grep '^Icon=' "$desktop" || true)"
  [ "$icon_line" = "Icon=$id" ] || fail "desktop entry has '$icon_line', want Icon=$id"
fi
if [ -f "$metainfo" ]; then
  grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $id.desktop"
fi

missing_validators=()
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
else
  missing_validators+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  # validate-tree also checks that the desktop entry the metainfo launches is installed.
  appstreamcli validate-tree --no-net "$root/usr" || fail "appstreamcli rejects the installed tree"
else
  missing_validators+=(appstreamcli)
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
if [ ${#missing_validators[@]} -gt 0 ]; then
  echo "Skipped validation, missing: ${missing_validators[*]} (scripts/install-deps test)" >&2
  exit 77
fi
echo "$mode: ${#expected[@]} files in place, icons and metadata valid"
