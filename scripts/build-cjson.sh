#!/usr/bin/env bash
# Builds cJSON from Debian's source package as a static library for one MinGW target and
# installs it under DEPS/cjson, its header as cjson/cJSON.h as Debian's own package has it.
# No export attributes, so nothing is exported from the program.
# Usage: build-cjson.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
tessaly_build_c_library cjson cjson cjson cJSON.c cJSON.h cjson "$1" "$2" CJSON_HIDE_SYMBOLS
