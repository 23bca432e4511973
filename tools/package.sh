#!/usr/bin/env bash
# Builds the Debian package build/quarzel_<version>_<architecture>.deb: the program, its data folder, the menu
# entry, the icons, the software-centre metadata, the manual page and the documents, all under /usr. CPack
# makes it from the build's install rules (packaging/CMakeLists.txt); dpkg-shlibdeps reads its dependencies
# off the program. Install it with: apt install ./build/quarzel_<version>_<architecture>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
QZ_TARGETS="quarzel quarzel_data quarzel_docs" bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build
cpack -G DEB
