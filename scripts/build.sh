#!/usr/bin/env bash
# Configures and builds the project in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCORVANE_WERROR=ON "$@" >/dev/null
cmake --build build
