# Sourced by the scripts that build a library from Debian's source package.

# Unpacks Debian's source package PACKAGE under SRC_ROOT unless a FOLDER-* there already holds
# it, and prints that folder. Download and unpacking messages go to LOG.
# Usage: tessaly_debian_source PACKAGE FOLDER SRC_ROOT LOG
tessaly_debian_source() {
    local package=$1 folder=$2 src_root=$3 log=$4 src
    mkdir -p "$src_root"
    src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d -name "$folder-*" | head -1)
    if [ -z "$src" ]; then
        (cd "$src_root" && rm -f ./*.dsc ./*.tar.* ./*.diff.* &&
            apt-get source --download-only "$package" >>"$log" 2>&1 &&
            dpkg-source --no-check -x "$(ls ./*.dsc | head -1)" >>"$log" 2>&1) || return 1
        src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d -name "$folder-*" | head -1)
    fi
    [ -n "$src" ] && echo "$src"
}

# Builds one C file of Debian's source package PACKAGE (unpacked as FOLDER-*) into a static
# library for one MinGW target and installs it and one header under DEPS/NAME; the header goes
# into include/INCLUDE_SUBDIR (empty for include/ itself). Extra compile definitions follow.
# A finished build is kept: a second call for the same toolchain and scripts returns at once.
# Usage: tessaly_build_c_library NAME PACKAGE FOLDER SOURCE HEADER INCLUDE_SUBDIR TOOLCHAIN DEPS [DEFINE...]
tessaly_build_c_library() {
    local name=$1 package=$2 folder=$3 source=$4 header=$5 subdir=$6 toolchain deps prefix key stamp log src build
    toolchain=$(realpath "$7")
    deps=$(mkdir -p "$8" && cd "$8" && pwd)
    shift 8
    prefix=$deps/$name
    # The scripts' own text is the key: a change of their flags builds anew.
    key=$(cat "$0" "${BASH_SOURCE[0]}" | md5sum | cut -c1-8)
    stamp=$prefix/.built-$(basename "$toolchain" .cmake)-$key
    [ -f "$stamp" ] && return 0

    log=$deps/$name-build.log
    : >"$log"
    src=$(tessaly_debian_source "$package" "$folder" "$deps/$name-src" "$log") ||
        { echo "build-$name: fetching the source failed, see $log" >&2; return 1; }

    build=$deps/$name-build-$(basename "$toolchain" .cmake)
    rm -rf "$build"
    mkdir -p "$build"
    # Without unwind tables: on this target they keep every function of the object alive, and
    # no exception ever passes through C code that calls nothing back.
    cat >"$build/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(tessaly_$name C)
add_library($name STATIC $src/$source)
target_compile_definitions($name PRIVATE $* )
target_compile_options($name PRIVATE -Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
    -fno-unwind-tables)
CMAKE
    {
        cmake -S "$build" -B "$build/out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        cmake --build "$build/out" -j2
    } >>"$log" 2>&1 || { echo "build-$name: the build failed, see $log" >&2; return 1; }

    rm -rf "$prefix"
    mkdir -p "$prefix/include/$subdir" "$prefix/lib"
    cp "$build/out/lib$name.a" "$prefix/lib/"
    cp "$src/$header" "$prefix/include/$subdir"
    touch "$stamp"
}
