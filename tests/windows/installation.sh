#!/usr/bin/env bash
# The setup program under wine: a silent installation (/S) puts the programs under
# Program Files\ZOR, the Start-menu entry and the uninstaller in the installed programs, makes
# c:\$_t_e_m_p (an existing c:\zor.txt keeps what it holds); the
# installed zor-cli.exe runs; the silent uninstallation takes all of it away again.
# Called by lancer.sh, which has set WINEPREFIX and the rest of wine's environment and started
# a wine server that stays.
#   tests/windows/installation.sh DOSSIER_WINDOWS
set -euo pipefail
construction=$(cd "$1" && pwd)
setup=$(ls "$construction"/zor-*-setup.exe)
version=$(basename "$setup" | sed 's/^zor-\(.*\)-setup\.exe$/\1/')
echecs=0
echec() { echo "ÉCHEC : $*" >&2; echecs=$((echecs + 1)); }
reussite() { echo "  ok : $*"; }

echo "== $(basename "$setup") /S (wine)"
programmes=$(winepath -u 'C:\Program Files\ZOR')
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')
cle='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOR'
lecteur_c=$(winepath -u 'C:\')
rm -f "$lecteur_c/\$_t_e_m_p"
printf 'waypoints reçus avant\r\n' >"$lecteur_c/zor.txt"
wine "$setup" /S
[ -f "$lecteur_c/\$_t_e_m_p" ] || echec "C:\\\$_t_e_m_p n'a pas été créé"
[ "$(cat "$lecteur_c/zor.txt")" = $'waypoints reçus avant\r' ] || echec "C:\\zor.txt n'a pas gardé son contenu"
[ -f "$programmes/zor-cli.exe" ] || echec "zor-cli.exe n'est pas dans $programmes"
[ -f "$programmes/desinstaller.exe" ] || echec "pas de désinstalleur dans $programmes"
if [ -f "$construction/zor.exe" ]; then
  [ -f "$programmes/zor.exe" ] || echec "zor.exe n'est pas dans $programmes"
  [ -f "$menu/ZOR.lnk" ] || echec "pas d'entrée « ZOR » dans le menu Démarrer ($menu)"
fi
wine reg query "$cle" /v DisplayName 2>/dev/null | tr -d '\r' | grep -q 'ZOR$' || echec "ZOR n'est pas parmi les programmes installés"
wine reg query "$cle" /v DisplayVersion 2>/dev/null | grep -q "$version" || echec "version $version absente de $cle"
wine uninstaller --list 2>/dev/null | grep -q 'ZOR' || echec "le désinstalleur de wine ne voit pas ZOR"
sortie=$(wine 'C:\Program Files\ZOR\zor-cli.exe' --version 2>&1 | tr -d '\r')
[ "$sortie" = "zor-cli $version" ] || echec "zor-cli.exe installé : « $sortie »"
[ "$echecs" -ne 0 ] || reussite "installé dans C:\\Program Files\\ZOR$([ -f "$construction/zor.exe" ] && echo ', entrée « ZOR » du menu Démarrer'), listé parmi les programmes installés ; « $sortie »"

wine 'C:\Program Files\ZOR\desinstaller.exe' /S
# The uninstaller runs from a copy of itself, which may still be finishing.
for _ in $(seq 50); do [ -e "$programmes" ] || break; sleep 0.1; done
[ ! -e "$programmes" ] || echec "la désinstallation laisse $programmes : $(ls "$programmes")"
[ ! -e "$menu/ZOR.lnk" ] || echec "la désinstallation laisse l'entrée du menu Démarrer"
! wine reg query "$cle" >/dev/null 2>&1 || echec "la désinstallation laisse $cle"
[ "$echecs" -ne 0 ] || reussite "désinstallé (/S) sans rien laisser"

[ "$echecs" -eq 0 ] || { echo "$echecs échec(s)" >&2; exit 1; }
