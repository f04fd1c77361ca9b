#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build/release Release
exec build/release/bin/peerglow "$@"
