#!/usr/bin/env bash
# Builds the fuzzers of the readers and of zor.conf with clang and runs each in turn for SECONDES seconds
# (default 300) on one core, starting from a seed corpus made of the test inputs.
#   fuzz/run.sh [SECONDES] [CIBLE...]     CIBLE: axe zor g7towin gpx configuration (all by default)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
construction=${ZOR_FUZZ_BUILD:-$racine/build-conv-fuzz}
secondes=${1:-300}
shift || true
cibles=("$@")
[ ${#cibles[@]} -gt 0 ] || cibles=(axe zor g7towin gpx configuration)

CC=clang CXX=clang++ cmake -S "$racine" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZOR_FUZZ=ON -DZOR_TESTS=OFF >/dev/null
ninja -C "$construction" -j2 $(printf 'fuzz_%s ' "${cibles[@]}")

for cible in "${cibles[@]}"; do
  corpus=$racine/fuzz/corpus-run/$cible
  mkdir -p "$corpus" "$construction/fuzz/trouvailles-$cible"
  # Seeds: every sample input, behind a first byte that picks the mode and the block size (for
  # GPX a second one picks the line and its fitting).
  for f in "$racine"/tests/convert/donnees/*; do
    for tete in '\x00' '\x01' '\x06' '\x7f' '\x86'; do
      for ligne in '' '\x00' '\x03' '\x1a'; do
        [ -n "$ligne" ] || [ "$cible" != gpx ] || continue
        [ -z "$ligne" ] || [ "$cible" = gpx ] || continue
        { printf "$tete$ligne"; cat "$f"; } >"$corpus/graine-$(basename "$f")-$(printf '%s' "$tete$ligne" | tr -d '\\')"
      done
    done
  done
  echo "=== fuzz_$cible : $secondes s"
  if "$construction/fuzz/fuzz_$cible" "$corpus" -max_total_time="$secondes" \
    -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$construction/fuzz/trouvailles-$cible/" >"$construction/fuzz/journal-$cible.txt" 2>&1; then
    echo "fuzz_$cible : rien trouvé"
  else
    echo "fuzz_$cible : TROUVAILLE dans $construction/fuzz/trouvailles-$cible/"
    echec=1
  fi
  tail -n 8 "$construction/fuzz/journal-$cible.txt"
done
exit "${echec:-0}"
