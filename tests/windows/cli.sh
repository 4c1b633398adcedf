#!/usr/bin/env bash
# zor-cli.exe under wine against the Linux build: every conversion of the test data byte for
# byte the same, with the same exit code; then upload and download on COM1, which wine maps
# to a pseudo-terminal of zor-sim (the Linux simulated receiver): the sentences, their 600 ms
# gaps, the line at 4800 8N2, the character 26, a download file equal to the Linux one, Ctrl+C.
# Called by lancer.sh, which has set WINEPREFIX and the rest of wine's environment and started
# a wine server that stays.
#   tests/windows/cli.sh DOSSIER_WINDOWS DOSSIER_LINUX
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
construction=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
cli_exe=$construction/zor-cli.exe
dossier=$(mktemp -d)
sim=
trap '[ -z "$sim" ] || kill "$sim" 2>/dev/null || true; rm -rf "$dossier"' EXIT
echecs=0
echec() { echo "ÉCHEC : $*" >&2; echecs=$((echecs + 1)); }
reussite() { echo "  ok : $*"; }

echo "== zor-cli.exe convert (wine) contre zor-cli (Linux)"
n=0
n_echecs=$echecs
# Every file of the test data read as every type (GPX only for GPX files: wine's XmlLite takes a
# text without any markup for an empty document, where expat says it is no XML), written as
# sentences in both modes and as GPX. Both refuse the same files: then neither writes anything.
for entree in "$racine"/tests/convert/donnees/*; do
  types=(zor g7towin axe)
  [[ $entree != *.gpx ]] || types+=(gpx)
  for type in "${types[@]}"; do
    for sortie in "sentences profile" "sentences waypoint" "gpx profile"; do
      read -r vers mode <<<"$sortie"
      options=(convert --type "$type" --mode "$mode" --to "$vers")
      code_linux=0 code_windows=0
      "$linux/zor-cli" "${options[@]}" -o "$dossier/linux.txt" "$entree" 2>/dev/null || code_linux=$?
      wine "$cli_exe" "${options[@]}" -o "Z:$dossier/windows.txt" "Z:$entree" 2>/dev/null || code_windows=$?
      n=$((n + 1))
      if [ "$code_linux" != "$code_windows" ]; then
        echec "${options[*]} $(basename "$entree") : code $code_windows, $code_linux sous Linux"
      elif [ -e "$dossier/linux.txt" ] || [ -e "$dossier/windows.txt" ]; then
        cmp -s "$dossier/linux.txt" "$dossier/windows.txt" || echec "${options[*]} $(basename "$entree") : octets différents"
      fi
      rm -f "$dossier/linux.txt" "$dossier/windows.txt"
    done
  done
done
# The lines of a GPX file: chosen, fitted (the same points kept), listed; and the type told by
# the content. The standard error too, where the fitting is summed up.
donnees=$racine/tests/convert/donnees
while IFS='|' read -r options entree; do
  read -r -a options <<<"$options"
  code_linux=0 code_windows=0
  "$linux/zor-cli" convert "${options[@]}" "$donnees/$entree" >"$dossier/linux.txt" 2>"$dossier/linux.err" || code_linux=$?
  wine "$cli_exe" convert "${options[@]}" "Z:$donnees/$entree" >"$dossier/windows.txt" 2>"$dossier/windows.err" || code_windows=$?
  n=$((n + 1))
  sed -i -e "s|Z:$donnees|$donnees|g" -e "s|\r$||" "$dossier/windows.err"
  # The list of lines is text for the console: Windows ends its lines with CR LF.
  [[ " ${options[*]} " != *" --liste "* ]] || sed -i "s|\r$||" "$dossier/windows.txt"
  if [ "$code_linux" != "$code_windows" ]; then
    echec "${options[*]} $entree : code $code_windows, $code_linux sous Linux"
  elif ! cmp -s "$dossier/linux.txt" "$dossier/windows.txt" || ! cmp -s "$dossier/linux.err" "$dossier/windows.err"; then
    echec "${options[*]} $entree : sorties différentes"
  fi
done <<'CAS'
--ligne 3|lignes.gpx
--ligne Galibier --ecart 3|lignes.gpx
--ligne 3 --points 40 --to gpx|lignes.gpx
--mode waypoint --ligne 2|lignes.gpx
--mode waypoint|lignes.gpx
--liste|lignes.gpx
--ligne 9|lignes.gpx
|lignes.gpx
|exemple.axe
|g7towin.txt
CAS
[ "$echecs" != "$n_echecs" ] || reussite "$n conversions, mêmes octets et mêmes codes de sortie"
# The standard output too (binary, CR LF as written).
wine "$cli_exe" convert --type g7towin "Z:$racine/tests/convert/donnees/g7towin.txt" 2>/dev/null >"$dossier/windows.txt"
if cmp -s "$dossier/windows.txt" "$racine/tests/windows/attendu/g7towin-profil.txt"; then
  reussite "la sortie standard porte les mêmes octets"
else
  echec "convert vers la sortie standard : octets différents de tests/windows/attendu/g7towin-profil.txt"
fi

# COM1 leads to a link that each zor-sim below points at its own pseudo-terminal.
lien=$construction/wine-com1
cle_ports='HKLM\Software\Wine\Ports'
if ! wine reg query "$cle_ports" /v COM1 2>/dev/null | grep -qF "$lien"; then
  wine reg add "$cle_ports" /v COM1 /t REG_SZ /d "$lien" /f >/dev/null
  wineserver -k || true
  wineserver -w
  wineserver -p >/dev/null 2>&1
fi
demarrer_sim() {  # demarrer_sim JOURNAL ARGUMENTS...: zor-sim on the link, once it is ready
  local journal=$1
  shift
  "$linux/zor-sim" "$@" --lien "$lien" >"$journal" &
  sim=$!
  for _ in $(seq 100); do grep -q '^GPS simulé prêt' "$journal" 2>/dev/null && return 0; sleep 0.05; done
  echec "zor-sim n'a pas démarré : $(cat "$journal")"
  return 1
}
attendre_journal() {  # attendre_journal FICHIER MOTIF: until zor-sim has written it (3 s at most)
  for _ in $(seq 60); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.05; done
  return 1
}
arreter_sim() {
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  sim=
}

echo "== zor-cli.exe upload --port 1 (COM1 de wine) vers zor-sim recevoir"
"$linux/zor-cli" convert --type g7towin -o "$dossier/phrases.txt" "$racine/tests/convert/donnees/g7towin.txt" 2>/dev/null
grep '^\$' "$dossier/phrases.txt" | tr -d '\r' >"$dossier/attendues.txt"
demarrer_sim "$dossier/recus.tsv" recevoir --tsv
code=0
wine "$cli_exe" upload --port 1 "Z:$dossier/phrases.txt" 2>"$dossier/upload.log" || code=$?
attendre_journal "$dossier/recus.tsv" '^ferme' || true
arreter_sim
[ "$code" = 0 ] || echec "upload : code de sortie $code ($(cat "$dossier/upload.log"))"
# The standard error of a Windows program is text: its lines end in CR LF.
tr -d '\r' <"$dossier/upload.log" | grep -q "^$(wc -l <"$dossier/attendues.txt") phrase(s) envoyée(s).$" ||
  echec "upload : bilan inattendu ($(tail -1 "$dossier/upload.log"))"
awk -F'\t' '$1 == "phrase" { print $7 }' "$dossier/recus.tsv" >"$dossier/recues.txt"
if cmp -s "$dossier/recues.txt" "$dossier/attendues.txt"; then
  reussite "$(wc -l <"$dossier/recues.txt") phrases reçues, dans l'ordre, telles quelles"
else
  echec "upload : phrases reçues différentes : $(diff "$dossier/attendues.txt" "$dossier/recues.txt" | head -5)"
fi
# Every sentence: right checksum, CR LF, 4800 8N2; after the first, 600 ms after the last one
# began (the pseudo-terminal takes a sentence at once: the gap is the pause itself).
mauvaises=$(awk -F'\t' '$1 == "phrase" && ($4 != "somme juste" || $5 != "CRLF" || $6 != "4800 8N2")' "$dossier/recus.tsv")
[ -z "$mauvaises" ] || echec "upload : phrases mal reçues : $mauvaises"
[ -n "$mauvaises" ] || reussite "chaque phrase : somme juste, CR LF, ligne à 4800 8N2"
ecarts=$(awk -F'\t' '$1 == "phrase" { if (n++) printf "%.0f ", $3 }' "$dossier/recus.tsv")
# The pause follows the last sentence too, before the port is closed.
derniere=$(awk -F'\t' '$1 == "phrase" { t = $2 } $1 == "ferme" && t { printf "%.0f", $2 - t; exit }' "$dossier/recus.tsv")
if [ -z "$derniere" ] || [ "$derniere" -lt 570 ]; then echec "upload : port fermé ${derniere:-?} ms après la dernière phrase"; fi
# zor-sim notes when it reads a sentence, a few milliseconds late when the machine is busy: one
# gap may look shorter by what the one before it looked longer; their mean may not.
for e in $ecarts; do
  if [ "$e" -lt 570 ] || [ "$e" -gt 900 ]; then echec "upload : écart de $e ms entre deux phrases (600 attendus)"; fi
done
moyenne=$(awk -F'\t' '$1 == "phrase" { if (n++) { s += $3; m++ } } END { if (m) printf "%.0f", s / m }' "$dossier/recus.tsv")
if [ -z "$moyenne" ] || [ "$moyenne" -lt 598 ]; then echec "upload : écart moyen de ${moyenne:-?} ms (600 attendus)"; fi
echo "  écarts entre phrases (ms) : $ecarts(moyenne $moyenne) ; de la dernière à la fermeture du port : $derniere"

echo "== zor-cli.exe download --port 1 contre zor-sim envoyer, et la même réception sous Linux"
# Three records of 62 characters: the file holds the third, the first and the second (see
# tests/serial/reception_en_boucle.sh).
for i in 1 2 3; do printf 'WP%d%-59s\n' "$i" '' >>"$dossier/gps.txt"; done
printf '\nWP3%-59s\r\nWP1%-59s\r\nWP2%-59s\r\r\n' '' '' '' >"$dossier/attendu.txt"
demarrer_sim "$dossier/envoi.log" envoyer "$dossier/gps.txt"
code=0
wine "$cli_exe" download --port 1 -o "Z:$dossier/windows.txt" 2>"$dossier/download.log" || code=$?
attendre_journal "$dossier/envoi.log" 'caractère 26 reçu' || true
arreter_sim
[ "$code" = 0 ] || echec "download : code de sortie $code ($(cat "$dossier/download.log"))"
grep -q 'caractère 26 reçu du programme' "$dossier/envoi.log" || echec "download : zor-sim n'a pas reçu le caractère 26"
grep -q 'ligne réglée par le programme : 4800 8N2' "$dossier/envoi.log" ||
  echec "download : ligne mal réglée ($(grep 'ligne réglée' "$dossier/envoi.log"))"
"$linux/zor-sim" envoyer "$dossier/gps.txt" >"$dossier/envoi-linux.log" &
sim=$!
for _ in $(seq 100); do grep -q '^ZOR_COMM' "$dossier/envoi-linux.log" 2>/dev/null && break; sleep 0.05; done
"$linux/zor-cli" download --port "$(sed -n 's/^ZOR_COMM1=//p' "$dossier/envoi-linux.log")" -o "$dossier/linux.txt" 2>/dev/null || true
arreter_sim
if cmp -s "$dossier/windows.txt" "$dossier/attendu.txt" && cmp -s "$dossier/windows.txt" "$dossier/linux.txt"; then
  reussite "fichier reçu identique à celui de Linux ; caractère 26 envoyé ; ligne à 4800 8N2"
else
  echec "download : fichier différent de celui de Linux ($(od -c "$dossier/windows.txt" | head -3))"
fi

echo "== Ctrl+C pendant une réception, un port tapé COM1, un port absent, la liste des ports"
printf 'ancien contenu\r\n' >"$dossier/garde.txt"
cp "$dossier/garde.txt" "$dossier/garde-avant.txt"
# A receiver that never comes back to its second record: only Ctrl+C ends the reception.
for i in $(seq 200); do printf 'R%03d%-58s\n' "$i" ''; done >"$dossier/long.txt"
demarrer_sim "$dossier/envoi-long.log" envoyer "$dossier/long.txt"
wine "$cli_exe" download --port COM1 -o "Z:$dossier/garde.txt" 2>"$dossier/interrompu.log" &
cli=$!
for _ in $(seq 100); do grep -q '^3 : ' "$dossier/interrompu.log" 2>/dev/null && break; sleep 0.1; done
kill -INT "$cli"
code=0
wait "$cli" || code=$?
attendre_journal "$dossier/envoi-long.log" 'caractère 26 reçu' || true
arreter_sim
[ "$code" = 130 ] || echec "Ctrl+C : code de sortie $code, 130 attendu ($(tail -2 "$dossier/interrompu.log"))"
grep -q 'caractère 26 reçu du programme' "$dossier/envoi-long.log" || echec "Ctrl+C : le caractère 26 n'est pas parti"
cmp -s "$dossier/garde.txt" "$dossier/garde-avant.txt" || echec "Ctrl+C : le fichier de sortie a changé"
[ "$code" != 130 ] || reussite "Ctrl+C : code 130, caractère 26 envoyé, fichier de sortie intact"
code=0
wine "$cli_exe" upload --port COM9 "Z:$dossier/phrases.txt" 2>"$dossier/absent.log" || code=$?
if [ "$code" = 2 ] && grep -q 'Le port de communication COM9 est introuvable' "$dossier/absent.log"; then
  reussite "COM9 absent : « $(head -1 "$dossier/absent.log" | tr -d '\r') »"
else
  echec "port absent : code $code, « $(cat "$dossier/absent.log") »"
fi

grep -q 'Ports série présents' "$dossier/absent.log" || echec "port absent : le message ne liste pas les ports présents"
ports=$(wine "$cli_exe" ports 2>&1 | tr -d '\r')
if grep -q '^  COM1' <<<"$ports" && grep -q '^Comm1 : COM1 (nom du système)$' <<<"$ports" &&
  grep -q '^Comm4 : COM4 (nom du système)$' <<<"$ports"; then
  reussite "zor-cli.exe ports : $(grep -c '^  COM' <<<"$ports") port(s) des pilotes, Comm1 à Comm4 : COM1 à COM4"
else
  echec "zor-cli.exe ports : « $ports »"
fi

[ "$echecs" -eq 0 ] || { echo "$echecs échec(s)" >&2; exit 1; }
