#!/usr/bin/env bash
# Conversion benchmark: builds in Release in its own folder, then prints side by side
#  - zor-cli convert against a minimal hand-written loop (the floor) on 200,000 G7towin lines,
#  - the cost of 10 times the input (2,000,000 lines),
#  - zor-cli against GPSBabel (unicsv -> nmea) on 10,000 waypoints,
#  - zor-cli's peak memory,
#  - GPX: 200,000 waypoints (about 20 MB) to sentences, and 200,000 G7towin lines to GPX,
#    with their peak memory,
#  - the window's conversion of 100,000 records (real Form1, offscreen platform),
#  - GPX lines: a day's outing (a 3,000-point track with waypoints and routes), 10 and 100 of
#    them in one file, a 1,000,000-point track (the whole run, the reading alone, the fitting
#    alone), 200,000 waypoints whose names share their first six bytes, an attribute of 200 MB.
#   bench/convert/run.sh [REPETITIONS]      (best of REPETITIONS runs, 11 by default)
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
construction=${ZOR_BENCH_BUILD:-$racine/build-conv-bench}
repetitions=${1:-11}

if ! command -v gpsbabel >/dev/null; then
  apt-get install -y gpsbabel >/dev/null || { apt-get update >/dev/null && apt-get install -y gpsbabel >/dev/null; }
fi
[ -x /usr/bin/time ] || apt-get install -y time >/dev/null

cmake -S "$racine" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOR_TESTS=OFF >/dev/null
ninja -C "$construction" -j2 zor-cli donnees_bench plancher_g7towin fenetre_bench ajustement_bench >/dev/null

zorcli=$construction/zor-cli
outils=$construction/bench
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

"$outils/donnees_bench" g7towin 200000 "$travail/g7-200k.txt"
"$outils/donnees_bench" g7towin 2000000 "$travail/g7-2M.txt"
"$outils/donnees_bench" g7towin 100000 "$travail/g7-100k.txt"
"$outils/donnees_bench" g7towin 10000 "$travail/g7-10k.txt"
"$outils/donnees_bench" unicsv 10000 "$travail/wpt-10k.csv"
"$outils/donnees_bench" gpx 200000 "$travail/wpt-200k.gpx"
"$outils/donnees_bench" trace 3000 "$travail/trace-3k.gpx"
"$outils/donnees_bench" trace 3000 "$travail/trace-3k-x10.gpx" 10
"$outils/donnees_bench" trace 3000 "$travail/trace-3k-x100.gpx" 100
"$outils/donnees_bench" trace 1000000 "$travail/trace-1M.gpx"
"$outils/donnees_bench" noms 200000 "$travail/noms-200k.gpx"
"$outils/donnees_bench" attribut 200 "$travail/attribut-200M.gpx"
sync  # the generated files' write-back would otherwise run during the measures

# Best wall time of N runs, in milliseconds.
meilleur() {
  local n=$1 best=
  shift
  for ((i = 0; i < n; i++)); do
    local t0=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    local t1=$EPOCHREALTIME
    local ms
    ms=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", (b - a) * 1000 }')
    if [ -z "$best" ] || awk -v x="$ms" -v y="$best" 'BEGIN { exit !(x < y) }'; then best=$ms; fi
  done
  echo "$best"
}
# Best wall times of two commands (shell functions) run in turn, so that both meet the same machine: "t1 t2".
duel() {
  local n=$1 a=$2 b=$3 best_a= best_b=
  for ((i = 0; i < n; i++)); do
    local t
    t=$(meilleur 1 "$a"); if [ -z "$best_a" ] || awk -v x="$t" -v y="$best_a" 'BEGIN { exit !(x < y) }'; then best_a=$t; fi
    t=$(meilleur 1 "$b"); if [ -z "$best_b" ] || awk -v x="$t" -v y="$best_b" 'BEGIN { exit !(x < y) }'; then best_b=$t; fi
  done
  echo "$best_a $best_b"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v max="$2" 'BEGIN { print (v <= max ? "ok" : "TROP") }'; }

# The floor must write exactly what zor-cli writes, or the comparison means nothing.
"$zorcli" convert --type g7towin -o "$travail/zor.out" "$travail/g7-200k.txt" 2>/dev/null
"$outils/plancher_g7towin" "$travail/g7-200k.txt" "$travail/plancher.out"
cmp -s "$travail/zor.out" "$travail/plancher.out" || { echo "le plancher n'écrit pas les mêmes octets" >&2; exit 1; }

