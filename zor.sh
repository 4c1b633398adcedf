#!/usr/bin/env bash
# One entry point for people and CI:
#   ./zor.sh                  install what is missing, build, start the window
#   ./zor.sh tests            install what is missing, build, run every test
#   ./zor.sh tests-sanitizers the same tests built with AddressSanitizer + UndefinedBehaviorSanitizer
#   ./zor.sh build            install what is missing and build only
#   ./zor.sh fuzz [SECONDES]  run each file-reader fuzzer for SECONDES seconds (clang, libFuzzer)
set -euo pipefail
cd "$(dirname "$0")"

PAQUETS=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev qt6-qpa-plugins
         libgtest-dev libgmock-dev fonts-liberation2 qt6-translations-l10n)

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

construire() {  # construire DOSSIER [options cmake...]
  local dossier=$1; shift
  cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dossier" -j "$(nproc)"
}

tester() {  # tester DOSSIER
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" -j "$(nproc)" --output-on-failure --timeout 300
}

case "${1:-lancer}" in
  lancer)
    installer_manquants
    construire build
    exec ./build/zor
    ;;
  build)
    installer_manquants
    construire build
    ;;
  tests)
    installer_manquants
    construire build
    tester build
    ;;
  tests-sanitizers)
    installer_manquants
    construire build-asan -DZOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 tester build-asan
    ;;
  fuzz)
    installer_manquants clang libclang-rt-14-dev
    ZOR_FUZZ_BUILD=$PWD/build-fuzz fuzz/run.sh "${2:-300}"
    ;;
  *)
    echo "usage : $0 [lancer|build|tests|tests-sanitizers|fuzz [SECONDES]]" >&2
    exit 2
    ;;
esac
