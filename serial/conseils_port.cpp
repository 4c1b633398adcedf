#include "serial/conseils_port.h"

#include "platform/peripherique_serie.h"

namespace zor::serie {
namespace {

bool ouvertureDuPort(Erreur::Genre g) {
  using G = Erreur::Genre;
  return g == G::PortIntrouvable || g == G::PortOccupe || g == G::PortVerrouille || g == G::PortInterdit ||
         g == G::PasUnPort || g == G::PortRefuse;
}

bool lectureDeFichier(Erreur::Genre g) {
  return g == Erreur::Genre::FichierIllisible || g == Erreur::Genre::FichierNonOrdinaire;
}

// Windows names its ports itself: the list tells which exist, and any of them can be given
// instead, the way the user gave this one.
std::string conseilSysteme(const Erreur& e, const std::vector<PortSerie>& ports, const ChoixPort& choix) {
  std::string texte = "\n\n" + listePorts(ports);
  const PortSerie* exemple = nullptr;
  for (const PortSerie& p : ports)
    if (!p.peripherique.empty() && p.peripherique != e.peripherique && p.probleme.empty()) {
      exemple = &p;
      break;
    }
  if (exemple == nullptr) return texte;
  const std::string tape = !choix.tape.empty() ? nomDuChoix(choix)
                           : e.numeroPort > 0  ? "Comm" + std::to_string(e.numeroPort)
                                               : e.peripherique;
  if (choix.par == ChoixPort::Par::Option)
    return texte + "\n\nPour utiliser un port de la liste, donnez son nom à --port (par exemple --port " +
           exemple->peripherique + ") au lieu de " + tape + ".";
  return texte + "\n\nPour utiliser un port de la liste, donnez son nom (par exemple " + exemple->peripherique +
         ") au lieu de " + tape + ".";
}

}  // namespace

std::string listePorts(const std::vector<PortSerie>& ports, const std::function<std::string(const PortSerie&)>& details) {
  if (ports.empty()) return "Aucun port série n'est détecté sur cet ordinateur.";
  std::string texte = "Ports série présents :";
  for (const PortSerie& p : ports) {
    // Names and descriptions come from the devices themselves: no control character passes. A
    // device whose driver does not run may have no port name yet: its own name alone.
    if (p.peripherique.empty()) texte += "\n  " + nomLisible(p.description);
    else
      texte += "\n  " + nomLisible(p.peripherique) +
               (p.description.empty() ? std::string() : " — " + nomLisible(p.description));
    if (!p.probleme.empty()) texte += "\n    ne fonctionne pas : " + nomLisible(p.probleme);
    if (details) {
      std::string lignes = details(p);
      if (!lignes.empty() && lignes.back() == '\n') lignes.pop_back();
      if (!lignes.empty()) texte += "\n" + lignes;
    }
  }
  return texte;
}

std::string decrireEchec(const Erreur& e, const DetectionPorts& detection, const ChoixPort& choix) {
  std::string texte = decrire(e);
  // zor.conf unreadable comes back as a file that could not be read, with the port it was for.
  const bool configuration = lectureDeFichier(e.genre) && e.numeroPort > 0;
  if (!(ouvertureDuPort(e.genre) || configuration)) return texte;
  // A port another program holds is the right one: close that program, nothing to map.
  if (e.genre == Erreur::Genre::PortOccupe || e.genre == Erreur::Genre::PortVerrouille) return texte;
  if (platform::portsNommesParLeSysteme())
    return texte + conseilSysteme(e, detection ? detection() : std::vector<PortSerie>{}, choix);
  if (e.genre == Erreur::Genre::PortInterdit) {
    // The device's group says what to do: the serial ports' own group (dialout) is for users to
    // join; any other is the administrator's business.
    if (const auto p = platform::proprietaireDuPeripherique(e.peripherique)) {
      if (p->groupe == "dialout")
        texte += "\nLe périphérique " + e.peripherique + " est réservé au groupe dialout : ajoutez-y votre compte "
                 "(sudo usermod -a -G dialout $USER), puis fermez la session et reconnectez-vous.";
      else
        texte += "\nLe périphérique " + e.peripherique + " appartient à " + p->utilisateur + " (groupe " + p->groupe +
                 ") et ses droits ne permettent pas à votre compte de l'ouvrir : demandez à l'administrateur de cet "
                 "ordinateur de vous y donner accès.";
    }
    return texte;
  }
  if (configuration)
    texte += "\nCe fichier dit quel périphérique est Comm" + std::to_string(e.numeroPort) +
             " : tant qu'il ne peut pas être lu, ce port ne s'ouvre pas.";
  else if (e.numeroPort > 0 && !e.origine.empty())
    texte += "\nComm" + std::to_string(e.numeroPort) + " désigne " + e.peripherique + " (" + e.origine + ").";
  const std::vector<PortSerie> ports = detection ? detection() : std::vector<PortSerie>{};
  texte += "\n\n" + listePorts(ports);
  const std::filesystem::path conf = platform::fichierConfiguration();
  const std::string exemple = ports.empty() ? "/dev/ttyUSB0" : ports.front().peripherique;
  const int numero = e.numeroPort > 0 ? e.numeroPort : 1;
  texte += "\n\nPour qu'un port de la liste soit Comm" + std::to_string(numero) + ", écrivez dans le fichier " +
           (conf.empty() ? std::string("~/.config/zor/zor.conf") : conf.string()) + " :\n[ports]\nComm" +
           std::to_string(numero) + "=" + exemple;
  return texte;
}

}  // namespace zor::serie
