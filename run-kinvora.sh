#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kinvora.
set -euo pipefail
cd "$(dirname "$0")"
. setup/packages.sh
kv_install_missing $KV_PACKAGES
kv_build
exec ./build/kinvora "$@"
