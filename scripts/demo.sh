#!/usr/bin/env bash
# Builds the program and starts the demo: a catalogue site on loopback and the
# main window pointed at it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh demo
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BUILD_TESTS=OFF -DVX_BUILD_BENCH=OFF
cmake --build build/demo -j "$(nproc)" --target vellumix-demo
exec build/demo/demo/vellumix-demo
