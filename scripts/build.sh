#!/usr/bin/env bash
# Configures and builds one variant: build.sh DIR BUILD_TYPE [SANITIZER]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1 type=$2 sanitize=${3:-}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DPEERGLOW_SANITIZE="$sanitize" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
