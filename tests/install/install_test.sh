#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed programs from there, away from the build
# folder: the command line simulates, writes Verilog (which needs the installed support cells) and draws a
# picture, the editor draws a screenshot, and the desktop entry, the icon and the file type are in place.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
fail() { echo "install test: $*" >&2; exit 1; }

[ "$(bin/novra-cli --version)" = "$(QT_QPA_PLATFORM=offscreen bin/novra --version | sed 's/^novra/novra-cli/')" ] ||
  fail "the programs disagree on their version"
bin/novra-cli --version | grep -Eq '^novra-cli [0-9]+\.[0-9]+' || fail "novra-cli --version"
bin/novra-cli simulate share/novra/examples/pipeline.pol > sim.txt || fail "simulate: $(cat sim.txt)"
grep -q '^sink ' sim.txt || fail "simulate printed no sink"
mkdir out
bin/novra-cli verilog share/novra/examples/pipeline.pol --out out > verilog.txt || fail "verilog: $(cat verilog.txt)"
for f in out/testmodule/muller_c.v out/testmodule/testmodule.v; do
  [ -s "$f" ] || fail "verilog wrote no $f"
done
QT_QPA_PLATFORM=offscreen bin/novra --screenshot shot.png share/novra/examples/pipeline.pol || fail "screenshot"
[ -s shot.png ] || fail "no screenshot"
# A picture from the command line needs no display.
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY bin/novra-cli export share/novra/examples/pipeline.pol net.svg ||
  fail "export"
grep -q '<g class="place"' net.svg || fail "export drew no place"

[ -s share/icons/hicolor/scalable/apps/novra.svg ] || fail "no SVG icon"
for size in 16 32 48 256; do
  [ -s "share/icons/hicolor/${size}x${size}/apps/novra.png" ] || fail "no ${size}px icon"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate share/applications/novra.desktop || fail "desktop entry"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database share/mime
  grep -q 'application/x-novra-net:\*\.pol' share/mime/globs || fail "no file type for *.pol"
fi
echo "install test: passed"
