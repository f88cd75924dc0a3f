#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, asset contract and end-to-end (in Xvfb, started by
# the tests themselves); then the unit tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUADRILLE_SANITIZE=ON
cmake --build build-sanitize -j "$(nproc)" --target unit_tests
ctest --test-dir build-sanitize --output-on-failure -L unit
