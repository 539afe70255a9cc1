#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the sound libraries vornelik-cli convert needs for Windows, as static libraries for
# PROCESSOR (i686, the default, or x86_64 for the 64-bit test build),
# from Debian's own sources: libogg, libvorbis, FLAC, Opus, mpg123 and LAME (MP3), libsndfile
# over them, and libsoxr. The sources come through `apt-get source` with an apt configuration of
# our own (a deb-src entry for the archive, its own lists and cache), never the machine's.
# Installs into PREFIX and leaves PREFIX/done behind; with it there, nothing is done again.
# Usage: build-windows-sound-libraries.sh PREFIX WORK [PROCESSOR]
set -eu
prefix=$(realpath -m "$1")
work=$(realpath -m "$2")
processor=${3:-i686}
[ -f "$prefix/done" ] && exit 0

host=$processor-w64-mingw32
jobs=$(nproc)
started=$(date +%s)
mkdir -p "$prefix" "$work"

# The sources, once.
apt_dir="$work/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/sources"
echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt_dir/sources.list"
apt_private() {
    apt-get -q -o Dir::Etc::sourcelist="$apt_dir/sources.list" \
        -o Dir::Etc::sourceparts=/nonexistent -o Dir::State="$apt_dir" \
        -o Dir::State::lists="$apt_dir/lists" -o Dir::Cache="$apt_dir" \
        -o Dir::Cache::archives="$apt_dir/archives" -o APT::Sandbox::User=root "$@"
}
packages="libogg libvorbis flac opus mpg123 lame libsndfile libsoxr"
# apt checks each file against the archive's signed index as it fetches it. Upstream signatures
# (.asc) that the archive lacks make apt-get source fail as a whole, so the tarballs are then
# unpacked here, without Debian's packaging, which a cross build does not use.
if [ ! -f "$apt_dir/sources/fetched" ]; then
    apt_private update
    (cd "$apt_dir/sources" && apt_private source --download-only $packages) || true
    for name in $packages; do
        tarball=$(find "$apt_dir/sources" -maxdepth 1 -name "${name}_*.orig.tar.*" ! -name "*.asc")
        if [ -z "$tarball" ]; then
            echo "windows sound libraries: the sources of $name could not be fetched" >&2
            exit 1
        fi
        rm -rf "$apt_dir/sources/$name"
        mkdir -p "$apt_dir/sources/$name"
        tar -xf "$tarball" -C "$apt_dir/sources/$name" --strip-components=1
    done
    touch "$apt_dir/sources/fetched"
fi
source_of() {
    echo "$apt_dir/sources/$1"
}

# The project's own toolchain, with the libraries built so far findable for the next ones.
toolchain="$work/toolchain.cmake"
cat >"$toolchain" <<TOOLCHAIN
include("$(dirname "$(realpath "$0")")/../cmake/mingw-$processor.cmake")
list(APPEND CMAKE_FIND_ROOT_PATH "$prefix")
TOOLCHAIN
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
export PKG_CONFIG_PATH=""

cmake_build() {
    name=$1
    shift
    src=$(source_of "$name")
    rm -rf "$work/build-$name"
    cmake -S "$src" -B "$work/build-$name" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@" \
        >"$work/$name.log" 2>&1
    cmake --build "$work/build-$name" -j "$jobs" >>"$work/$name.log" 2>&1
    cmake --install "$work/build-$name" >>"$work/$name.log" 2>&1
}

autotools_build() {
    name=$1
    shift
    src=$(source_of "$name")
    rm -rf "$work/build-$name"
    mkdir -p "$work/build-$name"
    (cd "$work/build-$name" &&
        "$src/configure" --host=$host --prefix="$prefix" --disable-shared --enable-static "$@" &&
        make -j "$jobs" && make install) >"$work/$name.log" 2>&1
}

# step BUILD NAME OPTIONS...: a library built once; a failed run takes up after the last one built.
step() {
    [ -f "$work/$2.built" ] && return 0
    echo "windows sound libraries: $2"
    "$@" || {
        echo "windows sound libraries: $2 failed; see $work/$2.log" >&2
        tail -20 "$work/$2.log" >&2
        exit 1
    }
    touch "$work/$2.built"
}

# FLAC and Opus without the stack protector, which needs libssp at run time.
step cmake_build libogg -DINSTALL_DOCS=OFF
step cmake_build libvorbis
step cmake_build flac -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
    -DINSTALL_MANPAGES=OFF -DWITH_OGG=ON -DBUILD_CXXLIBS=OFF -DWITH_STACK_PROTECTOR=OFF \
    -DWITH_FORTIFY_SOURCE=OFF
# Opus's CMake files lack one of theirs in this release; its configure script is whole.
step autotools_build opus --disable-doc --disable-extra-programs --disable-hardening \
    --disable-stack-protector
step autotools_build mpg123 --disable-components --enable-libmpg123 --with-cpu=generic \
    --disable-modules
step autotools_build lame --disable-frontend --disable-decoder --disable-gtktest
# FLAC__NO_DLL: FLAC's headers otherwise import its functions from a DLL.
step cmake_build libsndfile -DCMAKE_C_FLAGS=-DFLAC__NO_DLL -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DENABLE_EXTERNAL_LIBS=ON \
    -DENABLE_MPEG=ON -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DENABLE_PACKAGE_CONFIG=ON
step cmake_build libsoxr -DWITH_OPENMP=OFF -DWITH_LSR_BINDINGS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_TESTS=OFF

echo "built in $(($(date +%s) - started)) s" >"$prefix/done"
cat "$prefix/done"
