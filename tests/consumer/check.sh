#!/usr/bin/env bash
# Builds the consumer program against the library three ways: from source,
# installed through CMake's package files, and installed through pkg-config.
# Usage: check.sh [BUILD_DIR]  (installs from BUILD_DIR, default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== consumer: add_subdirectory"
cmake -S "$root/tests/consumer" -B "$work/sub" -DUSE_SUBDIRECTORY=ON -DKSTYPES_SOURCE_DIR="$root" >/dev/null
cmake --build "$work/sub" -j2 >/dev/null
"$work/sub/consumer"

echo "== consumer: find_package after install"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$root/tests/consumer" -B "$work/pkg" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/pkg" >/dev/null
"$work/pkg/consumer"

echo "== consumer: pkg-config"
export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig"
g++ "$root/tests/consumer/main.cpp" -o "$work/pc-consumer" $(pkg-config --cflags --libs kstypes) \
  -Wl,-rpath,"$work/prefix/lib"
"$work/pc-consumer"

# Only the public interface leaves the shared library.
if nm -D --defined-only "$work/prefix/lib/libkstypes.so" | grep -E ' ks::|_ZN2ks' >/dev/null; then
  echo "internal symbols are exported" >&2
  exit 1
fi
echo "consumer checks passed"