zor_200k() { "$zorcli" convert --type g7towin -o "$travail/zor.out" "$travail/g7-200k.txt"; }
plancher_200k() { "$outils/plancher_g7towin" "$travail/g7-200k.txt" "$travail/plancher.out"; }
read -r t_zor t_plancher < <(duel "$repetitions" zor_200k plancher_200k)
t_zor10=$(meilleur "$repetitions" "$zorcli" convert --type g7towin -o "$travail/zor10.out" "$travail/g7-2M.txt")
t_zor10k=$(meilleur "$repetitions" "$zorcli" convert --type g7towin -o "$travail/zor10k.out" "$travail/g7-10k.txt")
t_babel=$(meilleur 3 gpsbabel -i unicsv -f "$travail/wpt-10k.csv" -o nmea -F "$travail/babel.nmea")
mem200k=$(/usr/bin/time -f %M "$zorcli" convert --type g7towin -o "$travail/zor.out" "$travail/g7-200k.txt" 2>&1 >/dev/null | tail -n 1)
mem2M=$(/usr/bin/time -f %M "$zorcli" convert --type g7towin -o "$travail/zor10.out" "$travail/g7-2M.txt" 2>&1 >/dev/null | tail -n 1)
t_gpx=$(meilleur "$repetitions" "$zorcli" convert --type gpx --mode waypoint -o "$travail/gpx.out" "$travail/wpt-200k.gpx")
t_versgpx=$(meilleur "$repetitions" "$zorcli" convert --type g7towin --mode waypoint --to gpx -o "$travail/g7.gpx" "$travail/g7-200k.txt")
mem_gpx=$(/usr/bin/time -f %M "$zorcli" convert --type gpx --mode waypoint -o "$travail/gpx.out" "$travail/wpt-200k.gpx" 2>&1 >/dev/null | tail -n 1)
mem_versgpx=$(/usr/bin/time -f %M "$zorcli" convert --type g7towin --mode waypoint --to gpx -o "$travail/g7.gpx" "$travail/g7-200k.txt" 2>&1 >/dev/null | tail -n 1)
octets_gpx=$(stat -c %s "$travail/wpt-200k.gpx")
phrases_gpx=$(grep -c '^\$GPWPL' "$travail/gpx.out" || true)
read -r n_fenetre t_fenetre t_fenetre_affiche _ < <("$outils/fenetre_bench" "$travail/g7-100k.txt" 2>/dev/null)
# The window converting a 100 MB file of the receiver's own sentences: its peak memory against
# twice the interchange file it writes, plus the toolkit's own.
"$zorcli" convert --type g7towin -o "$travail/zor-100M.txt" "$travail/g7-2M.txt" 2>/dev/null
while [ "$(stat -c %s "$travail/zor-100M.txt")" -lt 100000000 ]; do
  cat "$travail/zor-100M.txt" "$travail/zor-100M.txt" > "$travail/zor-200M.txt" && mv "$travail/zor-200M.txt" "$travail/zor-100M.txt"
done
head -c 100000000 "$travail/zor-100M.txt" > "$travail/zor-100M.in" && rm "$travail/zor-100M.txt"
mem_fenetre=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f %M "$outils/fenetre_bench" "$travail/zor-100M.in" "Format ZOR" 2>&1 >/dev/null | tail -n 1)
echange_100M=$(( $(stat -c %s "$travail/zor-100M.in") / 1024 ))
plafond_fenetre=$(( 2 * echange_100M + 60 * 1024 ))
rm -f "$travail/zor-100M.in"
# GPX lines. "time -f" gives the seconds and the peak memory of one run: "s KB".
temps_memoire() { /usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -n 1; }
t_trace3k=$(meilleur "$repetitions" "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k.gpx")
t_trace3k10=$(meilleur 3 "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k-x10.gpx")
t_trace3k100=$(meilleur 3 "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k-x100.gpx")
read -r _ mem_trace3k < <(temps_memoire "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k.gpx")
read -r _ mem_trace3k100 < <(temps_memoire "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k-x100.gpx")
resume_3k=$("$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-3k.gpx" 2>&1 | head -n 1)
t_trace1M=$(meilleur 3 "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-1M.gpx")
read -r _ mem_trace1M < <(temps_memoire "$zorcli" convert --ligne 3 -o "$travail/t.out" "$travail/trace-1M.gpx")
t_liste1M=$(meilleur 3 "$zorcli" convert --liste "$travail/trace-1M.gpx")
octets_1M=$(stat -c %s "$travail/trace-1M.gpx")
read -r _ _ _ t_ajuste1M < <("$outils/ajustement_bench" trace 1000000 | head -n 1)
read -r _ _ _ t_ecart1M < <("$outils/ajustement_bench" trace 1000000 | tail -n 1)
read -r _ mem_ajuste1M < <(temps_memoire "$outils/ajustement_bench" trace 1000000)
t_noms=$(meilleur 3 "$zorcli" convert --mode waypoint -o "$travail/t.out" "$travail/noms-200k.gpx")
read -r _ mem_noms < <(temps_memoire "$zorcli" convert --mode waypoint -o "$travail/t.out" "$travail/noms-200k.gpx")
read -r _ _ t_noms_seuls < <("$outils/ajustement_bench" noms 200000)
noms_uniques=$(grep '^\$GPWPL' "$travail/t.out" | sed 's/.*,\([^,]*\)\*..\r$/\1/' | sort -u | wc -l)
read -r t_attribut mem_attribut < <(temps_memoire "$zorcli" convert -o "$travail/t.out" "$travail/attribut-200M.gpx")
rm -f "$travail/trace-1M.gpx" "$travail/attribut-200M.gpx"
octets=$(stat -c %s "$travail/zor.out")
babel_phrases=$(grep -c '^\$GPWPL' "$travail/babel.nmea" || true)

