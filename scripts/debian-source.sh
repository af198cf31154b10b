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
