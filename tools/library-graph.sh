#!/usr/bin/env bash
# Draws which of our libraries and programs link which, from a configured build folder:
# CMake's --graphviz output without the tests, the test support and outside libraries,
# rendered by graphviz's dot.
#   tools/library-graph.sh [BUILD_DIR] [OUT.svg]     (defaults: build, docs/libraries.svg)
# Solid arrows are public links, dotted ones private, dashed ones interface-only.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/libraries.svg}
[ -f "$build/CMakeCache.txt" ] || { echo "$build is no configured build folder" >&2; exit 1; }
command -v dot >/dev/null || { echo "graphviz is not installed (apt-get install graphviz)" >&2; exit 1; }

# CMake reads its graph options from the build folder; the file is ours only for this run.
options=$build/CMakeGraphVizOptions.cmake
[ -e "$options" ] && { echo "$options exists already; move it away first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work" "$options"' EXIT
cat > "$options" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "libraries")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^tests_" "^fuzz_" "^kv_test_" "^kv_fuzz_" "::")
OPTIONS
cmake --graphviz="$work/libraries.dot" "$build" >/dev/null

# Without CMake's legend (it lists kinds of target we have none of) and without the loops
# some targets draw to themselves.
awk '
    /^subgraph clusterLegend/ { legend = 1 }
    legend { if ($0 ~ /^}/) legend = 0; next }
    $2 == "->" && $1 == $3 { next }
    { print }
    /^digraph/ { print "  rankdir = TB; node [ fontname = \"sans-serif\" ];" }
' "$work/libraries.dot" > "$work/filtered.dot"
mkdir -p "$(dirname "$out")"
dot -Tsvg "$work/filtered.dot" -o "$out"
echo "$out"