echo
echo "Conversion ZOR — meilleur de $repetitions passages (ms de temps réel)"
printf '%-58s %10s %10s %8s %s\n' "mesure" "ZOR" "référence" "ratio" "objectif"
printf '%-58s %10s %10s %8s %s\n' "200 000 lignes G7towin : zor-cli / boucle minimale" "$t_zor" "$t_plancher" \
  "$(ratio "$t_zor" "$t_plancher")" "<= 1.5 : $(verdict "$(ratio "$t_zor" "$t_plancher")" 1.5)"
printf '%-58s %10s %10s %8s %s\n' "2 000 000 lignes / 200 000 lignes (zor-cli)" "$t_zor10" "$t_zor" \
  "$(ratio "$t_zor10" "$t_zor")" "<= 11 : $(verdict "$(ratio "$t_zor10" "$t_zor")" 11)"
printf '%-58s %10s %10s %8s %s\n' "10 000 waypoints : zor-cli / GPSBabel unicsv->nmea" "$t_zor10k" "$t_babel" \
  "$(ratio "$t_zor10k" "$t_babel")" "< 1 (GPSBabel : $babel_phrases phrases \$GPWPL)"
printf '%-58s %10s %10s %8s %s\n' "mémoire crête zor-cli, 200 000 lignes (Mo)" "$(awk -v k="$mem200k" 'BEGIN{printf "%.1f", k/1024}')" \
  "16" "$(ratio "$mem200k" 16384)" "< 16 Mo : $(verdict "$mem200k" 16383)"
printf '%-58s %10s %10s %8s %s\n' "mémoire crête zor-cli, 2 000 000 / 200 000 lignes (Mo)" \
  "$(awk -v k="$mem2M" 'BEGIN{printf "%.1f", k/1024}')" "$(awk -v k="$mem200k" 'BEGIN{printf "%.1f", k/1024}')" \
  "$(ratio "$mem2M" "$mem200k")" "plat (~1)"
printf '%-58s %10s %10s %8s %s\n' "GPX 200 000 waypoints -> phrases (ms) / G7towin 200 000" "$t_gpx" "$t_zor" \
  "$(ratio "$t_gpx" "$t_zor")" "($(awk -v o="$octets_gpx" 'BEGIN{printf "%.1f", o/1e6}') Mo de GPX, $phrases_gpx phrases)"
printf '%-58s %10s %10s %8s %s\n' "G7towin 200 000 lignes -> GPX (ms) / -> phrases" "$t_versgpx" "$t_zor" \
  "$(ratio "$t_versgpx" "$t_zor")" ""
printf '%-58s %10s %10s %8s %s\n' "mémoire crête zor-cli, GPX 200 000 waypoints (Mo)" "$(awk -v k="$mem_gpx" 'BEGIN{printf "%.1f", k/1024}')" \
  "64" "$(ratio "$mem_gpx" 65536)" "< 64 Mo : $(verdict "$mem_gpx" 65535)"
