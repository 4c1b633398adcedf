#!/usr/bin/env bash
# Draws the window's icons (the same pictures as the Qt front end's) into the .ico files next to
# this script, each at 16, 24, 32 and 48 pixels so that Windows picks a sharp one at any screen
# resolution. The .ico files are committed: the build needs no drawing tool. Run again after
# changing a drawing (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"

# A hand-held receiver: body, screen, antenna stub, in the 16-unit square.
recepteur() {  # x y largeur hauteur
  local x=$1 y=$2 l=$3 h=$4
  echo "stroke #282828 stroke-width 0.6 fill #465a6e roundrectangle $x,$y $(bc <<< "$x+$l"),$(bc <<< "$y+$h") 1.2,1.2"
  echo "fill #aadcaa rectangle $(bc <<< "$x+$l*0.18"),$(bc <<< "$y+$h*0.15") $(bc <<< "$x+$l*0.82"),$(bc <<< "$y+$h*0.53")"
  echo "stroke none fill #282828 rectangle $(bc <<< "$x+$l*0.7"),$(bc <<< "$y-2.5") $(bc <<< "$x+$l*0.7+1.2"),$y"
}

fleche() {  # x y1 y2 couleur
  local x=$1 y1=$2 y2=$3 c=$4 s
  if (( $(bc <<< "$y2 > $y1") )); then s=-2.2; else s=2.2; fi
  echo "stroke $c stroke-width 1.6 stroke-linecap round fill none"
  echo "line $x,$y1 $x,$y2 line $x,$y2 $(bc <<< "$x-2.2"),$(bc <<< "$y2+($s)") line $x,$y2 $(bc <<< "$x+2.2"),$(bc <<< "$y2+($s)")"
}

declare -A dessins
dessins[ok]="stroke #008c00 stroke-width 2.4 stroke-linecap round stroke-linejoin round fill none polyline 3,8.5 6.5,12 13,4"
dessins[ouvrir]="stroke #785a00 stroke-width 0.8 fill #f0c850 polygon 1.5,4 6,4 7.5,5.5 14.5,5.5 14.5,13.5 1.5,13.5
fill #ffe178 polygon 3,7.5 15.5,7.5 14.5,13.5 1.5,13.5"
dessins[ecrire]="$(recepteur 8.5 5 6.5 10.5)
$(fleche 4 14 4 '#c83c00')"
dessins[lire]="$(recepteur 1.5 5 6.5 10.5)
$(fleche 12 4 14 '#005ac8')"
dessins[sortie]="stroke #5a3214 stroke-width 0.8 fill #a06432 rectangle 3,1.5 10,14.5
stroke #c80000 stroke-width 1.8 stroke-linecap round fill none line 9,8 15,8 line 15,8 12.5,5.5 line 15,8 12.5,10.5"
dessins[fenetre]="$(recepteur 4 3.5 8 11.5)
stroke #c80000 stroke-width 0.9 fill none circle 8,7 9.4,7"
# The about box's picture, in a 32-unit square: antenna, body, screen with a route to a flag, keys.
dessins[apropos]="scale 0.5,0.5
stroke none fill #282828 roundrectangle 20,1 23.5,8 1,1
stroke #1e1e1e stroke-width 1 fill #375578 roundrectangle 7.5,5.5 24.5,30.5 3,3
fill #b9e6b9 rectangle 10.5,8.5 21.5,19.5
push graphic-context stroke #005ac8 stroke-width 1.2 stroke-dasharray 1.2 1.2 fill none polyline 12,18 15,14.5 17.5,15.5 19.5,11.5 pop graphic-context
stroke #3c1e00 stroke-width 1 line 19.5,11.5 19.5,9.5
stroke none fill #dc0000 polygon 19.5,9.5 21.5,10.3 19.5,11.1
fill #e6e6e6 circle 12.75,23.75 14,23.75 circle 16.25,23.75 17.5,23.75 circle 19.75,23.75 21,23.75
roundrectangle 12,26.5 20,28.5 1,1"

temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
for nom in "${!dessins[@]}"; do
  images=()
  for cote in 16 24 32 48; do
    echelle=$(bc -l <<< "$cote/16")
    convert -size "${cote}x${cote}" xc:none -draw "scale $echelle,$echelle
${dessins[$nom]}" "PNG32:$temp/$nom-$cote.png"
    images+=("$temp/$nom-$cote.png")
  done
  convert "${images[@]}" "$nom.ico"
done
