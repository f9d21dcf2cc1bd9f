#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted with the
# repository's .clang-format (skipped, status 77, without clang-format).
set -uo pipefail
top="$1"
formatter=$(command -v clang-format-14 || command -v clang-format) || { echo "clang-format not found"; exit 77; }
cd "$top" || exit 1
mapfile -t files < <(find src tools tests -name '*.cpp' -o -name '*.h' | sort)
"$formatter" --dry-run --Werror "${files[@]}"
