"""The Qt window over AT-SPI, as a screen reader walks it: starts PROGRAMME (zor-fenetre-essai),
finds it on the accessibility bus, reads the name, description and text of every control that
shows, presses the buttons through their "Press" action step by step, and checks at each step
what a French user of Orca would hear. Run by atspi.sh inside a D-Bus session of its own."""
import subprocess
import sys
import time

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
ACTION = "org.a11y.atspi.Action"
TEXTE = "org.a11y.atspi.Text"
PROPRIETES = "org.freedesktop.DBus.Properties"
ETAT_FOCUS, ETAT_VISIBLE = 12, 30
TITRE = "Programme traitant les profils de carte et les waypoints pour ZOR FX312 4X4"

echecs = []


def echec(message):
    echecs.append(message)
    print("ÉCHEC : " + message, file=sys.stderr)


class Noeud:
    def __init__(self, bus, service, chemin):
        self.objet = bus.get_object(service, chemin, introspect=False)
        acc = dbus.Interface(self.objet, ACCESSIBLE)
        proprietes = dbus.Interface(self.objet, PROPRIETES)
        self.role = str(acc.GetRoleName())
        # One property at a time: the toolkit's bridge does not answer GetAll on this interface.
        self.nom = str(proprietes.Get(ACCESSIBLE, "Name"))
        self.description = str(proprietes.Get(ACCESSIBLE, "Description"))
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

    def presser(self):
        action = dbus.Interface(self.objet, ACTION)
        noms = [str(a[0]) for a in action.GetActions()]
        action.DoAction(noms.index("Press"))

    def focaliser(self):
        action = dbus.Interface(self.objet, ACTION)
        noms = [str(a[0]) for a in action.GetActions()]
        action.DoAction(noms.index("SetFocus"))


class Arret(Exception):
    """A control the next step needs is missing: the walk cannot go on."""


def presser(noeud, etape, focaliser=False):
    if noeud is None:
        raise Arret(etape)
    if focaliser:
        noeud.focaliser()
    noeud.presser()


def bus_accessibilite():
    session = dbus.SessionBus()
    adresse = session.get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus")
    return dbus.bus.BusConnection(str(adresse))


