#!/bin/sh
# Fails when a C++ file of src/, tests/ or bench/ differs from the repository's .clang-format,
# naming each line that does.
set -eu
cd "$(dirname "$0")/../.."
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }
find src tests bench -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror
echo "src/, tests/ and bench/ are formatted"
