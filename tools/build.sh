#!/usr/bin/env bash
# Builds both Windows builds: build/i686 (the product) and build/x86_64 (the one the tests run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
for arch in i686 x86_64; do
  tests=OFF
  [ "$arch" = x86_64 ] && tests=ON
  cmake -S "$root" -B "$root/build/$arch" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" -DQUODRA_TESTS=$tests >/dev/null
  cmake --build "$root/build/$arch" -j "$jobs"
done
