#!/usr/bin/env bash
# The setup program under wine, each run silent (/S):
#  - a first installation puts the programs under Program Files\ZOR, the Start-menu entries
#    « ZOR » and « ZOR en ligne de commande » (whose console runs zor-cli.exe by its name), ZOR in
#    « Ouvrir avec » for .gpx and .axe without taking the types' default program, the uninstaller
#    in the installed programs with its size, and makes c:\$_t_e_m_p (an existing c:\zor.txt
#    keeps what it holds);
#  - a zor-cli.exe at work keeps the setup from replacing it: exit code 2, the old file kept;
#  - the uninstaller takes all of it away again, and leaves the types as it found them;
#  - an installation in C:\GPS is installed over there, not beside it; one moved to another
#    folder leaves nothing in the first; the user's own files in the folder stay.
# (A ZOR window open during the setup is checked with the window, tests/windows/fenetre.sh.)
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
fenetre=$([ -f "$construction/zor.exe" ] && echo oui || true)

programmes=$(winepath -u 'C:\Program Files\ZOR')
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')
console='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\ZOR en ligne de commande.lnk'
cle='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOR'
classes='HKLM\Software\Classes'
lecteur_c=$(winepath -u 'C:\')
gps=$lecteur_c/GPS
autre=$lecteur_c/Autre

valeur() {  # valeur CLE NOM: the registry value's data ("" when absent)
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
installer() {  # installer [OPTIONS]: the setup, silent; its exit code
  local code=0
  wine "$setup" /S "$@" || code=$?
  return "$code"
}
desinstaller() {  # desinstaller DOSSIER_UNIX: its uninstaller, silent, and waits for its copy to finish
  wine "$(winepath -w "$1/desinstaller.exe")" /S
  for _ in $(seq 50); do [ -e "$1/desinstaller.exe" ] || break; sleep 0.1; done
  sleep 0.3
}

echo "== $(basename "$setup") /S (wine)"
# Nothing left of an earlier run cut short: the setup would install where that one was.
rm -rf "$gps" "$autre" "$programmes"
wine reg delete "$cle" /f >/dev/null 2>&1 || true
rm -f "$lecteur_c/\$_t_e_m_p"
printf 'waypoints reçus avant\r\n' >"$lecteur_c/zor.txt"
# The user's default program for GPX files, which the setup must leave alone; no .axe type yet.
wine reg add "$classes\\.gpx" /ve /d AutreProgramme.gpx /f >/dev/null
wine reg delete "$classes\\.axe" /f >/dev/null 2>&1 || true
installer
[ -f "$lecteur_c/\$_t_e_m_p" ] || echec "C:\\\$_t_e_m_p n'a pas été créé"
[ "$(cat "$lecteur_c/zor.txt")" = $'waypoints reçus avant\r' ] || echec "C:\\zor.txt n'a pas gardé son contenu"
[ -f "$programmes/zor-cli.exe" ] || echec "zor-cli.exe n'est pas dans $programmes"
[ -f "$programmes/desinstaller.exe" ] || echec "pas de désinstalleur dans $programmes"
if [ -n "$fenetre" ]; then
  [ -f "$programmes/zor.exe" ] || echec "zor.exe n'est pas dans $programmes"
  [ -f "$menu/ZOR.lnk" ] || echec "pas d'entrée « ZOR » dans le menu Démarrer ($menu)"
  for type in .gpx .axe; do
    wine reg query "$classes\\$type\\OpenWithProgids" /v ZOR.Fichier >/dev/null 2>&1 ||
      echec "ZOR n'est pas dans « Ouvrir avec » des fichiers $type"
  done
  commande=$(wine reg query "$classes\\ZOR.Fichier\\shell\\open\\command" /ve 2>/dev/null | tr -d '\r' | grep -o '".*')
  [ "$commande" = '"C:\Program Files\ZOR\zor.exe" "%1"' ] || echec "commande d'ouverture : « $commande »"
  wine reg query "$classes\\.gpx" /ve 2>/dev/null | grep -q AutreProgramme.gpx ||
    echec "l'installation a changé le programme par défaut des fichiers .gpx"
fi
wine reg query "$cle" /v DisplayName 2>/dev/null | tr -d '\r' | grep -q 'ZOR$' || echec "ZOR n'est pas parmi les programmes installés"
[ "$(valeur "$cle" DisplayVersion)" = "$version" ] || echec "version $version absente de $cle"
wine uninstaller --list 2>/dev/null | grep -q 'ZOR' || echec "le désinstalleur de wine ne voit pas ZOR"
# The size of the program files, in KiB.
attendue=$(($(cat "$programmes"/*.exe | wc -c) / 1024))
taille=$(($(valeur "$cle" EstimatedSize)))
[ $((taille - attendue)) -le 3 ] && [ $((attendue - taille)) -le 3 ] || echec "EstimatedSize $taille Kio, les programmes font $attendue Kio"
sortie=$(wine 'C:\Program Files\ZOR\zor-cli.exe' --version 2>&1 | tr -d '\r')
[ "$sortie" = "zor-cli $version" ] || echec "zor-cli.exe installé : « $sortie »"
aide=$(wine "$construction/raccourci.exe" "$console" 2>&1 | tr -d '\r') || echec "« ZOR en ligne de commande » : $aide"
grep -q '^Usage : zor-cli' <<<"$aide" || echec "« ZOR en ligne de commande » ne lance pas zor-cli.exe : $aide"
[ "$echecs" -ne 0 ] || reussite "installé dans C:\\Program Files\\ZOR$([ -n "$fenetre" ] && echo ', entrée « ZOR » du menu Démarrer, « Ouvrir avec » des .gpx et .axe'), « ZOR en ligne de commande », listé parmi les programmes installés ($taille Kio) ; « $sortie »"

# zor-cli.exe at work in a console: the setup cannot replace it, and says so by its exit code.
echecs_avant=$echecs
printf '\n' >>"$programmes/zor-cli.exe"
ancien=$(sha256sum <"$programmes/zor-cli.exe")
tube=$(mktemp -u)
mkfifo "$tube"
sleep 600 >"$tube" &
ouvert=$!
wine 'C:\Program Files\ZOR\zor-cli.exe' convert --type zor - <"$tube" >/dev/null 2>&1 &
cli=$!
sleep 2
code=0
installer || code=$?
[ "$code" = 2 ] || echec "installation pendant que zor-cli.exe travaille : code $code au lieu de 2"
[ "$(sha256sum <"$programmes/zor-cli.exe")" = "$ancien" ] || echec "installation refusée, mais zor-cli.exe a changé"
kill "$ouvert"
wait "$cli" 2>/dev/null || true
rm -f "$tube"
code=0
installer || code=$?
[ "$code" = 0 ] || echec "installation une fois zor-cli.exe fini : code $code"
cmp -s "$programmes/zor-cli.exe" "$construction/zor-cli.exe" || echec "zor-cli.exe n'a pas été remplacé une fois libre"
[ "$echecs" -ne "$echecs_avant" ] || reussite "zor-cli.exe au travail : l'installation s'arrête (code 2) sans rien changer, puis le remplace une fois libre"

echecs_avant=$echecs
desinstaller "$programmes"
[ ! -e "$programmes" ] || echec "la désinstallation laisse $programmes : $(ls "$programmes")"
[ ! -e "$menu/ZOR.lnk" ] || echec "la désinstallation laisse l'entrée du menu Démarrer"
[ ! -e "$(winepath -u "$console")" ] || echec "la désinstallation laisse « ZOR en ligne de commande »"
! wine reg query "$cle" >/dev/null 2>&1 || echec "la désinstallation laisse $cle"
! wine reg query "$classes\\ZOR.Fichier" >/dev/null 2>&1 || echec "la désinstallation laisse $classes\\ZOR.Fichier"
! wine reg query "$classes\\Applications\\zor.exe" >/dev/null 2>&1 || echec "la désinstallation laisse Applications\\zor.exe"
! wine reg query "$classes\\.gpx\\OpenWithProgids" /v ZOR.Fichier >/dev/null 2>&1 || echec "ZOR reste dans « Ouvrir avec » des .gpx"
! wine reg query "$classes\\.axe" >/dev/null 2>&1 || echec "la désinstallation laisse le type .axe qu'elle avait créé"
wine reg query "$classes\\.gpx" /ve 2>/dev/null | grep -q AutreProgramme.gpx || echec "la désinstallation a changé le type .gpx"
[ "$echecs" -ne "$echecs_avant" ] || reussite "désinstallé (/S) sans rien laisser, le type .gpx tel qu'il était"
wine reg delete "$classes\\.gpx" /f >/dev/null 2>&1 || true

# An installation in C:\GPS, beside the user's own files: installed over there; moved
# elsewhere, it leaves nothing behind; uninstalled, the user's files stay.
echecs_avant=$echecs
mkdir -p "$gps"
printf 'mes waypoints\r\n' >"$gps/mes waypoints.txt"
installer '/D=C:\GPS'
installer
[ -f "$gps/zor-cli.exe" ] && [ ! -e "$programmes" ] || echec "installation par-dessus C:\\GPS : $(ls "$programmes" 2>&1)"
[ "$(valeur "$cle" InstallLocation)" = 'C:\GPS' ] || echec "InstallLocation : « $(valeur "$cle" InstallLocation) »"
installer '/D=C:\Autre'
[ -f "$autre/zor-cli.exe" ] || echec "pas de programmes dans C:\\Autre"
[ "$(ls "$gps")" = "mes waypoints.txt" ] || echec "l'installation déplacée laisse dans C:\\GPS : $(ls "$gps" | tr '\n' ' ')"
[ "$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | grep -c 'ZOR')" = 1 ] ||
  echec "plus d'une installation listée"
desinstaller "$autre"
[ ! -e "$autre" ] || echec "la désinstallation laisse C:\\Autre : $(ls "$autre")"
[ "$(cat "$gps/mes waypoints.txt")" = $'mes waypoints\r' ] || echec "le fichier de l'utilisateur dans C:\\GPS a changé"
[ "$echecs" -ne "$echecs_avant" ] || reussite "installé dans C:\\GPS, réinstallé là (/S), déplacé dans C:\\Autre sans rien laisser ; les fichiers de l'utilisateur restent"
rm -rf "$gps"

[ "$echecs" -eq 0 ] || { echo "$echecs échec(s)" >&2; exit 1; }