printf '%-58s %10s %10s %8s %s\n' "mémoire crête zor-cli, 200 000 lignes -> GPX (Mo)" "$(awk -v k="$mem_versgpx" 'BEGIN{printf "%.1f", k/1024}')" \
  "64" "$(ratio "$mem_versgpx" 65536)" "< 64 Mo : $(verdict "$mem_versgpx" 65535)"
printf '%-58s %10s %10s %8s %s\n' "fenêtre, 100 000 enregistrements (ms, avec l'écho)" "$t_fenetre" "2000" \
  "$(ratio "$t_fenetre" 2000)" "< 2 s : $(verdict "$t_fenetre" 2000) ($n_fenetre lus ; affiché en $t_fenetre_affiche ms)"
printf '%-58s %10s %10s %8s %s\n' "fenêtre, fichier ZOR de 100 Mo : mémoire crête (Mo)" \
  "$(awk -v k="$mem_fenetre" 'BEGIN{printf "%.0f", k/1024}')" "$(awk -v k="$plafond_fenetre" 'BEGIN{printf "%.0f", k/1024}')" \
  "$(ratio "$mem_fenetre" "$plafond_fenetre")" "<= 2 x échange + 60 Mo : $(verdict "$mem_fenetre" "$plafond_fenetre")"
printf '%-58s %10s %10s %8s %s\n' "trace GPX de 3 000 points -> 255 (ms)" "$t_trace3k" "1000" \
  "$(ratio "$t_trace3k" 1000)" "< 1 s : $(verdict "$t_trace3k" 1000) ; $(awk -v k="$mem_trace3k" 'BEGIN{printf "%.1f", k/1024}') Mo"
printf '%-58s %10s %10s %8s %s\n' "10 sorties (30 lignes) / 1 sortie" "$t_trace3k10" "$t_trace3k" \
  "$(ratio "$t_trace3k10" "$t_trace3k")" "<= 11"
printf '%-58s %10s %10s %8s %s\n' "100 sorties (300 lignes) / 1 sortie" "$t_trace3k100" "$t_trace3k" \
  "$(ratio "$t_trace3k100" "$t_trace3k")" "<= 110 ; $(awk -v k="$mem_trace3k100" 'BEGIN{printf "%.1f", k/1024}') Mo (une ligne gardée à la fois)"
printf '%-58s %10s %10s %8s %s\n' "trace de 1 000 000 points : ajustement seul (ms)" "$t_ajuste1M" "1000" \
  "$(ratio "$t_ajuste1M" 1000)" "< 1 s : $(verdict "$t_ajuste1M" 1000) ; à 5 m : $t_ecart1M ms ; $(awk -v k="$mem_ajuste1M" 'BEGIN{printf "%.1f", k/1024}') Mo"
printf '%-58s %10s %10s %8s %s\n' "trace de 1 000 000 points : zor-cli entier / lecture seule" "$t_trace1M" "$t_liste1M" \
  "$(ratio "$t_trace1M" "$t_liste1M")" "($(awk -v o="$octets_1M" 'BEGIN{printf "%.0f", o/1e6}') Mo de GPX lus par expat)"
printf '%-58s %10s %10s %8s %s\n' "trace de 1 000 000 points : mémoire crête zor-cli (Mo)" "$(awk -v k="$mem_trace1M" 'BEGIN{printf "%.1f", k/1024}')" \
  "64" "$(ratio "$mem_trace1M" 65536)" "< 64 Mio : $(verdict "$mem_trace1M" 65535)"
printf '%-58s %10s %10s %8s %s\n' "200 000 noms aux six premiers octets communs (ms)" "$t_noms" "1000" \
  "$(ratio "$t_noms" 1000)" "< 1 s : $(verdict "$t_noms" 1000) ; noms seuls $t_noms_seuls ms ; $noms_uniques noms distincts ; $(awk -v k="$mem_noms" 'BEGIN{printf "%.1f", k/1024}') Mo"
printf '%-58s %10s %10s %8s %s\n' "GPX à un attribut de 200 Mo : refus (s)" "$t_attribut" "1" \
  "$(ratio "$t_attribut" 1)" "$(awk -v k="$mem_attribut" 'BEGIN{printf "%.1f", k/1024}') Mo de mémoire crête"
echo "Résumé d'une sortie de 3 000 points : $resume_3k"
echo
echo "Débit zor-cli : $(awk -v o="$octets" -v t="$t_zor" 'BEGIN { printf "%.0f", o / 1e6 / (t / 1000) }') Mo/s de phrases ($octets octets pour 200 000 lignes)"
