"""The Qt window over AT-SPI, as a screen reader walks it: starts PROGRAMME (zor-fenetre-essai),
finds it on the accessibility bus, reads the role, name and description of every control that
shows (and the text of a list's edit field, its value), presses the buttons through their
"Press" action step by step, and checks at each step what a French user of Orca hears. Run by
atspi.sh inside a D-Bus session of its own."""
import subprocess
import sys
import time

import dbus

ACC, ACTION, TEXTE = "org.a11y.atspi.Accessible", "org.a11y.atspi.Action", "org.a11y.atspi.Text"
FOCUS, VISIBLE = 12, 30  # AT-SPI states
TITRE = "Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4"
echecs = []


def echec(message):
    echecs.append(message)
    print("ÉCHEC : " + message, file=sys.stderr)


class Noeud:
    def __init__(self, service, chemin):
        self.objet = bus.get_object(service, chemin, introspect=False)
        acc = dbus.Interface(self.objet, ACC)
        # One property at a time: the toolkit's bridge does not answer GetAll on this interface.
        lire = dbus.Interface(self.objet, "org.freedesktop.DBus.Properties").Get
        self.role, self.nom, self.description = str(acc.GetRoleName()), str(lire(ACC, "Name")), str(lire(ACC, "Description"))
        etats = acc.GetState()
        self.etats = int(etats[0]) | (int(etats[1]) << 32)
        self.enfants = [(str(s), str(c)) for s, c in acc.GetChildren()]

    def a(self, etat):
        return bool(self.etats & (1 << etat))

    def texte(self):
        try:
            return str(dbus.Interface(self.objet, TEXTE).GetText(0, -1))
        except dbus.DBusException:
            return None

    def agir(self, nom):
        action = dbus.Interface(self.objet, ACTION)
        action.DoAction([str(a[0]) for a in action.GetActions()].index(nom))


def visibles(noeud):
    """The node and every node under it that shows, in the tree's order."""
    if not noeud.a(VISIBLE):
        return []
    return [noeud] + [n for enfant in noeud.enfants for n in visibles(Noeud(*enfant))]


def cadre():
    """The window's frame, once the program has shown it."""
    for application in Noeud("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root").enfants:
        try:
            for enfant in Noeud(*application).enfants:
                if (n := Noeud(*enfant)).nom == TITRE:
                    return n.objet.bus_name, n.objet.object_path
        except dbus.DBusException:
            continue
    return None


def chercher(noeuds, role, nom=None, description=None):
    return next((n for n in noeuds if n.role == role and nom in (None, n.nom) and description in (None, n.description)),
                None)


def attendre(condition):
    """The window's nodes once `condition` holds on them (10 s at most)."""
    fin = time.monotonic() + 10
    while not condition(noeuds := visibles(Noeud(*lieu))) and time.monotonic() < fin:
        time.sleep(0.2)
    return noeuds


def exiger(etape, noeuds, role, nom, description, texte=None):
    n = chercher(noeuds, role, nom, description)
    if n is None:
        vus = "; ".join(f"« {x.nom} » ({x.description})" for x in noeuds if x.role == role)
        echec(f"{etape} : pas de {role} « {nom} » décrit « {description} » ; vus : {vus}")
    elif texte is not None:
        # What Orca reads as the list's value: the text of its edit field, which carries its name.
        champs = [e for e in (Noeud(*p) for p in n.enfants) if e.texte() is not None]
        if [(e.nom, e.texte()) for e in champs] != [(nom, texte)]:
            echec(f"{etape} : le champ de « {nom} » devrait lire « {texte} » : "
                  + repr([(e.nom, e.texte()) for e in champs]))
    return n


def presser(noeud, etape, focaliser=False):
    if noeud is None:
        raise RuntimeError(f"{etape} : le bouton à presser manque, la visite s'arrête")
    if focaliser:
        noeud.agir("SetFocus")
    noeud.agir("Press")


if len(sys.argv) != 2:
    sys.exit("usage : atspi.py PROGRAMME")
programme = subprocess.Popen([sys.argv[1]])
adresse = dbus.SessionBus().get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
bus = dbus.bus.BusConnection(str(adresse))
lieu = None
for _ in range(150):
    if (lieu := cadre()) or programme.poll() is not None:
        break
    time.sleep(0.2)
if lieu is None:
    programme.kill()
    sys.exit("ÉCHEC : la fenêtre n'apparaît pas sur le bus d'accessibilité")

try:
    noeuds = attendre(lambda n: chercher(n, "push button", "Ok"))
    ok = exiger("départ", noeuds, "push button", "Ok", "Valider le port")
    exiger("départ", noeuds, "push button", "Quitter", "Pour sortir du programme")
    exiger("départ", noeuds, "label", "Nombre d'enregistrements lus :", "")

    presser(ok, "départ")
    noeuds = attendre(lambda n: chercher(n, "combo box"))
    exiger("après Ok", noeuds, "combo box", "Port de comm:", "Choisir le port de communication", "Comm1")
    ok1 = exiger("après Ok", noeuds, "push button", "Ok", "Valider le format")

    presser(ok1, "après Ok")
    noeuds = attendre(lambda n: chercher(n, "combo box", "Format de fichier :"))
    exiger("après le second Ok", noeuds, "combo box", "Format de fichier :", "", "Format ZOR")

    presser(chercher(noeuds, "push button", "Rechercher Fichier"), "après le second Ok")
    noeuds = attendre(lambda n: chercher(n, "push button", "Ecrire dans GPS"))
    exiger("conversion", noeuds, "label", "Nombre d'enregistrements lus : 4", "")
    echo = [n.nom.split("\n") for n in noeuds if n.role == "label" and n.nom.startswith("$GPWPL,") and
            n.description == "enregidtrements générés allant être écrits dans le GPS"]
    if len(echo) != 1 or len(echo[0]) != 4:
        echec(f"conversion : l'écho devrait se lire comme ses quatre phrases : {echo}")

    # The upload's button pressed with the focus on it: once it hides at the end of the upload,
    # the focus goes to the chosen option, not to « Quitter ».
    presser(chercher(noeuds, "push button", "Ecrire dans GPS"), "conversion", focaliser=True)
    noeuds = attendre(lambda n: not chercher(n, "push button", "Ecrire dans GPS"))
    exiger("envoi", noeuds, "label", "nombre d'enregistrements écrits dans le GPS  FX312 4x4: 4", "")
    focus = [(n.role, n.nom) for n in noeuds if n.a(FOCUS)]
    if focus != [("radio button", "profil de carte")]:
        echec(f"envoi : le focus devrait être sur « profil de carte » : {focus}")

    presser(chercher(noeuds, "push button", "Quitter"), "envoi")
    if programme.wait(timeout=10) != 0:
        echec(f"« Quitter » : le programme finit avec le code {programme.returncode}")
except RuntimeError as arret:
    echec(str(arret))
finally:
    if programme.poll() is None:
        programme.kill()

if echecs:
    sys.exit(f"== AT-SPI : {len(echecs)} échec(s)")
print("== AT-SPI : la fenêtre se lit comme prévu")
