#!/usr/bin/env bash
# Installs the Debian 12 packages the editor and its tests need. Packages that are
# already installed are left alone, so the script is quick on a prepared machine.
#   scripts/install-deps.sh            the editor and its tests
#   scripts/install-deps.sh --windows  also the Windows cross compiler and Wine (about
#                                      1 GB), which only the test command needs
set -euo pipefail

# Installed without recommends, so everything the two README commands use is named
# here: clang's sanitizer and libFuzzer runtimes (libclang-rt-14-dev) are only a
# recommendation of clang, and git lists the sources clang-tidy checks. The packaging
# tests validate the desktop entry, the AppStream metainfo, the MIME type and the manual
# pages with desktop-file-utils, appstream, shared-mime-info and man-db. The Chinese
# texts need a font with their characters: WenQuanYi Micro Hei covers every one of them
# in 5 MB, where Noto CJK takes 90 MB.
packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6svg6 qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth clang libclang-rt-14-dev clang-format clang-tidy
  desktop-file-utils appstream shared-mime-info man-db
  fonts-wqy-microhei
)
# The core built for Windows with mingw-w64 (the POSIX thread model) and run under Wine;
# GoogleTest is built for it from the sources of the googletest package.
if [ "${1:-}" = "--windows" ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 googletest)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