def fenetre(bus):
    """The window's frame on the bus, once the program has shown it."""
    racine = Noeud(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    for service, chemin in racine.enfants:
        try:
            application = Noeud(bus, service, chemin)
            for s, c in application.enfants:
                cadre = Noeud(bus, s, c)
                if cadre.nom == TITRE:
                    return bus, s, c
        except dbus.DBusException:
            continue
    return None


def visibles(bus, service, chemin):
    """Every node under the window that shows, in the tree's order."""
    noeud = Noeud(bus, service, chemin)
    if not noeud.a(ETAT_VISIBLE):
        return []
    liste = [noeud]
    for s, c in noeud.enfants:
        liste += visibles(bus, s, c)
    return liste


def chercher(noeuds, role, nom=None, description=None):
    for n in noeuds:
        if n.role == role and (nom is None or n.nom == nom) and (description is None or n.description == description):
            return n
    return None


def attendre(lieu, condition, secondes=10):
    """The window's nodes once `condition` holds on them (the last ones seen otherwise)."""
    fin = time.monotonic() + secondes
    while True:
        noeuds = visibles(*lieu)
        if condition(noeuds) or time.monotonic() > fin:
            return noeuds
        time.sleep(0.2)


def exiger(etape, noeuds, role, nom, description, texte=None):
    n = chercher(noeuds, role, nom, description)
    if n is None:
        vus = "; ".join(f"{x.role} « {x.nom} » ({x.description})" for x in noeuds if x.role == role)
        echec(f"{etape} : pas de {role} « {nom} » décrit « {description} » ; vus : {vus}")
        return None
    if texte is not None:
        # What Orca reads as the list's value: the text of its edit field, which carries its name.
        edition = None
        for s, c in n.enfants:
            enfant = Noeud(bus, s, c)
            if enfant.texte() is not None:
                edition = enfant
        if edition is None or edition.texte() != texte or edition.nom != nom:
            echec(f"{etape} : le champ de « {nom} » devrait lire « {texte} » sous ce nom"
                  + (f" (lu « {edition.texte()} » sous « {edition.nom} »)" if edition else ""))
    return n


if len(sys.argv) != 2:
    sys.exit("usage : atspi.py PROGRAMME")
programme = subprocess.Popen([sys.argv[1]])
bus = bus_accessibilite()
lieu = None
for _ in range(150):
    lieu = fenetre(bus)
    if lieu or programme.poll() is not None:
        break
    time.sleep(0.2)
if lieu is None:
    programme.kill()
    sys.exit("ÉCHEC : la fenêtre n'apparaît pas sur le bus d'accessibilité")

try:
    noeuds = attendre(lieu, lambda n: chercher(n, "push button", "Ok") is not None)
    ok = exiger("départ", noeuds, "push button", "Ok", "Valider le port")
    exiger("départ", noeuds, "push button", "Quitter", "Pour sortir du programme")
    exiger("départ", noeuds, "radio button", "profil de carte", "Cochez ici pour injecter un profil de carte")
    exiger("départ", noeuds, "label", "Nombre d'enregistrements lus :", "")

    presser(ok, "départ")
    noeuds = attendre(lieu, lambda n: chercher(n, "combo box") is not None)
    exiger("après Ok", noeuds, "combo box", "Port de comm:", "Choisir le port de communication", "Comm1")
    ok1 = exiger("après Ok", noeuds, "push button", "Ok", "Valider le format")
    if chercher(noeuds, "combo box", "Comm1"):
        echec("après Ok : la liste des ports est nommée par son texte")

    presser(ok1, "après Ok")
    noeuds = attendre(lieu, lambda n: chercher(n, "combo box", "Format de fichier :") is not None)
    exiger("après le second Ok", noeuds, "combo box", "Format de fichier :", "", "Format ZOR")
    ouvrir = exiger("après le second Ok", noeuds, "push button", "Rechercher Fichier",
                    "pour selectionner un fichier à transmettre au GPS")

    presser(ouvrir, "après le second Ok")
    noeuds = attendre(lieu, lambda n: chercher(n, "push button", "Ecrire dans GPS") is not None)
    exiger("conversion", noeuds, "label", "Nombre d'enregistrements lus : 4", "")
    echo = [n for n in noeuds if n.role == "label" and n.nom.startswith("$GPWPL,")]
    if len(echo) != 1 or len(echo[0].nom.split("\n")) != 4 or echo[0].description != \
            "enregidtrements générés allant être écrits dans le GPS":
        echec("conversion : l'écho devrait se lire comme ses quatre phrases : "
              + repr([(n.nom, n.description) for n in echo]))

    # The upload's button pressed with the focus on it: once it hides at the end of the upload,
    # the focus goes to the chosen option, not to « Quitter ».
    presser(chercher(noeuds, "push button", "Ecrire dans GPS"), "conversion", focaliser=True)
    noeuds = attendre(lieu, lambda n: chercher(n, "push button", "Ecrire dans GPS") is None)
    exiger("envoi", noeuds, "label", "nombre d'enregistrements écrits dans le GPS  FX312 4x4: 4", "")
    focus = [n for n in noeuds if n.a(ETAT_FOCUS)]
    if [(n.role, n.nom) for n in focus] != [("radio button", "profil de carte")]:
        echec("envoi : le focus devrait être sur « profil de carte » : " + repr([(n.role, n.nom) for n in focus]))

    presser(chercher(noeuds, "push button", "Quitter"), "envoi")
    if programme.wait(timeout=10) != 0:
        echec(f"« Quitter » : le programme finit avec le code {programme.returncode}")
except Arret as arret:
    echec(f"{arret} : le contrôle à presser manque, la visite s'arrête")
finally:
    if programme.poll() is None:
        programme.kill()

if echecs:
    sys.exit(f"== AT-SPI : {len(echecs)} échec(s)")
print("== AT-SPI : la fenêtre se lit comme prévu")
