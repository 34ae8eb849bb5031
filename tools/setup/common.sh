# Shared by ./play and ./test: installs the Debian packages the build needs and
# configures/builds a CMake preset. Source it; do not run it.

ZQ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Everything the game, its tools and its tests need, from Debian 12.
ZQ_PACKAGES=(
  build-essential cmake ninja-build pkg-config git python3
  libsdl2-dev libsdl2-mixer-dev libxmp-dev libsquish-dev libpng-dev libx11-dev
  libcurl4-openssl-dev libcairo2-dev libfreetype-dev fonts-comic-neue
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libcpp-httplib-dev libmicrohttpd-dev libsqlite3-dev libpq-dev libssl-dev postgresql nginx systemd
  zlib1g-dev
  xvfb xauth xdotool x11-utils xdg-utils openbox clang-14 libfuzzer-14-dev libclang-rt-14-dev
  ccache desktop-file-utils appstream chromium
)

say() { printf '==> %s\n' "$*"; }

zq_install_packages() {
  local missing=()
  local pkg
  for pkg in "${ZQ_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    say "All Debian packages are installed."
    return 0
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  say "Installing Debian packages: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# zq_build PRESET [TARGET...]: configure and build a preset from CMakePresets.json
# (everything, or the targets given). The configure step runs again whenever
# the presets file changes, so a changed cache variable reaches an existing
# build directory. ccache is used when installed.
zq_build() {
  local preset="$1"
  shift
  cd "$ZQ_ROOT"
  local stamp="build/$preset/.zq-presets.sha256"
  local digest
  digest="$(sha256sum CMakePresets.json | cut -d' ' -f1)"
  if [ ! -f "build/$preset/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$digest" ]; then
    say "Configuring the '$preset' build in build/$preset"
    if command -v ccache >/dev/null; then
      CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache \
        CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ZQ_ROOT}" cmake --preset "$preset" >/dev/null
    else
      cmake --preset "$preset" >/dev/null
    fi
    printf '%s\n' "$digest" >"$stamp"
  fi
  say "Building '$preset'${1:+ ($*)}"
  local targets=()
  if [ $# -gt 0 ]; then targets=(--target "$@"); fi
  # Paths relative to the checkout in ccache's keys, so that another clone of
  # the same sources (a CI run) finds what an earlier build compiled.
  CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ZQ_ROOT}" CCACHE_NOHASHDIR=1 \
    cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
}

# zq_generate_runtime BUILD_DIR OUT_DIR: writes the game's data/ and sound/ trees.
zq_generate_runtime() {
  local build="$1" out="$2"
  if [ -x "$build/tools/assets/zq-assets" ]; then
    say "Generating pictures, sounds, music and font into $out"
    mkdir -p "$out"
    "$build/tools/assets/zq-assets" "$out"
  else
    say "The asset generator is not built yet; $out keeps what it has."
    mkdir -p "$out/data" "$out/sound"
  fi
}
