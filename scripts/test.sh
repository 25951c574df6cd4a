#!/usr/bin/env bash
# Builds the project and passes every test: the plain build's suites, the unit
# tests and fuzzers under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the threaded tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)

echo "== plain build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzzers"
CC=clang CXX=clang++ cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_WERROR=ON \
    -DVX_SANITIZE="address;undefined" -DVX_FUZZ=ON -DVX_BUILD_APP=OFF -DVX_BUILD_BENCH=OFF
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== ThreadSanitizer, the threaded tests"
CC=clang CXX=clang++ cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_WERROR=ON \
    -DVX_SANITIZE=thread -DVX_BUILD_BENCH=OFF
cmake --build build/tsan -j "$jobs" --target threaded_tests
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp second_deadlock_stack=1" \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threaded
