#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless).
set -euo pipefail
cd "$(dirname "$0")"
. setup/packages.sh
kv_install_missing $KV_PACKAGES
kv_build
export QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0
ctest --test-dir build --output-on-failure -j"$(nproc)"
