#!/usr/bin/env bash
# The main job: until the editor exists, show the headless tool at work on an example net.
set -euo pipefail
build=${1:-build}
cli="$build/bin/novra-cli"
example="examples/pipeline.pol"
echo "NOVRA: round trip of $example through the version 2.00 writer"
out=$(mktemp --suffix=.pol)
"$cli" save "$example" "$out"
echo "saved to $out"
cat "$out" | tr -d '\r'
