#!/usr/bin/env bash
# The main job: open an example net in the editor. Without a display, show the same net at work through
# novra-cli instead: compile it and run its simulation to the end.
set -euo pipefail
build=${1:-build}
example="examples/serial_adder.pol"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "NOVRA: opening $example"
  exec "$build/bin/novra" "$example"
fi
echo "NOVRA: no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the editor cannot open."
echo "Headless demonstration with novra-cli on $example instead:"
echo
echo "\$ novra-cli compile $example"
"$build/bin/novra-cli" compile "$example" || true
echo
echo "\$ novra-cli simulate $example"
"$build/bin/novra-cli" simulate "$example" || true
echo
echo "To see the editor's picture of this net without a display:"
echo "  $build/bin/novra --screenshot net.png $example"
