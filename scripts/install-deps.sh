#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
# Usage: scripts/install-deps.sh [test|demo|screenshot]
set -euo pipefail

common=(cmake ninja-build g++ pkg-config qt6-base-dev libcurl4-openssl-dev libpcre2-dev
        libcpp-httplib-dev)
test_only=(clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev python3 curl)
demo_only=(xvfb xauth fonts-wqy-microhei)
screenshot_only=(xdotool imagemagick)

case "${1:-test}" in
    test) wanted=("${common[@]}" "${test_only[@]}") ;;
    demo) wanted=("${common[@]}" "${demo_only[@]}") ;;
    screenshot) wanted=("${common[@]}" "${demo_only[@]}" "${screenshot_only[@]}") ;;
    *) echo "usage: $0 [test|demo|screenshot]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
