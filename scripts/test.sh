#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (AddressSanitizer + UBSan),
# the fuzz targets for a bounded time, and the Windows tests under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
"$root/scripts/setup.sh"
source "$root/scripts/wine-lib.sh"
jobs=$(nproc)

configure() { cmake -S "$root" -B "$build/$1" -G Ninja "${@:2}" >/dev/null; }

# Each folder of src/ includes only from its own layer and those below.
bash "$root/scripts/check-layers.sh"

configure native -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs"

configure fuzz -DCMAKE_BUILD_TYPE=Debug -DTESSALY_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build/fuzz" -j "$jobs"
ctest --test-dir "$build/fuzz" --output-on-failure -j "$jobs"

tessaly_configure_windows_tree "$build" win32
# The 32-bit test programs are built on every machine, so that they at least compile where
# they cannot run.
cmake --build "$build/win32" -j "$jobs"
# The shipped executable and its installer must be 32-bit GUI programs (PE32, i386, Windows
# subsystem) whose every import, delay-loaded or not, is bound by a function its DLL exports.
bash "$root/scripts/check-pe32.sh" "$build/win32/bin/Tessaly.exe"
bash "$root/scripts/check-pe32.sh" "$build/win32/dist/Tessaly-$(head -n 1 "$root/VERSION")-setup.exe"
# The program itself imports only DLLs that the system never looks for beside it.
python3 "$root/scripts/check-imports.py" --system-only "$(tessaly_wine_dll_folder 32)" "$build/win32/bin/Tessaly.exe"
python3 "$root/scripts/check-imports.py" "$(tessaly_wine_dll_folder 32)" \
    "$build/win32/dist/Tessaly-$(head -n 1 "$root/VERSION")-setup.exe"
# Where the machine cannot execute 32-bit code, the same sources are also built for 64-bit
# Windows and tested under 64-bit Wine.
tessaly_configure_run_tree "$build"
if [ "$tree" = win64 ]; then
    cmake --build "$build/win64" -j "$jobs"
    python3 "$root/scripts/check-imports.py" --system-only "$(tessaly_wine_dll_folder 64)" "$build/win64/bin/Tessaly.exe"
fi
# One at a time: these tests show, hide and broadcast to real top-level windows, and a
# program of one test can stall another's sends.
status=0
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$build/$tree" --output-on-failure || status=$?
tessaly_wine_stop "$build/$tree/wineprefix"
exit $status
