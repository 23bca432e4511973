#!/usr/bin/env bash
# Builds the libraries the Windows build links against, once, from Debian's own source packages, with the
# mingw-w64 posix compilers (tools/windows/mingw-posix.cmake). Nothing of them is packaged for mingw.
#
# What is fetched, and from where:
#   - GLFW: source package glfw3 3.3.8-1 from bookworm, the same version Linux links against. Built static
#     (lib/libglfw3.a), so the game needs no GLFW DLL.
#   - OpenAL Soft: source package openal-soft 1:1.24.2-1 from trixie: bookworm's 1.19.1 source (what Linux links
#     against) is no longer served. Built shared (bin/OpenAL32.dll, lib/libOpenAL32.dll.a, include/AL), with
#     libgcc, libstdc++ and winpthread linked in so that the DLL stands alone. It is LGPL: its licence files
#     are kept in the prefix's licenses/ folder, to ship beside the DLL.
# Only the upstream tarballs (.orig.tar.gz) are fetched (`apt-get source --download-only --tar-only`): the
# Debian packaging is not needed to cross-build.
#
# How: apt runs with a private sources file, lists folder and cache (-o Dir::Etc::SourceList=...,
# Dir::Etc::SourceParts=-, Dir::State::Lists=..., Dir::Cache=...), all inside the cache folder below, so the
# machine's apt setup is left alone. The private sources file holds deb-src lines for bookworm and trixie on
# the same Debian mirror this machine's own sources name. apt checks each download against the checksums of
# the source package's signed index; this script checks the tarball's SHA-256 again against the
# Checksums-Sha256 that `apt-cache showsrc` reports for the exact version, and stops on a mismatch.
#
# Where: ${QUARZEL_WINDOWS_DEPS:-$HOME/.cache/quarzel-windows}/<name>-<version>/ is one install prefix per
# library and version, outside any build tree. Invariant: a prefix is complete exactly when its stamp file
# (.quarzel-stamp) exists; the stamp is written last, and a prefix without one is wiped and rebuilt. A run
# whose prefixes all hold stamps touches neither apt nor the network and takes a moment. It prints one line
# per library: built or cached. Build logs are kept in the cache's logs/ folder.
set -euo pipefail

cache_root="${QUARZEL_WINDOWS_DEPS:-$HOME/.cache/quarzel-windows}"
toolchain_file="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/mingw-posix.cmake"
apt_dir="$cache_root/apt"
logs_dir="$cache_root/logs"
stamp_name=.quarzel-stamp
apt_lists_updated=no

# Each library: display name, source package, exact Debian version, upstream version, suite, and the file
# whose presence in the prefix shows the build installed what the game links against.
glfw=(glfw glfw3 3.3.8-1 3.3.8 bookworm lib/libglfw3.a)
openal=(openal-soft openal-soft 1:1.24.2-1 1.24.2 trixie bin/OpenAL32.dll)

fail() {
  echo "deps.sh: $*" >&2
  exit 1
}

# Build steps run under errexit and must not sit behind `||` (that would switch errexit off inside them), so
# a failing step ends the script here, pointing at the logs.
report_failure() {
  local status=$?
  [ "$status" -eq 0 ] || echo "deps.sh: failed (exit $status); the build logs are in $logs_dir" >&2
}

# The Debian archive URL this machine's own apt sources use (the first one ending in /debian), so that the
# private sources file adds no host the machine does not already trust.
machine_mirror() {
  local url
  url="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE '^[^#]*(URIs:|deb(-src)?( \[[^]]*\])?) +https?://[^ ]+/debian/?( |$)' |
    grep -oE 'https?://[^ ]+' | head -n 1)" || true
  [ -n "$url" ] || fail "no Debian mirror found in this machine's apt sources"
  echo "${url%/}"
}

apt_options() {
  printf '%s\n' \
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=- \
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
}

# Writes the private sources file and refreshes its lists, at most once per run.
update_private_lists() {
  [ "$apt_lists_updated" = yes ] && return 0
  local mirror keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  mirror="$(machine_mirror)"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$logs_dir"
  printf 'deb-src [signed-by=%s] %s %s main\n' \
    "$keyring" "$mirror" "${glfw[4]}" "$keyring" "$mirror" "${openal[4]}" >"$apt_dir/sources.list"
  local -a options
  mapfile -t options < <(apt_options)
  apt-get "${options[@]}" update >"$logs_dir/apt-update.log" 2>&1 ||
    fail "apt-get update on the private lists failed; see $logs_dir/apt-update.log"
  apt_lists_updated=yes
}

# Prints the SHA-256 that the source package PACKAGE at VERSION lists for FILE.
expected_sha256() {
  local package="$1" version="$2" file="$3"
  local -a options
  mapfile -t options < <(apt_options)
  apt-cache "${options[@]}" showsrc "$package" | awk -v version="$version" -v file="$file" '
    /^$/ { in_record = 0; in_sums = 0; next }
    /^Version: / { in_record = ($2 == version) }
    /^[^ ]/ { in_sums = ($1 == "Checksums-Sha256:"); next }
    in_record && in_sums && $3 == file { print $1; exit }'
}

