#!/usr/bin/env bash
# Times the template engine against mustache.js on the same templates and data, both
# pinned to the same CPUs, and prints each engine's fastest time per template and mode
# with the ratio (mustache.js time / engine time). Not part of the tests.
# usage: scripts/compare-template-engines.sh [build folder] [runs]
# CPUS=2,3 chooses the CPUs (taskset list). Needs node and npm (Debian: nodejs npm).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=${2:-3}
cpus=${CPUS:-2,3}
here=tests/formats/template/comparison
work="$build/template-comparison"

# node and npm are not part of the build or test setup: say what to install.
need() {
  command -v "$1" > /dev/null && return
  echo "$1 is missing: $2. Install it with: apt-get install $3" >&2
  exit 1
}
need node "the comparison runs mustache.js with it" "nodejs npm"
need npm "the comparison installs mustache.js into $work with it" "nodejs npm"
need taskset "the comparison pins both engines to CPUs $cpus with it" "util-linux"
if [ ! -d "$work/node_modules/mustache" ]; then
  mkdir -p "$work"
  if ! npm install --prefix "$work" --no-audit --no-fund --silent mustache@4.2.0; then
    echo "npm could not install mustache@4.2.0 into $work (is the npm registry reachable?)" >&2
    exit 1
  fi
fi
cmake --build "$build" --target vendrel_template_comparison -j 3

rm -rf "$work/output" && mkdir -p "$work/output/vendrel" "$work/output/mustache"
: > "$work/vendrel.tsv"
: > "$work/mustache.tsv"
# Alternate the engines so a slow spell of the machine hits both.
for ((run = 1; run <= runs; ++run)); do
  taskset -c "$cpus" "$build/tests/formats/template/vendrel_template_comparison" "$here/cases.json" \
    "$work/output/vendrel" >> "$work/vendrel.tsv"
  taskset -c "$cpus" node "$here/mustache-js.js" time "$work/node_modules/mustache" "$here/cases.json" \
    "$work/output/mustache" >> "$work/mustache.tsv"
done

if ! diff -r "$work/output/vendrel" "$work/output/mustache"; then
  echo "the engines render differently" >&2
  exit 1
fi
node "$here/mustache-js.js" table "$work/vendrel.tsv" "$work/mustache.tsv"
