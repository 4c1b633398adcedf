#!/usr/bin/env bash
# The window zor.exe under wine on a virtual screen (Xvfb), driven with xdotool through its
# steps: the start layout, Enter (clicks nothing), "Ok", "Ok", a conversion through the real
# open dialog, with a Linux build an upload on COM1 to zor-sim (wine maps COM1 to its
# pseudo-terminal; clicks and keys meanwhile are dropped, and Enter after it clicks nothing),
# the about box, then a second upload closed by its close box (the window closes once the
# upload is over); a second start for the double click on the background and its question, a
# third for the close box with the about box left open; a fourth given a GPX file on its command
# line, then an Autoroute Express file dropped on it, each converted as zor-cli converts it; the
# setup run while ZOR is open; then the window at 120 and 144 points
# per inch (wine's LogPixels), beside the Qt window at the same scale when the Linux build has
# zor-capture. Every step is a screenshot (ImageMagick) read against the rectangles the
# window's model gives (disposition.exe): the faces of the buttons that show, the window's green
# where hidden controls are, the lists' backgrounds and heights, the coloured captions. The
# message box must read « Annuler » under a French system, the port list's tooltip stay its own
# after the list dropped down (textes.exe), and a screen reader read each control by its name
# (accessibilite.exe, through oleacc). verifications-fenetre.exe checks the window in its own
# process first, moved to other resolutions by WM_DPICHANGED, which wine never sends. The
# screenshots stay in captures-fenetre/.
#   tests/windows/fenetre.sh DOSSIER_DE_CONSTRUCTION [CONSTRUCTION_LINUX]
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
construction=$(cd "${1:?usage : $0 DOSSIER_DE_CONSTRUCTION [CONSTRUCTION_LINUX]}" && pwd)
linux=${2:+$(cd "$2" && pwd)}

export WINEPREFIX=${WINEPREFIX:-$construction/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# wine's own boxes and dialogs in French, and the Windows code page 1252.
export LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8
captures=$construction/captures-fenetre
rm -rf "$captures"
mkdir -p "$captures"

echecs=0
echec() {
  echo "ÉCHEC : $*" >&2
  echecs=$((echecs + 1))
}

# --- the virtual screen --------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$captures/ecran" 2>/dev/null &
xvfb=$!
zor=
sim=
nettoyer() {
  [ -n "$zor" ] && kill "$zor" 2>/dev/null || true
  [ -n "$sim" ] && kill "$sim" 2>/dev/null || true
  # The prefix goes back to 100 % for whatever runs in it next.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap nettoyer EXIT
for _ in $(seq 50); do [ -s "$captures/ecran" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$captures/ecran")"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
# No window manager runs: wine draws the frames and captions itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
# The screen's resolution in points per inch (96 at 100 %), read by each program as it starts:
# the wine server is started again after a change.
resolution() {  # resolution PPP
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
}
resolution 96

# COM1 leads to a link that zor-sim points at its pseudo-terminal (as for zor-cli.exe's checks).
lien=$construction/wine-com1
if [ -n "$linux" ]; then
  cle_ports='HKLM\Software\Wine\Ports'
  if ! wine reg query "$cle_ports" /v COM1 2>/dev/null | grep -qF "$lien"; then
    wine reg add "$cle_ports" /v COM1 /t REG_SZ /d "$lien" /f >/dev/null
    wineserver -k || true
    wineserver -w
  fi
fi
# One wine server for every program below, started here so that what it prints when it ends
# goes nowhere.
wineserver -p >/dev/null 2>&1 || true

# --- the model's rectangles, at the screen's resolution ---------------------------------------
declare -A X Y L H FOND GENRE
disposition() {
  CLIENT_L=
  while read -r quoi nom genre visible x y l h fond; do
    case $quoi in
      client) CLIENT_L=$nom CLIENT_H=$genre ;;
      apropos) APROPOS=("$nom" "$genre" "$visible" "$x") ;;  # left, top, width, height
      controle) X[$nom]=$x Y[$nom]=$y L[$nom]=$l H[$nom]=$h FOND[$nom]=$fond GENRE[$nom]=$genre ;;
    esac
  done < <(wine "$construction/disposition.exe" | tr -d '\r')
  [ -n "${CLIENT_L:-}" ] || { echo "ÉCHEC : disposition.exe n'a rien donné" >&2; exit 1; }
}
disposition

