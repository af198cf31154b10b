#!/usr/bin/env bash
# Builds LZ4's block decoder from Debian's source package as a static library for one MinGW
# target and installs it under DEPS/lz4. Only lib/lz4.c is compiled: the program decodes
# blocks and never compresses; the linker drops the encoder with the unused sections.
# Usage: build-lz4.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
tessaly_build_c_library lz4 lz4 lz4 lib/lz4.c lib/lz4.h "" "$1" "$2"
