#!/usr/bin/env bash
# One entry point for people and CI:
#   ./zor.sh                  install what is missing, build, start the window
#   ./zor.sh tests            install what is missing, build, run every test
#   ./zor.sh tests-sanitizers the same tests built with AddressSanitizer + UndefinedBehaviorSanitizer
#   ./zor.sh build            install what is missing and build only
#   ./zor.sh fuzz [SECONDES]  run each file-reader fuzzer for SECONDES seconds (clang, libFuzzer)
#   ./zor.sh paquet           build the Debian packages build/zor_VERSION_ARCH.deb (the window)
#                             and build/zor-cli_VERSION_ARCH.deb (zor-cli and zor-sim)
#   ./zor.sh windows          the Windows programs and their setup program (mingw-w64, nsis),
#                             checked under wine against the Linux zor-cli and zor-sim
set -euo pipefail
cd "$(dirname "$0")"

PAQUETS=(g++ cmake ninja-build pkg-config dpkg-dev qt6-base-dev qt6-qpa-plugins
         libgtest-dev libgmock-dev fonts-liberation2 qt6-translations-l10n libexpat1-dev librsvg2-bin)
# The tests read back zor-cli's GPX with Python's XML parser and with GPSBabel, and walk the
# window over the desktop's accessibility bus (AT-SPI) on a virtual screen, as a screen reader does.
PAQUETS_TESTS=(python3 gpsbabel xvfb dbus-daemon at-spi2-core python3-dbus)

installer_manquants() {
  local manquants=()
  for p in "${PAQUETS[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
  done
  [ ${#manquants[@]} -eq 0 ] && return 0
  echo "== Installation de : ${manquants[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  # Another apt run (a second build, the desktop's updater) may hold the lock: wait for it.
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${manquants[@]}"
}

configurer() {  # configurer DOSSIER [options cmake...]
  local dossier=$1; shift
  # A compiler cache, where the machine has one, makes rebuilds of unchanged files free.
  local cache=()
  command -v ccache >/dev/null && cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cache[@]}" "$@" >/dev/null
}

construire() {  # construire DOSSIER [options cmake...]
  configurer "$@"
  cmake --build "$1" -j "$(nproc)"
}

# The options that give the normal build tree (build/) Debian's hardening flags, where the
# machine has dpkg-buildflags: the tests and the package use that one tree, so what is tested
# is what is packaged and `paquet` after `tests` rebuilds nothing. The sanitizer, fuzz and
# Windows trees keep their own flags. bindnow comes on top of Debian's defaults (hardening=+all).
durcissement() {
  command -v dpkg-buildflags >/dev/null || return 0
  local -x DEB_BUILD_MAINT_OPTIONS=hardening=+all
  local ld
  ld=$(dpkg-buildflags --get LDFLAGS)
  printf '%s\n' "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$ld" "-DCMAKE_SHARED_LINKER_FLAGS=$ld" "-DCMAKE_MODULE_LINKER_FLAGS=$ld"
}

construire_normal() {  # construire_normal [options cmake...]: build/, hardened where possible
  local options=()
  mapfile -t options < <(durcissement)
  construire build "${options[@]}" "$@"
}

# The suite runs once under the C locale and once under a French one: nothing the program
# parses or prints may depend on it.
locale_francaise() {
  installer_manquants locales
  locale -a 2>/dev/null | grep -qix 'fr_FR.utf8' && return 0
  echo "== Création de la locale fr_FR.UTF-8"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  if command -v localedef >/dev/null; then
    "${sudo[@]}" localedef -i fr_FR -c -f UTF-8 fr_FR.UTF-8
  else
    "${sudo[@]}" sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
    "${sudo[@]}" locale-gen
  fi
}

tester() {  # tester DOSSIER
  locale_francaise
  for langue in C fr_FR.UTF-8; do
    echo "== Tests sous LANG=$langue"
    env -u LC_ALL -u LANGUAGE LANG=$langue QT_QPA_PLATFORM=offscreen \
      ctest --test-dir "$1" -j "$(nproc)" --output-on-failure --timeout 300
  done
}

case "${1:-lancer}" in
  lancer)
    installer_manquants
    construire_normal
    exec ./build/zor
    ;;
  build)
    installer_manquants
    construire_normal
    ;;
  tests)
    installer_manquants "${PAQUETS_TESTS[@]}"
    construire_normal
    tester build
    ;;
  tests-sanitizers)
    installer_manquants "${PAQUETS_TESTS[@]}"
    construire build-asan -DZOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 tester build-asan
    ;;
  fuzz)
    installer_manquants clang libclang-rt-14-dev
    ZOR_FUZZ_BUILD=$PWD/build-fuzz fuzz/run.sh "${2:-300}"
    ;;
  paquet)
    # dpkg-dev and file compute the packages' dependencies; the validators check the menu
    # entry and the software-centre metadata of the package zor, lintian both packages.
    installer_manquants file desktop-file-utils appstream lintian
    # The same tree as the tests (only the installation prefix changes: nothing is rebuilt).
    construire_normal -DCMAKE_INSTALL_PREFIX=/usr
    desktop-file-validate build/paquet/*.desktop
    appstreamcli validate --no-net --pedantic build/paquet/*.metainfo.xml
    rm -f build/zor_*.deb build/zor-cli_*.deb
    (cd build && cpack -G DEB)
    # Debian's own checks: any error or warning fails; the notes (I:) are shown, not counted.
    lintian --fail-on error,warning --display-info build/zor-cli_*.deb build/zor_*.deb
    ;;
  windows)
    # nsis: makensis builds the setup program; Xvfb, xdotool and ImageMagick show the window.
    installer_manquants g++-mingw-w64-x86-64-posix wine wine64 nsis xvfb xdotool imagemagick
    # zor-cli.exe's messages are checked as a French console reads them (code page 850).
    locale_francaise
    construire build-windows -DCMAKE_TOOLCHAIN_FILE=platform/mingw-w64.cmake -DZOR_SANS_QT=ON
    # The Linux zor-cli and zor-sim the Windows programs are checked against, in the tests'
    # own tree (./zor.sh tests has built them already: nothing is rebuilt then).
    options=()
    mapfile -t options < <(durcissement)
    configurer build "${options[@]}"
    cmake --build build -j "$(nproc)" --target zor-cli zor-sim
    tests/windows/lancer.sh build-windows build
    ;;
  *)
    echo "usage : $0 [lancer|build|tests|tests-sanitizers|fuzz [SECONDES]|paquet|windows]" >&2
    exit 2
    ;;
esac
