#!/usr/bin/env bash
# Download benchmark, with the simulated receiver sending in real time as a real one does:
#  - 20 downloads at 4800 baud, each compared with the download of the same stream sent as fast
#    as the program reads it (the "already buffered" case): all must be complete and identical;
#  - the processor time of a download while the receiver floods the line without ever a CR;
#  - the peak memory of an upload of a 60 MB interchange file (it is read as it goes).
#
#   bench/serial/reception.sh [BUILD_DIR]      (default: build)
set -euo pipefail

CONSTRUCTION=$(cd "${1:-build}" && pwd)
CLI="$CONSTRUCTION/zor-cli"
SIM="$CONSTRUCTION/zor-sim"
TOURS=20
for p in "$CLI" "$SIM"; do
  [[ -x "$p" ]] || { echo "introuvable : $p (construisez d'abord : ninja -C $CONSTRUCTION zor-cli zor-sim)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || apt-get install -y time >/dev/null

TRAVAIL=$(mktemp -d)
SIM_PID=""
nettoyer() {
  if [[ -n "$SIM_PID" ]]; then kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; fi
  rm -rf "$TRAVAIL"
}
trap nettoyer EXIT

# Five records of 62 characters: with CR LF each fills one read of 64.
for n in 1 2 3 4 5; do
  printf '%-62s\r\n' "\$PFMWP,45$n$n.123,N,001$n$n.456,E,POINT$n"
done >"$TRAVAIL/gps.txt"

simuler() {  # simuler ARGUMENTS...: starts zor-sim, sets SIM_PID and DEV
  "$SIM" "$@" >"$TRAVAIL/sim.log" 2>&1 &
  SIM_PID=$!
  for _ in $(seq 50); do
    [[ -s "$TRAVAIL/sim.log" ]] && break
    sleep 0.1
  done
  DEV=$(head -1 "$TRAVAIL/sim.log" | cut -d= -f2)
}
arreter() {
  kill "$SIM_PID" 2>/dev/null || true
  wait "$SIM_PID" 2>/dev/null || true
  SIM_PID=""
}

# The reference: the same stream, sent as fast as the program takes it.
simuler envoyer "$TRAVAIL/gps.txt" --bruit "GP" --debit 0
"$CLI" download --port "$DEV" -o "$TRAVAIL/reference.txt" 2>/dev/null
arreter

identiques=0
complets=0
for ((i = 1; i <= TOURS; i++)); do
  simuler envoyer "$TRAVAIL/gps.txt" --bruit "GP"
  if "$CLI" download --port "$DEV" -o "$TRAVAIL/tour.txt" 2>/dev/null; then complets=$((complets + 1)); fi
  cmp -s "$TRAVAIL/reference.txt" "$TRAVAIL/tour.txt" && identiques=$((identiques + 1))
  arreter
done

# A receiver that floods without CR for 10 s at 4800 baud, played from a recording.
{
  echo "# zor-brut 1"
  awk 'BEGIN { for (t = 0; t < 10000; t += 20) printf "%.3f\tBRUITBRUI\n", t }'
} >"$TRAVAIL/bruit.brut"
simuler rejouer "$TRAVAIL/bruit.brut"
cpu=$(/usr/bin/time -f "%U %S" "$CLI" download --port "$DEV" --timeout 10 -o "$TRAVAIL/bruit.txt" 2>&1 >/dev/null | tail -n 1 || true)
arreter
cpu_s=$(awk -v u="${cpu% *}" -v s="${cpu#* }" 'BEGIN { printf "%.2f", u + s }')

# An upload of 60 MB: lines without "$" (nothing is sent, so it is quick), then one line of
# 60 MB without any line end.
awk 'BEGIN { l = sprintf("%-62s", "x"); for (i = 0; i < 60 * 1024 * 1024 / 64; i++) printf "%s\r\n", l }' >"$TRAVAIL/grand.txt"
head -c $((60 * 1024 * 1024)) /dev/zero | tr '\0' 'y' >"$TRAVAIL/sans-fin.txt"
simuler recevoir
mem_lignes=$(/usr/bin/time -f %M "$CLI" upload --port "$DEV" "$TRAVAIL/grand.txt" 2>&1 >/dev/null | tail -n 1 || true)
mem_sans_fin=$(/usr/bin/time -f %M "$CLI" upload --port "$DEV" "$TRAVAIL/sans-fin.txt" 2>&1 >/dev/null | tail -n 1 || true)
arreter

echo
echo "Réception en temps réel et envoi de gros fichiers"
printf '%-60s %12s %s\n' "mesure" "ZOR" "objectif"
printf '%-60s %12s %s\n' "téléchargements à 4800 bauds complets (code 0)" "$complets/$TOURS" "$TOURS/$TOURS"
printf '%-60s %12s %s\n' "identiques au flot déjà reçu (--debit 0)" "$identiques/$TOURS" "$TOURS/$TOURS"
printf '%-60s %12s %s\n' "processeur, 10 s de bruit sans CR à 4800 bauds (s)" "$cpu_s" \
  "< 0.2 s (2 % d'un cœur) : $(awk -v c="$cpu_s" 'BEGIN { print (c < 0.2 ? "ok" : "TROP") }')"
printf '%-60s %12s %s\n' "mémoire crête, envoi de 60 Mo en lignes (Mo)" "$(awk -v k="$mem_lignes" 'BEGIN{printf "%.1f", k/1024}')" \
  "< 40 Mo : $(awk -v k="$mem_lignes" 'BEGIN { print (k < 40960 ? "ok" : "TROP") }')"
printf '%-60s %12s %s\n' "mémoire crête, envoi de 60 Mo sans fin de ligne (Mo)" "$(awk -v k="$mem_sans_fin" 'BEGIN{printf "%.1f", k/1024}')" \
  "< 40 Mo : $(awk -v k="$mem_sans_fin" 'BEGIN { print (k < 40960 ? "ok" : "TROP") }')"
