#!/usr/bin/env bash
# Serial link benchmark: upload pacing of zor-cli against the simulated receiver, beside
# GPSBabel's NMEA writer on the same kind of pseudo-terminal, and the processor time of a
# download waiting on a silent receiver.
#
#   bench/serial/run.sh [BUILD_DIR]      (default: build)
#
# Needs zor-cli and zor-sim built in BUILD_DIR; installs gpsbabel with apt-get when missing.
set -euo pipefail

CONSTRUCTION=$(cd "${1:-build}" && pwd)
CLI="$CONSTRUCTION/zor-cli"
SIM="$CONSTRUCTION/zor-sim"
PHRASES=20
SILENCE=10
for p in "$CLI" "$SIM"; do
  [[ -x "$p" ]] || { echo "introuvable : $p (construisez d'abord : ninja -C $CONSTRUCTION zor-cli zor-sim)" >&2; exit 2; }
done
if ! command -v gpsbabel >/dev/null; then
  echo "gpsbabel absent : installation avec apt-get" >&2
  apt-get install -y gpsbabel >/dev/null || { apt-get update >/dev/null && apt-get install -y gpsbabel >/dev/null; }
fi

TRAVAIL=$(mktemp -d)
SIM_PID=""
nettoyer() {
  if [[ -n "$SIM_PID" ]]; then kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; fi
  rm -rf "$TRAVAIL"
}
trap nettoyer EXIT

# One checksummed sentence per waypoint, each followed by an empty line, as a conversion writes.
somme() {
  local corps=$1 s=0 i
  for ((i = 0; i < ${#corps}; i++)); do
    s=$((s ^ $(printf '%d' "'${corps:i:1}")))
  done
  printf '%02X' "$s"
}
ECHANGE="$TRAVAIL/echange.txt"
: >"$ECHANGE"
for ((n = 1; n <= PHRASES; n++)); do
  code=$([[ $n -eq 1 ]] && echo 0C || echo 0A)
  corps=$(printf 'GPWPL,45%02d.%03d,N,001%02d.%03d,E,PDC%03d%s' $((n % 60)) $((n * 37 % 1000)) $((n % 60)) $((n * 53 % 1000)) "$n" "$code")
  printf '$%s*%s\r\n\r\n' "$corps" "$(somme "$corps")" >>"$ECHANGE"
done

demarrer_sim() {  # $1: output file; sets SIM_PID and DEV
  "$SIM" recevoir --tsv >"$1" 2>&1 &
  SIM_PID=$!
  for _ in $(seq 50); do
    [[ -s "$1" ]] && break
    sleep 0.1
  done
  DEV=$(head -1 "$1" | cut -d= -f2)
}
arreter_sim() {  # waits for the program to close the port, then stops the simulator
  for _ in $(seq 50); do
    grep -q '^ferme' "$1" && break
    sleep 0.1
  done
  kill "$SIM_PID" 2>/dev/null || true
  wait "$SIM_PID" 2>/dev/null || true
  SIM_PID=""
}

# Gaps, total and verdicts from the simulator's lines:
#   phrase <t ms> <gap ms> <verdict> <line end> <settings> <sentence> ; ferme <t ms>
analyser() {  # $1: simulator output, $2: name
  awk -F'\t' -v nom="$2" -v attendu="$PHRASES" '
    $1 == "phrase" {
      n++; if (n == 1) premier = $2
      if (n > 1) { e = $3 - 600; if (e < 0) e = -e; ecarts[n - 1] = e; if (e > max) max = e; somme_ecarts += $3 }
      if ($4 == "somme juste") justes++
      fins[$5]++; reglages[$6]++
    }
    $1 == "ferme" && n > 0 && !ferme { ferme = $2 }
    END {
      m = n - 1
      for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (ecarts[j] < ecarts[i]) { t = ecarts[i]; ecarts[i] = ecarts[j]; ecarts[j] = t }
      mediane = (m % 2) ? ecarts[(m + 1) / 2] : (ecarts[m / 2] + ecarts[m / 2 + 1]) / 2
      printf "%s\n", nom
      printf "  phrases reçues               : %d / %d, somme juste : %d\n", n, attendu, justes
      printf "  écart médian à 600 ms        : %.2f ms\n", mediane
      printf "  écart maximal à 600 ms       : %.2f ms\n", max
      printf "  écart moyen entre phrases    : %.2f ms\n", somme_ecarts / m
      if (ferme) printf "  durée (1re phrase → fermeture) : %.1f ms pour %d ms attendus (%+.1f ms)\n", ferme - premier, attendu * 600, ferme - premier - attendu * 600
      printf "  fins de ligne                :"; for (f in fins) printf " %s×%d", f, fins[f]; printf "\n"
      printf "  réglages vus par le récepteur:"; for (r in reglages) printf " %s×%d", r, reglages[r]; printf "\n"
    }' "$1"
}

echo "== Envoi de $PHRASES phrases (pause de 600 ms après chacune) =="
echo "(le simulateur règle sa ligne à 9600 8N1 au départ : un programme qui la laisse ainsi ne l'a pas réglée)"
demarrer_sim "$TRAVAIL/zor.tsv"
"$CLI" upload --port "$DEV" "$ECHANGE" 2>"$TRAVAIL/zor-cli.err"
arreter_sim "$TRAVAIL/zor.tsv"
analyser "$TRAVAIL/zor.tsv" "zor-cli upload"

demarrer_sim "$TRAVAIL/gpsbabel.tsv"
gpsbabel -i nmea -f "$ECHANGE" -o nmea,pause=0.6 -F "$DEV"
arreter_sim "$TRAVAIL/gpsbabel.tsv"
analyser "$TRAVAIL/gpsbabel.tsv" "gpsbabel -o nmea,pause=0.6 ($(gpsbabel -V 2>/dev/null | grep -o 'Version [0-9.]*' || echo '?'))"

echo
echo "== Coût d'une réception qui attend un GPS muet pendant $SILENCE s =="
demarrer_sim "$TRAVAIL/muet.tsv"
TIMEFORMAT='%U %S %R'
{ time "$CLI" download --port "$DEV" --timeout "$SILENCE" >/dev/null 2>"$TRAVAIL/download.err" || true; } 2>"$TRAVAIL/temps.txt"
arreter_sim "$TRAVAIL/muet.tsv"
read -r U S R <"$TRAVAIL/temps.txt"
awk -v u="$U" -v s="$S" -v r="$R" 'BEGIN {
  printf "  temps processeur : %.3f s (utilisateur %.3f + système %.3f) en %.2f s\n", u + s, u, s, r
  printf "  soit %.2f %% d'"'"'un cœur (objectif : moins de 2 %%)\n", 100 * (u + s) / r }'
