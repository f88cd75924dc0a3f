#!/usr/bin/env bash
# Sets up, builds and starts the game from its run folder build/run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd build/run
exec ./quadrille