# Fetches the upstream tarball of a library into DIR, checks it, and prints its path. Runs in a subshell (its
# caller captures the path), so the private lists must already be up to date.
fetch_tarball() {
  local -n lib="$1"
  local dir="$2"
  local file="${lib[1]}_${lib[3]}.orig.tar.gz"
  local -a options
  mapfile -t options < <(apt_options)
  (cd "$dir" && apt-get "${options[@]}" source --download-only --tar-only "${lib[1]}=${lib[2]}") \
    >>"$logs_dir/${lib[0]}.log" 2>&1 || fail "fetching ${lib[1]} ${lib[2]} failed; see $logs_dir/${lib[0]}.log"
  [ -f "$dir/$file" ] || fail "apt fetched no $file"
  verify_sha256 "$dir/$file" "$(expected_sha256 "${lib[1]}" "${lib[2]}" "$file")"
  echo "$dir/$file"
}

verify_sha256() {
  local path="$1" expected="$2" actual
  [ -n "$expected" ] || fail "the source package lists no SHA-256 for $(basename "$path")"
  actual="$(sha256sum "$path" | cut -d ' ' -f 1)"
  [ "$actual" = "$expected" ] ||
    fail "SHA-256 mismatch for $(basename "$path"): got $actual, the source package says $expected"
  echo "sha256 $expected $(basename "$path")" >>"$logs_dir/checksums.log"
}

# The arguments every library's configure step shares.
cmake_common_arguments() {
  local prefix="$1"
  printf '%s\n' -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_TOOLCHAIN_FILE=$toolchain_file" \
    "-DCMAKE_INSTALL_PREFIX=$prefix"
  if command -v ccache >/dev/null; then
    printf '%s\n' -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  fi
}

# Configures, builds (two jobs: the machine is shared) and installs SOURCE into PREFIX, with extra options.
cmake_build_install() {
  local source="$1" build="$2" prefix="$3"
  shift 3
  local -a common
  mapfile -t common < <(cmake_common_arguments "$prefix")
  cmake -S "$source" -B "$build" "${common[@]}" "$@"
  cmake --build "$build" -j2
  cmake --install "$build"
}

build_glfw() {
  local source="$1" build="$2" prefix="$3"
  cmake_build_install "$source" "$build" "$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
  install -D -m 644 "$source/LICENSE.md" "$prefix/licenses/glfw/LICENSE.md"
}

build_openal() {
  local source="$1" build="$2" prefix="$3"
  cmake_build_install "$source" "$build" "$prefix" -DLIBTYPE=SHARED \
    -DALSOFT_EXAMPLES=OFF -DALSOFT_UTILS=OFF -DALSOFT_TESTS=OFF -DALSOFT_NO_CONFIG_UTIL=ON \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
    -DALSOFT_UPDATE_BUILD_VERSION=OFF \
    -DALSOFT_STATIC_LIBGCC=ON -DALSOFT_STATIC_STDCXX=ON -DALSOFT_STATIC_WINPTHREAD=ON
  local licence
  for licence in COPYING BSD-3Clause LICENSE-pffft; do
    install -D -m 644 "$source/$licence" "$prefix/licenses/openal-soft/$licence"
  done
  install -D -m 644 "$source"/fmt-*/LICENSE "$prefix/licenses/openal-soft/fmt-LICENSE"
}

# Makes sure one library's prefix is complete; prints whether it was built or found cached.
ensure_library() {
  local name="$1" builder="$2"
  local -n library="$name"
  local prefix="$cache_root/${library[0]}-${library[3]}"
  if [ -f "$prefix/$stamp_name" ]; then
    echo "${library[0]} ${library[3]}: cached in $prefix"
    return 0
  fi
  local started=$SECONDS work tarball
  mkdir -p "$logs_dir"
  : >"$logs_dir/${library[0]}.log"
  rm -rf "$prefix"
  # A fixed work folder per library and version, wiped first: the compiler cache then recognises a rebuild.
  work="$cache_root/work-${library[0]}-${library[3]}"
  rm -rf "$work"
  mkdir -p "$work"
  update_private_lists
  tarball="$(fetch_tarball "$name" "$work")"
  tar -xzf "$tarball" -C "$work"
  local source
  source="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
  [ -n "$source" ] || fail "$(basename "$tarball") holds no source folder"
  # The cross build must never see the build machine's .pc files (an optional backend would link them).
  PKG_CONFIG_LIBDIR="/usr/x86_64-w64-mingw32/lib/pkgconfig" \
    "$builder" "$source" "$work/build" "$prefix" >>"$logs_dir/${library[0]}.log" 2>&1
  [ -f "$prefix/${library[5]}" ] || fail "building ${library[0]} installed no ${library[5]}"
  rm -rf "$work"
  printf '%s %s\n' "${library[1]}" "${library[2]}" >"$prefix/$stamp_name"
  echo "${library[0]} ${library[3]}: built in $((SECONDS - started)) s into $prefix"
}

# With --prefixes: prints the libraries' prefixes, joined by ";" as CMake lists are, and builds nothing.
print_prefixes() {
  printf '%s;%s\n' "$cache_root/${glfw[0]}-${glfw[3]}" "$cache_root/${openal[0]}-${openal[3]}"
}

main() {
  if [ "${1:-}" = --prefixes ]; then
    print_prefixes
    return
  fi
  command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
    fail "the mingw-w64 posix compilers are missing: run tools/install-deps.sh windows as root"
  mkdir -p "$cache_root"
  trap report_failure EXIT
  ensure_library glfw build_glfw
  ensure_library openal build_openal
}

main "$@"
