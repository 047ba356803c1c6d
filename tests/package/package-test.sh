#!/usr/bin/env bash
# package-test.sh BUILD_FOLDER VERSION: builds the .deb, lists and extracts it, and runs the
# extracted program: --version, list on the packaged demo snapshot, and config.ini read and
# written under XDG_CONFIG_HOME, never beside the program, its first start holding the packaged
# type additions.
set -euo pipefail
if ! command -v dpkg-deb >/dev/null; then
  echo "skipped: dpkg-deb is missing, so no Debian package can be built"
  exit 77
fi
root="$(cd "$(dirname "$0")/../.." && pwd)"
version="$2"
fail() { echo "FAILED: $*" >&2; exit 1; }

deb="$("$root/packaging/build-deb" "$1")"
[ "$(basename "$deb")" = "tarvelgen_${version}_amd64.deb" ] || fail "package named $deb"

contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
echo "$contents"
for path in ./usr/bin/tarvelgen ./usr/share/applications/tarvelgen.desktop \
  ./usr/share/icons/hicolor/scalable/apps/tarvelgen.svg ./usr/share/man/man1/tarvelgen.1.gz \
  ./usr/share/tarvelgen/demo.snapshot ./usr/share/tarvelgen/type-additions.ini \
  ./usr/share/bash-completion/completions/tarvelgen ./usr/share/doc/tarvelgen/copyright; do
  grep -qx "$path" <<<"$contents" || fail "$path is not in the package"
done
depends="$(dpkg-deb --field "$deb" Depends)"
echo "Depends: $depends"
for package in unixodbc libqt6widgets6 libsqlite3-0; do
  grep -q "\b$package\b" <<<"$depends" || fail "$package is not among the dependencies"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb --extract "$deb" "$work/root"
program="$work/root/usr/bin/tarvelgen"
snapshot="$work/root/usr/share/tarvelgen/demo.snapshot"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"

[ "$("$program" --version)" = "tarvelgen $version" ] || fail "--version"
listed="$("$program" list --user hr --database "$snapshot" </dev/null)"
[ "$listed" = $'Procedures outside packages\nHR_API\nHR_AUDIT\nHR_BATCH\nHR_EMPTY\nHR_TYPES' ] ||
  fail "list printed: $listed"

# Reading: the packaged type additions, copied under XDG_CONFIG_HOME, let TIMESTAMP through.
generate=("$program" generate --user hr --database "$snapshot" --output "$work/units")
"${generate[@]}" </dev/null 2>"$work/err" >/dev/null
grep -q "TIMESTAMP not supported" "$work/err" || fail "the demo has no TIMESTAMP argument"
mkdir -p "$XDG_CONFIG_HOME/tarvelgen"
cp "$work/root/usr/share/tarvelgen/type-additions.ini" "$XDG_CONFIG_HOME/tarvelgen/config.ini"
"${generate[@]}" </dev/null 2>"$work/err" >/dev/null
! grep -q "TIMESTAMP" "$work/err" || fail "config.ini under XDG_CONFIG_HOME was not read"
# The folder's bytes as given, UTF-8 or not; a relative XDG_CONFIG_HOME is ignored for ~/.config.
bytes_home="$work/conf"$'\xff'
mkdir -p "$bytes_home/tarvelgen" "$HOME/.config/tarvelgen"
cp "$XDG_CONFIG_HOME/tarvelgen/config.ini" "$bytes_home/tarvelgen/config.ini"
cp "$XDG_CONFIG_HOME/tarvelgen/config.ini" "$HOME/.config/tarvelgen/config.ini"
for config_home in "$bytes_home" relative; do
  XDG_CONFIG_HOME="$config_home" "${generate[@]}" </dev/null 2>"$work/err" >/dev/null
  ! grep -q "TIMESTAMP" "$work/err" || fail "XDG_CONFIG_HOME=$config_home: config.ini was not read"
done

# Writing: the wizard's first start writes the packaged type additions into a new config.ini,
# and, closed by its Cancel button (Alt+C), saves into it.
export XDG_CONFIG_HOME="$work/fresh"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  QT_QPA_PLATFORM=xcb timeout 60 "$1" &
  window="$(timeout 60 xdotool search --sync --onlyvisible --name "^Tarvel Generator$" | head -1)"
  xdotool windowfocus --sync "$window" key alt+c
  wait $!' wizard "$program"
grep -qx "STRING=4096" "$XDG_CONFIG_HOME/tarvelgen/config.ini" ||
  fail "the wizard wrote no config.ini under XDG_CONFIG_HOME"
grep -qx "PLS_INTEGER=ftInteger" "$XDG_CONFIG_HOME/tarvelgen/config.ini" ||
  fail "the first start wrote no type additions into config.ini"
[ ! -e "$work/root/usr/bin/config.ini" ] || fail "config.ini was written beside the program"
echo "package test passed"
