#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit tests under AddressSanitizer and UBSan, then
# unit, asset contract and end-to-end tests (in an Xvfb the tests start themselves).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUADRILLE_SANITIZE=ON
cmake --build build-sanitize -j "$(nproc)" --target unit_tests
ctest --test-dir build-sanitize --output-on-failure -L unit

ctest --test-dir build --output-on-failure
