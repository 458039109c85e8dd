# Shared by the scripts: install what the build needs, then configure and build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TORVANEL_BUILD_DIR:-$ROOT/build}"
EXTRA_CMAKE_ARGS=()
PACKAGES="cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n libgl-dev poppler-utils"

install_packages() {
  local missing=()
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
  fi
}

# In CI (CI=true) a warning fails the build.
build() {
  local werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANEL_WERROR="$werror" \
    "${EXTRA_CMAKE_ARGS[@]}" >/dev/null
  cmake --build "$BUILD" -j"$(nproc)"
}