# --- screenshots and what they show ----------------------------------------------------------
VERT="rgb(192,255,192)"
capture() {  # capture NOM: the screen into NOM.png, and the client area's place on it
  # The pointer out of the way: no tooltip over what is read.
  xdotool mousemove 1023 767
  sleep 0.7
  import -window root "$captures/$1.png"
  image=$captures/$1.png
  # The client area is the one block of the window's green: its box gives its size and place.
  local boite
  boite=$(convert "$image" -fill black +opaque "$VERT" -format '%@' info:)
  CX=${boite#*+}
  CY=${CX#*+}
  CX=${CX%%+*}
  [ "${boite%%+*}" = "${CLIENT_L}x${CLIENT_H}" ] ||
    echec "$1 : la zone cliente fait ${boite%%+*} au lieu de ${CLIENT_L}x${CLIENT_H} pixels"
}

part() {  # part COULEUR X Y L H: the share of the rectangle (client coordinates) in that colour
  convert "$image" -crop "$4x$5+$((CX + $2))+$((CY + $3))" +repage -fill black +opaque "$1" -fill white -opaque "$1" \
    -colorspace Gray -format '%[fx:mean]' info:
}
au_moins() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# The face of a button inside its border; the whole rectangle of the others.
zone() {
  if [ "${GENRE[$1]}" = bouton ]; then
    echo $((X[$1] + 4)) $((Y[$1] + 4)) $((L[$1] - 8)) $((H[$1] - 8))
  else
    echo "${X[$1]}" "${Y[$1]}" "${L[$1]}" "${H[$1]}"
  fi
}

montre() {  # montre ETAPE NOM COULEUR PART: at least PART of the control is in COULEUR
  local p
  # shellcheck disable=SC2046
  p=$(part "$3" $(zone "$2"))
  au_moins "$p" "$4" || echec "$1 : $2 devrait se voir ($3 sur $p de sa surface, attendu $4)"
}
cache() {  # cache ETAPE NOM...: nothing but the window's green where these controls are
  local etape=$1 nom p
  shift
  for nom; do
    # shellcheck disable=SC2046
    p=$(part "$VERT" $(zone "$nom"))
    au_moins "$p" 0.97 || echec "$etape : $nom devrait être caché (vert sur $p de sa surface)"
  done
}
ecrit() {  # ecrit ETAPE NOM COULEUR: the control's caption shows in that colour
  local p
  p=$(part "$3" "${X[$2]}" "${Y[$2]}" "${L[$2]}" "${H[$2]}")
  # A few pixels are enough: a count of "1" is a thin stroke in its label.
  au_moins "$p" 0.003 || echec "$1 : le texte de $2 devrait se voir en $3"
}
boutons() {  # boutons ETAPE NOM...: these picture buttons show their faces
  local etape=$1 nom f
  shift
  for nom; do
    f=${FOND[$nom]}
    montre "$etape" "$nom" "rgb($f)" 0.6
  done
}

# Without a window manager the keyboard goes to the window under the pointer: the pointer
# rests there first.
touche() {  # touche X Y TOUCHE (screen coordinates)
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool key "$3"
}
cliquer() {  # cliquer NOM: a click in the middle of the control
  xdotool mousemove $((CX + X[$1] + L[$1] / 2)) $((CY + Y[$1] + H[$1] / 2)) click 1
}
attendre_fenetre() {  # attendre_fenetre TITRE [SECONDES]: its X window, once it shows (10 s at most)
  local w
  for _ in $(seq $((${2:-10} * 10))); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
position() {  # position FENETRE_X: its top-left corner on the screen
  xdotool getwindowgeometry --shell "$1" | sed -n 's/^X=//p; s/^Y=//p' | paste -sd' '
}
attendre_disparition() {  # attendre_disparition TITRE: its window goes within 5 s
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
attendre_fin() {  # attendre_fin: zor.exe ends within 10 s
  for _ in $(seq 100); do
    kill -0 "$zor" 2>/dev/null || { wait "$zor" || true; zor=; return 0; }
    sleep 0.1
  done
  return 1
}


# What a screen reader reads (accessibilite.exe): each expected line, tab-separated, is there.
lit() {  # lit ETAPE LIGNE...
  local etape=$1 lu ligne
  shift
  lu=$(wine "$construction/accessibilite.exe" "$titre" | tr -d '\r')
  printf '%s\n' "$lu" >"$captures/lecteur-$etape.txt"
  for ligne; do
    grep -qxF -- "$ligne" <<< "$lu" || echec "$etape : un lecteur d'écran devrait lire « ${ligne//$'\t'/ | } » (voir lecteur-$etape.txt)"
  done
}
# The closed list's own box (its border included) on the last screenshot, by what is not the
# window's green around it: the model's width and height.
boite_liste() {  # boite_liste ETAPE NOM
  local boite
  boite=$(convert "$image" -crop "$((L[$2] + 8))x$((H[$2] + 8))+$((CX + X[$2] - 4))+$((CY + Y[$2] - 4))" +repage \
    -fill black -opaque "$VERT" -fill white +opaque black -format '%@' info:)
  [ "${boite%%+*}" = "${L[$2]}x${H[$2]}" ] ||
    echec "$1 : la liste $2 fait ${boite%%+*} au lieu de ${L[$2]}x${H[$2]} pixels"
}

titre="Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4"
echange="$WINEPREFIX/drive_c/\$_t_e_m_p"
rm -f "$echange"

# --- the window in its own process, moved to other resolutions ------------------------------
echo "== verifications-fenetre.exe (wine, Xvfb $DISPLAY)"
wine "$construction/verifications-fenetre.exe" 2>>"$captures/wine.log" | tr -d '\r' | sed 's/^/   /' ||
  echec "verifications-fenetre.exe"
rm -f "$echange"

# --- first run: the steps ------------------------------------------------------------------
echo "== zor.exe (wine, Xvfb $DISPLAY)"
wine "$construction/zor.exe" 2>>"$captures/wine.log" &
zor=$!
# The first start of a wine prefix is slow.
attendre_fenetre "$titre" 60 >/dev/null || { echo "ÉCHEC : la fenêtre ne s'ouvre pas" >&2; exit 1; }

capture 1-depart
boutons depart ok sortie
cache depart ok1 ouvrir ecrire lire Comm nom prtd Typef nombre nombre1 Label2
ecrit depart profil "rgb(255,0,0)"
ecrit depart waypoint "rgb(255,0,0)"
ecrit depart zor "rgb(0,0,0)"
# The two « Ok » told apart, the count named by its label.
lit depart $'option\tprofil de carte\t\tCochez ici pour injecter un profil de carte\tfocus' \
  $'bouton\tOk\t\tValider le port\t' $'bouton\tQuitter\t\tPour sortir du programme\t' \
  $'texte\tNombre d\'enregistrements lus :\t\t\t'

# Enter clicks nothing: no button is the default one (the focus is on "profil de carte").
touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Return
capture 2-entree
boutons entree ok sortie
cache entree ok1 Comm

# Tab goes from the chosen option button to « Quitter », then to "Ok", which Enter clicks.
touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Tab
sleep 0.5
xdotool key Tab
sleep 0.5
xdotool key Return
for _ in $(seq 30); do
  capture 3-ok
  [ "$(part "rgb(255,255,192)" "${X[Comm]}" "${Y[Comm]}" "${L[Comm]}" "${H[Comm]}")" != 0 ] && break
done
kill -0 "$zor" 2>/dev/null || { echo "ÉCHEC : Tab, Tab, Entrée a cliqué « Quitter » au lieu de « Ok »" >&2; exit 1; }
boutons ok ok1 sortie
cache ok ok ouvrir lire nom Typef
montre ok Comm "rgb(255,255,192)" 0.35
ecrit ok prtd "rgb(0,0,0)"
boite_liste ok Comm
# The list is named by its caption, not by its text; its edit field, where the focus is read, too.
lit ok $'liste\tPort de comm:\tComm1\tChoisir le port de communication\t' \
  $'champ\tPort de comm:\tComm1\tChoisir le port de communication\t' $'bouton\tOk\t\tValider le format\t'
cliquer ok1
capture 4-ok1
boutons ok1 ouvrir lire sortie
cache ok1 ok ok1 ecrire
montre ok1 nom "rgb(255,255,255)" 0.4
ecrit ok1 Typef "rgb(0,0,255)"
boite_liste ok1 nom
lit ok1 $'liste\tFormat de fichier :\tFormat ZOR\t\t'

# A conversion of a file in the receiver's own format, chosen in the real open dialog.
convertir() {  # convertir CAPTURE: false when the dialog does not open
  rm -f "$echange"
  cliquer ouvrir
  local dialogue wx wy
  dialogue=$(attendre_fenetre "Fichier en entrée") || return 1
  sleep 0.5
  import -window root "$captures/5-dialogue.png"
  read -r wx wy < <(position "$dialogue")
  xdotool mousemove $((wx + 20)) $((wy + 40))
  sleep 0.3
  xdotool type --delay 20 "Z:$(echo "$racine/tests/convert/donnees/zor.txt" | tr / '\\')"
  xdotool key Return
  for _ in $(seq 50); do [ -f "$echange" ] && break; sleep 0.1; done
  capture "$1"
}
if convertir 6-conversion; then
  boutons conversion ouvrir ecrire sortie
  cache conversion ok ok1 lire
  montre conversion Comm "rgb(255,255,192)" 0.35
  ecrit conversion quant1 "rgb(0,0,255)"
  ecrit conversion nombre "rgb(0,0,0)"
  # The echo label shows the sentences, from its place on.
  p=$(part "rgb(0,0,0)" "${X[fenetre]}" "${Y[fenetre]}" 250 40)
  au_moins "$p" 0.02 || echec "conversion : les phrases ne s'affichent pas dans fenetre"
  if ! cmp -s "$echange" "$racine/tests/windows/attendu/zor-profil.txt"; then
    echec "conversion : c:\\\$_t_e_m_p diffère de tests/windows/attendu/zor-profil.txt"
  fi
  # The count named by its label; the echo read as the sentences it shows, one a line.
  lit conversion $'texte\tNombre d\'enregistrements lus : 4\t\t\t'
  phrases=$(iconv -f WINDOWS-1252 -t UTF-8 "$echange" | tr -d '\r' | grep '^\$' | paste -sd'|' | sed 's/|/\\n/g')
  lit conversion "texte"$'\t'"$phrases"$'\t\t'"enregidtrements générés allant être écrits dans le GPS"$'\t'
else
  echec "la boîte « Fichier en entrée » ne s'ouvre pas"
fi

# An upload on COM1, to the simulated receiver: the window paints the sentence being sent and
# the count while it runs, and takes no click ("Quitter" clicked meanwhile does nothing).
if [ -n "$linux" ] && [ -x "$linux/zor-sim" ] && [ -f "$echange" ]; then
  "$linux/zor-sim" recevoir --tsv --lien "$lien" >"$captures/recus.tsv" &
  sim=$!
  for _ in $(seq 100); do grep -q '^GPS simulé prêt' "$captures/recus.tsv" 2>/dev/null && break; sleep 0.05; done
  cliquer ecrire
  if boite=$(attendre_fenetre ZOR); then
    textes=$(wine "$construction/textes.exe" ZOR | tr -d '\r')
    grep -qx "Annuler" <<< "$textes" || echec "envoi : la confirmation devrait offrir « Annuler » : $(tr '\n' ' ' <<< "$textes")"
    read -r wx wy < <(position "$boite")
    touche $((wx + 10)) $((wy + 30)) Return
    attendre_disparition ZOR || echec "envoi : Entrée ne ferme pas la confirmation"
    # Taken while the last sentences are still on their way (600 ms each).
    for _ in $(seq 100); do grep -q '^phrase' "$captures/recus.tsv" && break; sleep 0.05; done
    capture 7-envoi
    ecrit envoi fenetre "rgb(0,0,0)"
    ecrit envoi result "rgb(0,0,255)"
    ecrit envoi nombre1 "rgb(0,0,0)"
    cache envoi ouvrir
    cliquer sortie
    touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Escape
    attendues=$(grep -c '^\$' "$echange")
    for _ in $(seq 100); do grep -q '^ferme' "$captures/recus.tsv" && break; sleep 0.1; done
    sleep 0.5
    capture 8-apres-envoi
    kill -0 "$zor" 2>/dev/null || echec "envoi : « Quitter » ou Échap pendant l'envoi a été pris"
    boutons "après l'envoi" ouvrir lire sortie
    cache "après l'envoi" ecrire
    montre "après l'envoi" nom "rgb(255,255,255)" 0.4
    recues=$(grep -c '^phrase' "$captures/recus.tsv" || true)
    [ "$recues" = "$attendues" ] || echec "envoi : $recues phrase(s) reçue(s) par zor-sim, $attendues attendue(s)"
    # The upload's button hid with the focus: it is on the chosen option, where Enter does
    # nothing (not on « Quitter »).
    lit "apres-envoi" $'option\tprofil de carte\t\tCochez ici pour injecter un profil de carte\tfocus' \
      $'texte\tnombre d\'enregistrements écrits dans le GPS  FX312 4x4: 4\t\t\t'
    touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Return
    ! attendre_fenetre ZOR 1 >/dev/null || echec "après l'envoi : Entrée a ouvert une boîte"
    kill -0 "$zor" 2>/dev/null || echec "après l'envoi : Entrée a terminé le programme"
  else
    echec "envoi : pas de confirmation"
  fi
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  sim=
fi

# The about box, from the menu entry just above the client area.
xdotool mousemove $((CX + 20)) $((CY - 9)) click 1
if w=$(attendre_fenetre "À propos de ZOR"); then
  capture 9-apropos
  read -r wx wy < <(position "$w")
  [ "$wx" -le "${APROPOS[0]}" ] && [ "$wy" -le "${APROPOS[1]}" ] && [ $((APROPOS[1] - wy)) -lt 40 ] ||
    echec "À propos : la boîte est en $wx,$wy, sa zone cliente devrait commencer en ${APROPOS[0]},${APROPOS[1]}"
  # The etched line: grey over white, across the box.
  ligne=$(convert "$image" -crop "1x6+$((APROPOS[0] + 100))+$((APROPOS[1] + 161))" +repage txt:- | tr -d ' ')
  grep -q '(128,128,128)' <<< "$ligne" && grep -q '(255,255,255)' <<< "$ligne" ||
    echec "À propos : le séparateur gravé manque"
  # « Infos système... » looks the program up in wine's registry: none is there to start, so the
  # box says so in its one message.
  xdotool mousemove $((APROPOS[0] + X[cmdSysInfo] + L[cmdSysInfo] / 2)) $((APROPOS[1] + Y[cmdSysInfo] + H[cmdSysInfo] / 2)) click 1
  if boite=$(attendre_fenetre ZOR); then
    textes=$(wine "$construction/textes.exe" ZOR | tr -d '\r')
    grep -qx "Les informations système ne sont pas disponibles actuellement" <<< "$textes" ||
      echec "Infos système : message inattendu : $(tr '\n' ' ' <<< "$textes")"
    import -window root "$captures/9-infos-systeme.png"
    read -r bx by < <(position "$boite")
    touche $((bx + 10)) $((by + 30)) Return
    attendre_disparition ZOR || echec "Infos système : Entrée ne ferme pas le message"
  else
    echec "Infos système : pas de message"
  fi
  touche "$((APROPOS[0] + 20))" "$((APROPOS[1] + 20))" Escape
  attendre_disparition "À propos de ZOR" || echec "À propos : Échap ne la ferme pas"
else
  echec "la boîte « À propos de ZOR » ne s'ouvre pas"
fi

# A second upload, with the close box clicked while it runs: the window stays until the upload
# is over, then closes, and the program ends with it.
fermer_fenetre() {  # fermer_fenetre FENETRE_X: the close box, drawn by wine at the right end of the caption
  local wx wy largeur
  read -r wx wy < <(position "$1")
  largeur=$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p')
  xdotool mousemove $((wx + largeur - 12)) $((wy + 12)) click 1
}
if [ -n "$linux" ] && [ -x "$linux/zor-sim" ] && convertir 9-conversion; then
  "$linux/zor-sim" recevoir --tsv --lien "$lien" >"$captures/recus2.tsv" &
  sim=$!
  for _ in $(seq 100); do grep -q '^GPS simulé prêt' "$captures/recus2.tsv" 2>/dev/null && break; sleep 0.05; done
  cliquer ecrire
  if boite=$(attendre_fenetre ZOR); then
    read -r wx wy < <(position "$boite")
    touche $((wx + 10)) $((wy + 30)) Return
    attendre_disparition ZOR || echec "second envoi : Entrée ne ferme pas la confirmation"
    for _ in $(seq 100); do grep -q '^phrase' "$captures/recus2.tsv" && break; sleep 0.05; done
    fermer_fenetre "$(attendre_fenetre "$titre")"
    sleep 0.3
    grep -q '^ferme' "$captures/recus2.tsv" && echec "second envoi : la case de fermeture a été cliquée trop tard"
    xdotool search --onlyvisible --name "^$titre\$" >/dev/null 2>&1 ||
      echec "second envoi : la fenêtre s'est fermée au milieu de l'envoi"
    for _ in $(seq 100); do grep -q '^ferme' "$captures/recus2.tsv" && break; sleep 0.1; done
    attendre_fin || echec "second envoi : la fermeture demandée pendant l'envoi n'a pas été faite après"
    recues=$(grep -c '^phrase' "$captures/recus2.tsv" || true)
    [ "$recues" = "$(grep -c '^\$' "$echange")" ] || echec "second envoi : $recues phrase(s) reçue(s) par zor-sim"
  else
    echec "second envoi : pas de confirmation"
  fi
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  sim=
fi
# Without zor-sim: Esc clicks « Quitter », and the program ends.
if [ -n "$zor" ]; then
  touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Escape
  attendre_fin || echec "Échap ne termine pas le programme"
fi

# --- second run: the double click on the background asks, and ends the program ------------
wine "$construction/zor.exe" 2>>"$captures/wine.log" &
zor=$!
# The first start of a wine prefix is slow.
attendre_fenetre "$titre" 60 >/dev/null || { echo "ÉCHEC : la fenêtre ne s'ouvre pas" >&2; exit 1; }
capture 10-depart
xdotool mousemove $((CX + CLIENT_L - 40)) $((CY + CLIENT_H - 10)) click --repeat 2 --delay 80 1
if boite=$(attendre_fenetre ZOR); then
  sleep 0.5
  import -window root "$captures/11-question.png"
  textes=$(wine "$construction/textes.exe" ZOR | tr -d '\r')
  grep -qx "OK" <<< "$textes" && grep -qx "Annuler" <<< "$textes" ||
    echec "la question devrait offrir « OK » et « Annuler » : $(tr '\n' ' ' <<< "$textes")"
  grep -qx "êtes-vous sûr de vouloir quitter le programme?" <<< "$textes" ||
    echec "la question n'a pas son texte : $(tr '\n' ' ' <<< "$textes")"
  read -r wx wy < <(position "$boite")
  touche $((wx + 10)) $((wy + 30)) Escape
  attendre_fin || echec "Annuler dans la question ne termine pas le programme"
else
  echec "le double clic sur le fond n'ouvre pas la question"
fi

# --- third run: the close box closes the window; an about box left open keeps the program
# running until it is closed too -------------------------------------------------------------
wine "$construction/zor.exe" 2>>"$captures/wine.log" &
zor=$!
if principale=$(attendre_fenetre "$titre" 60); then
  capture 12-depart
  cliquer ok
  sleep 0.5
  # The port list dropped down and closed: its tooltip is still only its own (the devices behind
  # its items are not shown on Windows).
  xdotool mousemove $((CX + X[Comm] + L[Comm] - 6)) $((CY + Y[Comm] + H[Comm] / 2)) click 1
  sleep 0.7
  import -window root "$captures/12-liste-ports.png"
  xdotool click 1
  sleep 0.3
  xdotool mousemove $((CX + X[Comm] + 20)) $((CY + Y[Comm] + H[Comm] / 2))
  bulle=
  for _ in $(seq 30); do
    sleep 0.2
    bulle=$(wine "$construction/textes.exe" --infobulle | tr -d '\r') && break
  done
  [ "$bulle" = "Choisir le port de communication" ] ||
    echec "liste des ports : son infobulle devrait rester « Choisir le port de communication » : « $bulle »"
  xdotool mousemove $((CX + 20)) $((CY - 9)) click 1
  if attendre_fenetre "À propos de ZOR" >/dev/null; then
    fermer_fenetre "$principale"
    attendre_disparition "$titre" || echec "la case de fermeture ne ferme pas la fenêtre"
    sleep 0.5
    import -window root "$captures/13-apropos-seule.png"
    kill -0 "$zor" 2>/dev/null || echec "la fenêtre fermée a emporté la boîte « À propos » ouverte"
    touche "$((APROPOS[0] + 20))" "$((APROPOS[1] + 20))" Escape
    attendre_fin || echec "le programme ne se termine pas avec sa dernière fenêtre"
  else
    echec "la boîte « À propos de ZOR » ne s'ouvre pas"
  fi
else
  echec "la fenêtre ne s'ouvre pas une troisième fois"
fi

# --- fourth run: a file named on the command line, then one dropped on the window ------------
# Each is converted as « Rechercher Fichier » converts, into the same bytes as zor-cli's own
# default conversion, and the window ends as after a conversion with records; a GPX file's line
# is told in a box.
donnees=$racine/tests/convert/donnees
conversion_donnee() {  # conversion_donnee ETAPE FICHIER: c:\$_t_e_m_p holds zor-cli's conversion of FICHIER
  [ -n "$linux" ] || return 0
  "$linux/zor-cli" convert "$donnees/$2" >"$captures/attendu-$2.txt" 2>/dev/null
  cmp -s "$echange" "$captures/attendu-$2.txt" || echec "$1 : c:\\\$_t_e_m_p n'est pas la conversion de $2 par zor-cli"
}
etat_conversion() {  # etat_conversion ETAPE: the window after a conversion with records
  boutons "$1" ouvrir ecrire sortie
  # (Typef's place is under the echo's lines.)
  cache "$1" ok ok1 lire nom
  montre "$1" Comm "rgb(255,255,192)" 0.35
  ecrit "$1" quant1 "rgb(0,0,255)"
  p=$(part "rgb(0,0,0)" "${X[fenetre]}" "${Y[fenetre]}" 250 40)
  au_moins "$p" 0.02 || echec "$1 : les phrases ne s'affichent pas dans fenetre"
}
rm -f "$echange"
wine "$construction/zor.exe" "Z:$(echo "$donnees/lignes.gpx" | tr / '\\')" 2>>"$captures/wine.log" &
zor=$!
if attendre_fenetre "$titre" 60 >/dev/null; then
  if boite=$(attendre_fenetre ZOR); then
    sleep 0.5
    import -window root "$captures/14-argument-boite.png"
    textes=$(wine "$construction/textes.exe" ZOR | tr -d '\r' || true)
    grep -q "Profil de carte : route « Étape 1 » : 12 points" <<< "$textes" ||
      echec "zor.exe lignes.gpx : la boîte ne dit pas la ligne prise : $(tr '\n' ' ' <<< "$textes")"
    read -r wx wy < <(position "$boite")
    touche $((wx + 10)) $((wy + 30)) Return
    attendre_disparition ZOR || echec "zor.exe lignes.gpx : Entrée ne ferme pas la boîte"
  else
    echec "zor.exe lignes.gpx : pas de boîte disant la ligne prise"
  fi
  capture 15-argument
  etat_conversion "zor.exe lignes.gpx"
  conversion_donnee "zor.exe lignes.gpx" lignes.gpx

  # Dropped from another program (zor-deposer, a Qt program, over X11's drag and drop, which
  # wine hands to the window as WM_DROPFILES), on the echo label.
  if [ -n "$linux" ] && [ -x "$linux/zor-deposer" ]; then
    "$linux/zor-deposer" "$donnees/exemple.axe" 940 680 >"$captures/deposer.txt" 2>>"$captures/wine.log" &
    deposer=$!
    for _ in $(seq 50); do xdotool search --onlyvisible --name '^zor-deposer$' >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 0.5
    xdotool mousemove 960 700
    sleep 0.3
    xdotool mousedown 1
    for pas in 1 2 3 4 5; do
      xdotool mousemove $((960 + (CX + X[fenetre] + 60 - 960) * pas / 5)) $((700 + (CY + Y[fenetre] + 10 - 700) * pas / 5))
      sleep 0.3
    done
    xdotool mouseup 1
    wait "$deposer" || true
    sleep 1
    capture 16-depot
    [ "$(cat "$captures/deposer.txt")" = copie ] || echec "dépôt : zor.exe n'a pas pris le fichier ($(cat "$captures/deposer.txt"))"
    etat_conversion "dépôt d'exemple.axe"
    conversion_donnee "dépôt d'exemple.axe" exemple.axe
  fi
  touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Escape
  attendre_fin || echec "Échap ne termine pas le programme"
else
  echec "zor.exe lignes.gpx : la fenêtre ne s'ouvre pas"
fi

# --- the setup with ZOR open: silent, it refuses (exit code 2) and leaves ZOR as it is;
# interactive, it proposes the folder of the installation already there (C:\GPS), asks in
# French to close ZOR, closes it and replaces its program --------------------------------------
setup=$(ls "$construction"/zor-*-setup.exe 2>/dev/null || true)
if [ -n "$setup" ]; then
  gps=$(winepath -u 'C:\GPS')
  rm -rf "$gps"
  wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOR' /f >/dev/null 2>&1 || true
  wine "$setup" /S '/D=C:\GPS'
  printf '\n' >>"$gps/zor.exe"
  wine 'C:\GPS\zor.exe' 2>>"$captures/wine.log" &
  zor=$!
  if attendre_fenetre "$titre" 60 >/dev/null; then
    code=0
    wine "$setup" /S || code=$?
    [ "$code" = 2 ] || echec "installation silencieuse pendant que ZOR est ouvert : code $code au lieu de 2"
    kill -0 "$zor" 2>/dev/null || echec "l'installation silencieuse a fermé ZOR"
    wine "$setup" 2>>"$captures/wine.log" &
    installation=$!
    if w=$(xdotool search --sync --onlyvisible --name 'Installation de ZOR' 2>/dev/null | head -n1) && [ -n "$w" ]; then
      titre_installation=$(xdotool getwindowname "$w")
      # Its middle, where its message boxes come too: the keys go to the window under the pointer.
      eval "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/I&/p')"
      ix=$((IX + IWIDTH / 2)) iy=$((IY + IHEIGHT / 2))
      sleep 1
      touche "$ix" "$iy" Return  # « Suivant »
      sleep 1.5
      import -window root "$captures/17-installation-dossier.png"
      for _ in 1 2 3; do
        # Each page may give the window its own caption (a blank after the name here).
        textes=$(wine "$construction/textes.exe" "$(xdotool getwindowname "$w")" | tr -d '\r' || true)
        grep -q 'Parcourir' <<< "$textes" && break
        sleep 1
      done
      grep -qx 'C:\\GPS\\\?' <<< "$textes" || echec "l'installation propose un autre dossier que C:\\GPS : $(tr '\n' ' ' <<< "$textes")"
      touche "$ix" "$iy" Return  # « Installer »
      sleep 2
      import -window root "$captures/18-installation-zor-ouvert.png"
      textes=$(wine "$construction/textes.exe" "$titre_installation" | tr -d '\r' || true)
      grep -q "ZOR est ouvert : il faut le fermer pour l'installation" <<< "$textes" ||
        echec "l'installation ne demande pas de fermer ZOR : $(tr '\n' ' ' <<< "$textes")"
      grep -qx "Annuler" <<< "$textes" || echec "la question de l'installation n'offre pas « Annuler »"
      xdotool key Return  # OK: ZOR is closed
      attendre_fin || echec "l'installation n'a pas fermé ZOR"
      # Its last page, once the files are in place.
      for _ in $(seq 120); do
        wine "$construction/textes.exe" "$(xdotool getwindowname "$w")" 2>/dev/null | grep -q 'Fermer' && break
        sleep 0.5
      done
      import -window root "$captures/19-installation-fin.png"
      cmp -s "$gps/zor.exe" "$construction/zor.exe" || echec "l'installation n'a pas remplacé C:\\GPS\\zor.exe"
      # « Fermer » on the last page starts the new ZOR, as its box (ticked) says.
      touche "$ix" "$iy" Return
      wait "$installation" || true
      if attendre_fenetre "$titre" 30 >/dev/null; then
        capture 20-installation-lance-zor
        touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Escape
        attendre_disparition "$titre" || echec "Échap ne ferme pas le ZOR lancé par l'installation"
      else
        echec "la dernière page de l'installation ne lance pas ZOR"
      fi
    else
      echec "l'installation ne montre pas sa fenêtre"
    fi
  else
    echec "C:\\GPS\\zor.exe ne s'ouvre pas"
  fi
  [ -n "$zor" ] && kill "$zor" 2>/dev/null || true
  wine 'C:\GPS\desinstaller.exe' /S
  for _ in $(seq 50); do [ -e "$gps" ] || break; sleep 0.1; done
  [ ! -e "$gps" ] || echec "la désinstallation laisse C:\\GPS : $(ls "$gps")"
fi

# --- 100 %, 125 % and 150 %: the same window from the same twips, its lists included, beside
# the Qt window at the same scale ----------------------------------------------------------------
for ppp in 96 120 144; do
  resolution "$ppp"
  wineserver -p >/dev/null 2>&1 || true
  disposition
  wine "$construction/zor.exe" 2>>"$captures/wine.log" &
  zor=$!
  if w=$(attendre_fenetre "$titre" 60); then
    capture "dpi$ppp-depart"
    boutons "$ppp ppp" ok sortie
    ecrit "$ppp ppp" profil "rgb(255,0,0)"
    ecrit "$ppp ppp" zor "rgb(0,0,0)"
    cliquer ok
    sleep 0.5
    cliquer ok1
    sleep 0.5
    capture "dpi$ppp-type"
    import -window "$w" "$captures/dpi$ppp-fenetre.png"
    boutons "$ppp ppp" ouvrir lire sortie
    cache "$ppp ppp" ok ok1 ecrire
    montre "$ppp ppp" Comm "rgb(255,255,192)" 0.35
    montre "$ppp ppp" nom "rgb(255,255,255)" 0.4
    ecrit "$ppp ppp" Typef "rgb(0,0,255)"
    boite_liste "$ppp ppp" Comm
    boite_liste "$ppp ppp" nom
    lit "dpi$ppp" $'liste\tPort de comm:\tComm1\tChoisir le port de communication\t' \
      $'liste\tFormat de fichier :\tFormat ZOR\t\t'
    # Esc clicks « Quitter »: the program ends.
    touche $((CX + CLIENT_L - 5)) $((CY + CLIENT_H - 5)) Escape
    attendre_fin || echec "$ppp ppp : Échap ne termine pas le programme"
  else
    echec "la fenêtre ne s'ouvre pas à $ppp ppp"
  fi
  # The Qt window at the same scale, beside it.
  if [ -n "$linux" ] && [ -x "$linux/zor-capture" ]; then
    mkdir -p "$captures/qt-$ppp"
    case $ppp in 96) echelle=1 ;; 120) echelle=1.25 ;; *) echelle=1.5 ;; esac
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$echelle \
      "$linux/zor-capture" "$captures/qt-$ppp" >/dev/null 2>&1 || echec "zor-capture à $ppp ppp"
    [ -f "$captures/qt-$ppp/fenetre-type.png" ] && [ -f "$captures/dpi$ppp-fenetre.png" ] &&
      convert "$captures/dpi$ppp-fenetre.png" "$captures/qt-$ppp/fenetre-type.png" -background black -splice 16x0 \
        +append "$captures/cote-a-cote-$ppp.png"
  fi
done
resolution 96

if [ "$echecs" -ne 0 ]; then
  echo "== fenêtre : $echecs échec(s) ; captures dans $captures" >&2
  exit 1
fi
echo "== fenêtre : toutes les étapes conformes ; captures dans $captures"
