#!/usr/bin/env bash
# Lists the C++ files that differ from the style in .clang-format, and exits 1 if there is any.
#   tools/check-format.sh [FILE...]      (default: every .cpp and .h that git tracks, or
#                                          outside a git checkout every one but in build*/)
# Needs clang-format 14 (Debian 12's clang-format): another version formats a few constructs
# differently. CLANG_FORMAT names another binary.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${CLANG_FORMAT:-}
if [ -z "$tool" ]; then
    for candidate in clang-format-14 clang-format; do
        command -v "$candidate" >/dev/null && { tool=$candidate; break; }
    done
fi
[ -n "$tool" ] || { echo "clang-format is not installed (apt-get install clang-format)" >&2; exit 2; }

if [ $# -gt 0 ]; then
    files=("$@")
elif git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -type f -print | sed 's|^\./||' | sort)
fi

out_of_format=0
for file in "${files[@]}"; do
    if ! "$tool" --style=file "$file" | cmp -s - "$file"; then
        echo "$file"
        out_of_format=$((out_of_format + 1))
    fi
done
if [ "$out_of_format" -gt 0 ]; then
    echo "$out_of_format file(s) out of format; $tool -i FILE... formats them" >&2
    exit 1
fi
