#!/usr/bin/env python3
"""What zor-cli writes as GPX, read back by two other readers: Python's XML parser and
GPSBabel. Both must find the points of the sentences zor-cli writes for the same input, to
within 1e-6 degree, with the same names: as waypoints, or in profile mode as one route whose
points are named PDC... (the receiver's own lines stay waypoints whatever the mode).
    gpx_relecture.py ZOR_CLI DOSSIER_DONNEES"""
import csv
import io
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

zor_cli, donnees = sys.argv[1], sys.argv[2]
CAS = [("gpx", "waypoint", "exemple.gpx"), ("gpx", "profile", "exemple10.gpx"), ("gpx", "waypoint", "exemple10.gpx"),
       ("gpx", "profile", "exemple.gpx"), ("g7towin", "profile", "g7towin.txt"),
       ("g7towin", "waypoint", "g7towin.txt"), ("axe", "waypoint", "exemple.axe"), ("zor", "profile", "zor.txt")]
echecs = []


def points_des_phrases(octets):
    """The points a receiver would take from the sentences: right checksum, valid position."""
    points = []
    for ligne in octets.split(b"\r\n"):
        if not ligne.startswith(b"$GPWPL,") or ligne[-3:-2] != b"*":
            continue
        corps = ligne[1:-3]
        somme = 0
        for o in corps:
            somme ^= o
        if "%02X" % somme != ligne[-2:].decode().upper():
            continue
        champs = corps.split(b",")
        if len(champs) != 6:
            continue
        try:
            lat = int(champs[1][:-6]) + float(champs[1][-6:]) / 60
            lon = int(champs[3][:-6]) + float(champs[3][-6:]) / 60
        except ValueError:
            continue
        if champs[2] not in (b"N", b"S") or champs[4] not in (b"E", b"W") or lat > 90 or lon > 180:
            continue
        nom = "".join(c for c in champs[5].decode("cp1252", errors="replace") if c >= " ")
        points.append((-lat if champs[2] == b"S" else lat, -lon if champs[4] == b"W" else lon, nom))
    return points


def comparer(quoi, attendus, lus, blancs=True):
    if len(attendus) != len(lus):
        echecs.append("%s : %d points au lieu de %d" % (quoi, len(lus), len(attendus)))
        return
    for (alat, alon, anom), (lat, lon, nom) in zip(attendus, lus):
        if abs(alat - lat) > 1e-6 or abs(alon - lon) > 1e-6 or (anom if blancs else anom.strip()) != (nom if blancs else nom.strip()):
            echecs.append("%s : %r lu %r" % (quoi, (alat, alon, anom), (lat, lon, nom)))


with tempfile.TemporaryDirectory() as dossier:
    for type_, mode, fichier in CAS:
        entree = os.path.join(donnees, fichier)
        quoi = "%s --mode %s %s" % (type_, mode, fichier)
        phrases = subprocess.run([zor_cli, "convert", "--type", type_, "--mode", mode, entree],
                                 capture_output=True, check=True).stdout
        attendus = points_des_phrases(phrases)
        sortie = os.path.join(dossier, "sortie.gpx")
        subprocess.run([zor_cli, "convert", "--type", type_, "--mode", mode, "--to", "gpx", "-o", sortie, entree],
                       capture_output=True, check=True)

        racine = ET.parse(sortie).getroot()
        ns = {"g": "http://www.topografix.com/GPX/1/1"}
        if racine.tag != "{%s}gpx" % ns["g"] or racine.get("version") != "1.1" or not racine.get("creator"):
            echecs.append("%s : racine %s" % (quoi, racine.tag))
        if racine.find("g:metadata", ns) is None:
            echecs.append("%s : pas de <metadata>" % quoi)
        route = mode == "profile" and type_ != "zor"
        routes = racine.findall("g:rte", ns)
        if route and (len(routes) != 1 or not routes[0].findtext("g:name", "", ns)):
            echecs.append("%s : %d routes nommées au lieu d'une" % (quoi, len(routes)))
        points = routes[0].findall("g:rtept", ns) if route and routes else racine.findall("g:wpt", ns)
        if route and racine.findall("g:wpt", ns):
            echecs.append("%s : des <wpt> à côté de la route" % quoi)
        lus = [(float(w.get("lat")), float(w.get("lon")), w.findtext("g:name", "", ns)) for w in points]
        comparer("Python, " + quoi, attendus, lus)

        babel = subprocess.run(["gpsbabel"] + (["-r"] if route else []) + ["-i", "gpx", "-f", sortie, "-o", "unicsv", "-F", "-"],
                               capture_output=True, check=True).stdout.decode("utf-8")
        lignes = list(csv.DictReader(io.StringIO(babel)))
        lus = [(float(l["Latitude"]), float(l["Longitude"]), l.get("Name", "")) for l in lignes]
        # GPSBabel trims the names' blanks.
        comparer("GPSBabel, " + quoi, attendus, lus, blancs=False)
        if not attendus:
            echecs.append("%s : aucun point à comparer" % quoi)

for e in echecs:
    print(e)
print("%d cas, %d écarts" % (len(CAS), len(echecs)))
sys.exit(1 if echecs else 0)
