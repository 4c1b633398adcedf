#!/usr/bin/env bash
# zor-cli download against zor-sim at the line's pace (4800 baud), N times in a row: every run
# must give the same complete file. Usage: tests/serial/reception_en_boucle.sh [N] [BUILD_DIR]
set -euo pipefail
n=${1:-20}
construction=${2:-build}
dossier=$(mktemp -d)
trap 'kill "${sim:-}" 2>/dev/null || true; rm -rf "$dossier"' EXIT

# Three records of 62 characters. The reads start after the first CR, each holding LF, a
# record and its CR; the first read (the second record) is not kept, so the file holds the
# third, the first and the second, then CR LF.
for i in 1 2 3; do printf 'WP%d%-59s\n' "$i" '' >>"$dossier/gps.txt"; done
printf '\nWP3%-59s\r\nWP1%-59s\r\nWP2%-59s\r\r\n' '' '' '' >"$dossier/attendu.txt"

"$construction/zor-sim" envoyer "$dossier/gps.txt" >"$dossier/sim.log" &
sim=$!
for _ in $(seq 50); do grep -q '^ZOR_COMM' "$dossier/sim.log" 2>/dev/null && break; sleep 0.1; done
peripherique=$(sed -n 's/^ZOR_COMM1=//p' "$dossier/sim.log")

echecs=0
for i in $(seq "$n"); do
  if "$construction/zor-cli" download --port "$peripherique" -o "$dossier/sortie.txt" 2>"$dossier/cli.log" &&
    cmp -s "$dossier/sortie.txt" "$dossier/attendu.txt"; then
    echo "$i : identique"
  else
    echo "$i : DIFFÉRENT"
    cat "$dossier/cli.log"
    echecs=$((echecs + 1))
  fi
done
echo "$((n - echecs))/$n réceptions identiques"
[ "$echecs" -eq 0 ]
