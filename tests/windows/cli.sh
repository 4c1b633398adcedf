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
# Text zor-cli.exe sends to a file or a pipe is in the code page of the console, or without one
# (as here) the OEM code page of wine's locale: 850 under a French one, as in a French cmd.exe.
# Read back from 850; the Linux text given the same form (the signs and letters 850 lacks).
export LC_ALL=fr_FR.UTF-8
depuis_850() { python3 -c 'import sys; sys.stdout.write(sys.stdin.buffer.read().decode("cp850").replace("\r\n", "\n"))'; }
comme_850() {
  python3 -c 'import sys
t = sys.stdin.read().replace("\u2014", "-").replace("\u2192", "->").replace("\u2248", "~")
sys.stdout.write(t.encode("cp850", "replace").decode("cp850"))'
}

echo "== zor-cli.exe convert (wine) contre zor-cli (Linux)"
n=0
n_echecs=$echecs
# Every file of the test data read as every type, GPX included (text, binary files: no XML),
# written as sentences in both modes and as GPX. Both refuse the same files: then neither writes
# anything.
for entree in "$racine"/tests/convert/donnees/*; do
  for type in zor g7towin axe gpx; do
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
  depuis_850 <"$dossier/windows.err" | sed -e "s|Z:$donnees|$donnees|g" >"$dossier/windows.err8"
  comme_850 <"$dossier/linux.err" >"$dossier/linux.err8"
  mv "$dossier/windows.err8" "$dossier/windows.err"
  mv "$dossier/linux.err8" "$dossier/linux.err"
  # The list of lines is text for the console: Windows ends its lines with CR LF.
  if [[ " ${options[*]} " == *" --liste "* ]]; then
    depuis_850 <"$dossier/windows.txt" >"$dossier/windows.txt8" && mv "$dossier/windows.txt8" "$dossier/windows.txt"
    comme_850 <"$dossier/linux.txt" >"$dossier/linux.txt8" && mv "$dossier/linux.txt8" "$dossier/linux.txt"
  fi
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

echo "== Verdicts du GPX : mêmes codes, mêmes messages, mêmes lignes"
# What XmlLite lets through and expat refuses: documents left open or cut inside a tag, invalid
# UTF-8, text without markup, nothing at all (line 1, never 0).
gpx=$dossier/gpx
mkdir -p "$gpx"
wpt='<wpt lat="45" lon="6"><name>'
printf '' >"$gpx/vide.gpx"
printf '\n\n   \n' >"$gpx/blancs.gpx"
printf 'bonjour\nle monde\n' >"$gpx/texte.gpx"
printf '\xef\xbb\xbf\n x' >"$gpx/bom-texte.gpx"
printf '<?xml version="1.0"?>' >"$gpx/declaration.gpx"
printf '<!-- x -->\n<?pi?>\n' >"$gpx/sans-element.gpx"
printf '<?xml version="1.0"?>\n<gpx version="1.1" creator="x">\n%sA</name></wpt>\n' "$wpt" >"$gpx/ouvert.gpx"
printf '<gpx>%sa</name></wpt>\r\n<wpt lat="4' "$wpt" >"$gpx/coupe.gpx"
printf '<gpx>\r%sa</name></wpt>\r</gpx\r' "$wpt" >"$gpx/coupe-cr.gpx"
printf '<gpx/>\n<' >"$gpx/apres.gpx"
printf '<?xml version="1.0" encoding="UTF-8"?>\n<gpx>\n%sCh\xe2teau</name></wpt>\n</gpx>\n' "$wpt" >"$gpx/latin1.gpx"
printf '<gpx>%sa\nb\n\xffc</name></wpt></gpx>\n' "$wpt" >"$gpx/octet.gpx"
printf '<gpx>%s\xed\xa0\x80</name></wpt></gpx>\n' "$wpt" >"$gpx/surrogat.gpx"
printf '<gpx>%s\xc0\xaf</name></wpt></gpx>\n' "$wpt" >"$gpx/surlong.gpx"
printf '<gpx>%sb\xc3</name></wpt></gpx>\n' "$wpt" >"$gpx/coupe-utf8.gpx"
printf '<gpx>%s\xc3' "$wpt" >"$gpx/fin-utf8.gpx"
printf '<gpx><wpt lat="45" lon="6"/></gpx>\n<gpx/>\n' >"$gpx/deux.gpx"
printf '<?xml version="1.0" encoding="ISO-8859-15"?>\n<gpx/>\n' >"$gpx/encodage.gpx"
printf '<?xml version="1.0" encoding="windows-1252"?>\r\n<gpx>\r\n%s\x80uro</name></wpt></gpx>\r\n' "$wpt" >"$gpx/cp1252.gpx"
printf '\xef\xbb\xbf<gpx>%s\xc3\xa9t\xc3\xa9 \xe2\x82\xac</name></wpt></gpx>' "$wpt" >"$gpx/utf8.gpx"
n=0
n_echecs=$echecs
for entree in "$gpx"/*.gpx; do
  code_linux=0 code_windows=0
  "$linux/zor-cli" convert --type gpx --mode waypoint "$entree" >"$dossier/linux.txt" 2>"$dossier/linux.err" || code_linux=$?
  wine "$cli_exe" convert --type gpx --mode waypoint "Z:$entree" >"$dossier/windows.txt" 2>"$dossier/windows.err" || code_windows=$?
  n=$((n + 1))
  attendu=$(comme_850 <"$dossier/linux.err")
  vu=$(depuis_850 <"$dossier/windows.err" | sed "s|Z:$gpx|$gpx|g")
  if [ "$code_linux" != "$code_windows" ] || [ "$attendu" != "$vu" ]; then
    echec "GPX $(basename "$entree") : code $code_windows « $vu », sous Linux $code_linux « $attendu »"
  elif ! cmp -s "$dossier/linux.txt" "$dossier/windows.txt"; then
    echec "GPX $(basename "$entree") : octets différents"
  fi
done
grep -q "ligne 0" "$dossier/windows.err" && echec "GPX : « ligne 0 »"
[ "$echecs" != "$n_echecs" ] || reussite "$n documents GPX : mêmes codes, mêmes messages, mêmes lignes"

echo "== Noms de fichiers que l'ANSI ne sait pas écrire, messages dans la page de code de la console"
noms=$dossier/noms
mkdir -p "$noms"
n_echecs=$echecs
for nom in 'cœur.txt' 'l’été.txt' 'prix 5€.txt' 'Łódź.txt'; do
  cp "$racine/tests/convert/donnees/g7towin.txt" "$noms/$nom"
  code=0
  wine "$cli_exe" convert --type g7towin -o "Z:$noms/sortie $nom" "Z:$noms/$nom" 2>"$dossier/noms.err" || code=$?
  if [ "$code" != 0 ] || ! cmp -s "$noms/sortie $nom" "$racine/tests/windows/attendu/g7towin-profil.txt"; then
    echec "« $nom » : code $code, $(depuis_850 <"$dossier/noms.err")"
  fi
done
# Every path spelt right where the code page has its letters, « ? » where it has not.
for cas in 'Mes données GPS/été.txt|Mes données GPS/été.txt' 'cœur absent.txt|c?ur absent.txt'; do
  IFS='|' read -r nom vu <<<"$cas"
  code=0
  wine "$cli_exe" convert --type zor "Z:$noms/$nom" 2>"$dossier/noms.err" || code=$?
  message=$(depuis_850 <"$dossier/noms.err")
  [ "$code" = 2 ] && grep -qF "Impossible de lire le fichier Z:$noms/$vu" <<<"$message" ||
    echec "« $nom » absent : code $code, « $message »"
done
[ "$echecs" != "$n_echecs" ] || reussite "cœur, l’été, prix 5€, Łódź : lus et écrits sous leur nom ; messages en page 850"

echo "== La sortie est l'entrée : refusée comme sous Linux"
n_echecs=$echecs
cp "$racine/tests/convert/donnees/g7towin.txt" "$noms/entree.txt"
entree_win=$(sed 's|/|\\|g' <<<"Z:$noms/entree.txt")
message_linux() {  # message_linux REDIRECTION: the Linux zor-cli's refusal of the same form
  (cd "$noms" && cp entree.txt linux.txt && eval "\"$linux/zor-cli\" convert --type g7towin linux.txt 2>&1 $1" | sed 's|linux.txt|F|g' || true)
}
for forme in '>>' '>' '-o'; do
  cp "$racine/tests/convert/donnees/g7towin.txt" "$noms/entree.txt"
  code=0
  if [ "$forme" = -o ]; then
    wine "$cli_exe" convert --type g7towin -o "Z:$noms/./entree.txt" "Z:$noms/entree.txt" 2>"$dossier/meme.err" </dev/null ||
      code=$?
    linux_vu=$(message_linux "-o ./linux.txt")
  else
    # cmd.exe opens the file itself, as a user's "F >> F" does.
    wine cmd /c "Z:\\$(sed 's|/|\\|g' <<<"${cli_exe#/}") convert --type g7towin $entree_win $forme $entree_win 2> Z:\\$(sed 's|/|\\|g' <<<"${dossier#/}")\\meme.err" </dev/null ||
      code=$?
    linux_vu=$(message_linux "$forme linux.txt")
  fi
  vu=$(depuis_850 <"$dossier/meme.err" | sed -e "s|Z:$noms/./entree.txt|F|; s|Z:$noms/entree.txt|F|; s|$(sed 's|\\|\\\\|g' <<<"$entree_win")|F|")
  if [ "$code" != 2 ] || [ "$vu" != "$linux_vu" ]; then
    echec "« $forme » sur l'entrée : code $code, « $vu » (Linux : « $linux_vu »)"
  elif [ "$forme" != '>' ] && ! cmp -s "$noms/entree.txt" "$racine/tests/convert/donnees/g7towin.txt"; then
    echec "« $forme » sur l'entrée : le fichier a changé"
  fi
done
code=0
wine "$cli_exe" convert --type g7towin -o "Z:$noms" "Z:$noms/entree.txt" 2>"$dossier/dossier.err" </dev/null || code=$?
[ "$code" = 2 ] && depuis_850 <"$dossier/dossier.err" | grep -q " : c'est un dossier\.$" ||
  echec "-o sur un dossier : code $code, « $(depuis_850 <"$dossier/dossier.err") »"
[ "$echecs" != "$n_echecs" ] || reussite "« >> F », « > F », « -o F » refusés avec le message de Linux ; -o DOSSIER : « c'est un dossier »"

echo "== Les aides : 80 colonnes, rien qui ne vaille que sous Linux"
n_echecs=$echecs
for commande in "" convert upload download ports; do
  aide=$(wine "$cli_exe" $commande --help </dev/null | depuis_850)
  grep -q "Usage : zor-cli" <<<"$aide" || echec "aide de « $commande » : « $aide »"
  large=$(python3 -c 'import sys; [print(l) for l in sys.stdin.read().splitlines() if len(l) > 79]' <<<"$aide")
  [ -z "$large" ] || echec "aide de « $commande » : lignes de plus de 79 colonnes : $large"
  linux_seul=$(grep -E '/dev/|zor-sim|SIGTERM|SIGHUP|sous Linux|ttyUSB' <<<"$aide" || true)
  [ -z "$linux_seul" ] || echec "aide de « $commande » : $linux_seul"
done
[ "$echecs" != "$n_echecs" ] || reussite "cinq aides en page 850, sur 79 colonnes au plus, sans /dev/, zor-sim ni signaux"

# COM1 leads to a link that each zor-sim below points at its own pseudo-terminal; COM2 to a
# device that does not exist.
lien=$construction/wine-com1
cle_ports='HKLM\Software\Wine\Ports'
if ! wine reg query "$cle_ports" /v COM1 2>/dev/null | grep -qF "$lien" ||
  ! wine reg query "$cle_ports" /v COM2 2>/dev/null | grep -qF "$lien-absent"; then
  wine reg add "$cle_ports" /v COM1 /t REG_SZ /d "$lien" /f >/dev/null
  wine reg add "$cle_ports" /v COM2 /t REG_SZ /d "$lien-absent" /f >/dev/null
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
depuis_850 <"$dossier/upload.log" | grep -q "^$(wc -l <"$dossier/attendues.txt") phrase(s) envoyée(s).$" ||
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
depuis_850 <"$dossier/absent.log" >"$dossier/absent.txt"
if [ "$code" = 2 ] && grep -q 'Le port de communication COM9 est introuvable' "$dossier/absent.txt"; then
  reussite "COM9 absent : « $(head -1 "$dossier/absent.txt") »"
else
  echec "port absent : code $code, « $(cat "$dossier/absent.txt") »"
fi

grep -q 'Ports série présents' "$dossier/absent.txt" || echec "port absent : le message ne liste pas les ports présents"
ports=$(wine "$cli_exe" ports 2>&1 | depuis_850)
if grep -q '^  COM1' <<<"$ports" && grep -q '^Comm1 : COM1 (nom du système)$' <<<"$ports" &&
  grep -q '^Comm4 : COM4 (nom du système)$' <<<"$ports"; then
  reussite "zor-cli.exe ports : $(grep -c '^  COM' <<<"$ports") port(s) des pilotes, Comm1 à Comm4 : COM1 à COM4"
else
  echec "zor-cli.exe ports : « $ports »"
fi

# A port device as an adapter's driver installs it: named as the Device Manager names it. And
# the advice names the port as the user gave it.
wine "$construction/port-factice.exe" creer COM7 "Prolific USB-to-Serial Comm Port (COM7)"
ports=$(wine "$cli_exe" ports 2>&1 | depuis_850)
code=0
wine "$cli_exe" upload --port 2 "Z:$dossier/phrases.txt" 2>"$dossier/conseil.log" || code=$?
wine "$construction/port-factice.exe" supprimer
conseil=$(depuis_850 <"$dossier/conseil.log")
if grep -q '^  COM7 - Prolific USB-to-Serial Comm Port (COM7)$' <<<"$ports"; then
  reussite "zor-cli.exe ports : « $(grep COM7 <<<"$ports" | sed 's/^ *//') »"
else
  echec "zor-cli.exe ports sans le nom du Gestionnaire de périphériques : « $ports »"
fi
if [ "$code" = 2 ] && grep -q "au lieu de --port 2\.$" <<<"$conseil" && ! grep -q "au lieu de Comm2" <<<"$conseil"; then
  reussite "--port 2 absent : « $(grep 'au lieu de' <<<"$conseil") »"
else
  echec "--port 2 : code $code, « $conseil »"
fi

[ "$echecs" -eq 0 ] || { echo "$echecs échec(s)" >&2; exit 1; }
