#!/usr/bin/env bash
# The window's start against the smallest Qt Widgets windows, from exec to the window mapped on
# a virtual screen (Xvfb, no window manager): PAIRES rounds (11 by default) in which the window
# and each yardstick start one after the other, in a new order each round, so that all meet the
# same machine; one start of each first, not counted, warms the caches. Prints each program's
# median, in milliseconds, and the window's ratios. The aim, 1.10 at most, is against the
# smallest window that shows a text: any window with a text or a menu bar has the toolkit load
# its fonts before it maps (about 8 ms here), which the empty window only does as it first
# paints, after it is mapped.
#   bench/demarrage/run.sh [DOSSIER_DE_CONSTRUCTION [PAIRES]]
# The programs are those of the build tree (build/ by default: the tests' tree, the packaged one).
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
construction=$(cd "${1:-$racine/build}" && pwd)
paires=${2:-11}

cmake --build "$construction" -j2 --target zor guetteur fenetre_minimale >/dev/null
outils=$construction/bench

travail=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$travail/ecran" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$travail"' EXIT
for _ in $(seq 100); do
  [ -s "$travail/ecran" ] && [ -S "/tmp/.X11-unix/X$(head -n1 "$travail/ecran")" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$travail/ecran")"
# The window as a user starts it, its files in a folder of its own.
mkdir -m 700 "$travail/run"
export ZOR_DRIVE_C=$travail XDG_CONFIG_HOME=$travail/config XDG_STATE_HOME=$travail/etat XDG_RUNTIME_DIR=$travail/run
unset QT_QPA_PLATFORM

zor() { "$outils/guetteur" "$construction/zor"; }
texte() { "$outils/guetteur" "$outils/fenetre_minimale" texte; }
vide() { "$outils/guetteur" "$outils/fenetre_minimale"; }
programmes=(zor texte vide)
for p in "${programmes[@]}"; do "$p" >/dev/null; : >"$travail/$p"; done

for ((i = 0; i < paires; i++)); do
  # The three orders in turn: each program starts first, second and third as often.
  for ((k = 0; k < 3; k++)); do
    p=${programmes[$(((i + k) % 3))]}
    "$p" >>"$travail/$p"
  done
done

mediane() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
z=$(mediane "$travail/zor")
t=$(mediane "$travail/texte")
v=$(mediane "$travail/vide")
echo "Démarrage, de l'exec à la fenêtre affichée (médianes de $paires tours), en ms :"
for p in "${programmes[@]}"; do
  case $p in
    zor) nom="zor                        " ;;
    texte) nom="fenêtre Qt minimale (texte)" ;;
    vide) nom="fenêtre Qt minimale (vide) " ;;
  esac
  echo "  $nom $(mediane "$travail/$p")   ($(sort -n "$travail/$p" | paste -sd' '))"
done
# The fastest starts too: other programs on the machine only ever slow a start down.
zm=$(sort -n "$travail/zor" | head -n1)
tm=$(sort -n "$travail/texte" | head -n1)
awk -v z="$z" -v t="$t" -v v="$v" -v zm="$zm" -v tm="$tm" 'BEGIN {
  r = z / t
  printf "  zor / fenêtre avec texte   %.2f (objectif : 1,10 au plus) %s ; au plus rapide %.2f\n", r, r <= 1.10 ? "atteint" : "MANQUÉ", zm / tm
  printf "  zor / fenêtre vide         %.2f\n", z / v
}'
