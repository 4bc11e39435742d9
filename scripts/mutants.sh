#!/usr/bin/env bash
# Applies the one-line faults of scripts/mutants.txt one at a time to a scratch checkout of HEAD, rebuilds,
# runs the test suite and reports which faults the suite catches. The working tree is never touched.
#
#   scripts/mutants.sh [--only N[,N...]] [--first REGEX] [--work DIR]
#
# --only runs the listed faults (numbered from 1 in file order); the tests a fault names as likely to catch
# it (or those matching --first REGEX) run before the rest, so that a fault they catch costs only them;
# --work keeps the scratch checkout and its build in DIR (default: a folder under /tmp, reused between
# runs). The last line says "mutants: N caught, N missed".
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
list="$root/scripts/mutants.txt"
work="${TMPDIR:-/tmp}/novra-mutants"
only=""
first=""
while [ $# -gt 0 ]; do
  case "$1" in
    --only) only="$2"; shift 2 ;;
    --first) first="$2"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    *) echo "usage: scripts/mutants.sh [--only N[,N...]] [--first REGEX] [--work DIR]" >&2; exit 2 ;;
  esac
done

src="$work/src"
build="$work/build"
mkdir -p "$work"
# The run reads its own copy: the list may be edited while it goes on.
cp "$list" "$work/mutants.txt"
list="$work/mutants.txt"
if [ -d "$src/.git" ] || [ -f "$src/.git" ]; then
  git -C "$src" checkout -q --detach "$(git rev-parse HEAD)"
  git -C "$src" checkout -q -- .
else
  git worktree add -q --detach "$src" HEAD
fi

bash scripts/install-deps.sh
cmake -S "$src" -B "$build" -G Ninja -DNOVRA_BUILD_BENCH=OFF >/dev/null
echo "baseline: building and running every test"
cmake --build "$build" -j "$(nproc)" >"$work/build.log" 2>&1 || { echo "baseline does not build, see $work/build.log"; exit 1; }
(cd "$build" && ctest -j "$(nproc)" --timeout 600 >"$work/baseline.log" 2>&1) ||
  { echo "baseline fails its tests, see $work/baseline.log"; exit 1; }

# Replaces the one place of text in file; exit 3 when it stands there not exactly once.
apply() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1:4]
unescape = lambda s: s.replace("<NL>", "\n")
old, new = unescape(old), unescape(new)
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(3)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

caught=0 missed=0 stale=0 n=0
while IFS=$'\t' read -r file old new what hint; do
  case "$file" in ''|'#'*) continue ;; esac
  n=$((n + 1))
  if [ -n "$only" ] && ! [[ ",$only," == *",$n,"* ]]; then continue; fi
  status=0
  apply "$src/$file" "$old" "$new" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$n stale   $file: $what (the text is not there once)"
    stale=$((stale + 1))
    continue
  fi
  if ! cmake --build "$build" -j "$(nproc)" >"$work/mutant-$n.log" 2>&1; then
    verdict="caught (does not build)"
  elif [ -n "${first:-$hint}" ] &&
    ! (cd "$build" && ctest -j "$(nproc)" --timeout 600 --stop-on-failure -R "${first:-$hint}" >>"$work/mutant-$n.log" 2>&1); then
    verdict="caught"
  elif (cd "$build" && ctest -j "$(nproc)" --timeout 600 --stop-on-failure >>"$work/mutant-$n.log" 2>&1); then
    verdict="MISSED"
  else
    verdict="caught"
  fi
  git -C "$src" checkout -q -- "$file"
  if [ "$verdict" = "MISSED" ]; then missed=$((missed + 1)); else caught=$((caught + 1)); fi
  echo "$n $verdict  $file: $what"
done <"$list"

# Leave the build matching HEAD for the next run.
cmake --build "$build" -j "$(nproc)" >/dev/null 2>&1 || true
echo "faults: $n listed, $stale stale"
echo "mutants: $caught caught, $missed missed"
