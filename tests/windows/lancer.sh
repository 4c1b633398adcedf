#!/usr/bin/env bash
# Runs the Windows build's checks under wine, in a wine prefix of the build folder: writes the
# registry values the about box's lookups are checked against with wine's own `reg add`, runs
# verifications-systeme.exe, then zor-cli.exe against the Linux build (cli.sh) and the setup
# program (installation.sh), and leaves no wine process behind.
#   tests/windows/lancer.sh DOSSIER_DE_CONSTRUCTION [DOSSIER_LINUX]
# DOSSIER_LINUX (build by default) holds the Linux zor-cli and zor-sim.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
racine=$(cd "$ici/../.." && pwd)
construction=$(cd "${1:?usage : $0 DOSSIER_DE_CONSTRUCTION [DOSSIER_LINUX]}" && pwd)
linux=${2:-$racine/build}

export WINEPREFIX=$construction/wine
export WINEDEBUG=-all
# No .NET or HTML engine to offer to install: the checks are console programs.
export WINEDLLOVERRIDES="mscoree,mshtml="
# wine reads the command lines below (accents) in the system's encoding, and takes its
# Windows code page (1252) from the language.
export LC_ALL=C.UTF-8
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Préparation de wine dans $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
# One wine server for every program below, started here so that what it prints when it ends
# goes nowhere (it would land in the output of whichever program started it).
wineserver -p >/dev/null 2>&1

cle_msinfo='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
cle_emplacements='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
ajouter() { wine reg add "$@" /f >/dev/null; }
# The same values as written at the top of registre_verif.cpp.
ajouter "$cle_msinfo" /v PATH /t REG_SZ /d 'C:\Outils ZOR\infos système.exe'
ajouter "$cle_msinfo" /v NOMBRE /t REG_DWORD /d 0xfffffefb
ajouter "$cle_msinfo" /v VIDE /t REG_BINARY
ajouter "$cle_emplacements" /v MSINFO /t REG_SZ /d 'C:\Outils ZOR'
wine reg delete "$cle_msinfo" /v ABSENTE /f >/dev/null 2>&1 || true

echo "== verifications-systeme.exe (wine)"
statut=0
ZOR_SOURCE_DIR="Z:$racine" wine "$construction/verifications-systeme.exe" || statut=$?
"$ici/cli.sh" "$construction" "$linux" || statut=1
"$ici/installation.sh" "$construction" || statut=1
# The window, on a virtual screen: with a wine server of its own, which takes that screen (the
# console checks' server has none).
if [ -f "$construction/zor.exe" ]; then
  wineserver -k >/dev/null 2>&1 || true
  "$ici/fenetre.sh" "$construction" "$linux" || statut=1
fi
exit "$statut"
