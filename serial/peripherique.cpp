#include "serial/peripherique.h"

#include <algorithm>
#include <tuple>

#include "platform/peripherique_serie.h"
#include "serial/configuration.h"

namespace zor::serie {
namespace {

// "ttyUSB10" after "ttyUSB2": the name's letters, then its number.
std::tuple<bool, std::string, long, std::string> cleDeTri(const PortTrouve& p) {
  const std::string& nom = p.nom;
  std::size_t chiffres = nom.size();
  while (chiffres > 0 && nom[chiffres - 1] >= '0' && nom[chiffres - 1] <= '9') --chiffres;
  long numero = -1;
  if (chiffres < nom.size() && nom.size() - chiffres < 9) numero = std::stol(nom.substr(chiffres));
  return {!p.adaptateur, nom.substr(0, chiffres), numero, nom};
}

bool ouvertureDuPort(Erreur::Genre g) {
  using G = Erreur::Genre;
  return g == G::PortIntrouvable || g == G::PortOccupe || g == G::PortVerrouille || g == G::PortInterdit ||
         g == G::PasUnPort || g == G::PortRefuse;
}

bool lectureDeFichier(Erreur::Genre g) {
  return g == Erreur::Genre::FichierIllisible || g == Erreur::Genre::FichierNonOrdinaire;
}

}  // namespace

std::optional<int> choixPort(std::string_view texteComm) {
  for (int n = 1; n <= 4; ++n)
    if (texteComm == "Comm" + std::to_string(n)) return n;
  return std::nullopt;
}

std::optional<std::string> peripheriqueTape(std::string_view texteComm) {
  if (!platform::estCheminDePeripherique(texteComm)) return std::nullopt;
  return std::string(texteComm);
}

std::vector<PortSerie> ordonnerPorts(std::vector<PortTrouve> ports) {
  std::stable_sort(ports.begin(), ports.end(),
                   [](const PortTrouve& a, const PortTrouve& b) { return cleDeTri(a) < cleDeTri(b); });
  std::vector<PortSerie> liste;
  for (PortTrouve& p : ports) liste.push_back(std::move(p.port));
  return liste;
}

Correspondance correspondance(int numero, const DetectionPorts& detection) {
  Correspondance c;
  if (platform::portsNommesParLeSysteme()) {
    c.peripherique = platform::peripheriqueDuPort(numero);
    c.origine = Origine::Systeme;
    return c;
  }
  if (auto v = platform::peripheriqueDeLEnvironnement(numero)) {
    c.peripherique = *v;
    c.origine = Origine::Environnement;
    return c;
  }
  if (const std::filesystem::path conf = platform::fichierConfiguration(); !conf.empty()) {
    ValeurConfiguration lu = lireConfiguration(conf, numero);
    if (lu.erreur || lu.valeur) {
      c.origine = Origine::Configuration;
      c.configuration = conf;
      c.erreurConfiguration = std::move(lu.erreur);
      if (lu.valeur) c.peripherique = std::move(*lu.valeur);
      return c;
    }
  }
  const std::vector<PortSerie> ports = detection ? detection() : std::vector<PortSerie>{};
  if (numero >= 1 && static_cast<std::size_t>(numero) <= ports.size()) {
    c.peripherique = ports[static_cast<std::size_t>(numero) - 1].peripherique;
    c.origine = Origine::Detection;
    return c;
  }
  c.peripherique = platform::peripheriqueParDefaut(numero);
  c.origine = Origine::Defaut;
  return c;
}

std::string origineEnFrancais(const Correspondance& c, int numero) {
  switch (c.origine) {
    case Origine::Environnement: return "variable d'environnement ZOR_COMM" + std::to_string(numero);
    case Origine::Configuration:
      return "fichier " + c.configuration.string() + (c.erreurConfiguration ? ", illisible" : "");
    case Origine::Detection: return "port détecté";
    case Origine::Defaut: return "par défaut";
    case Origine::Systeme: return "nom du système";
  }
  return {};
}

std::string descriptionPort(int numero, const std::vector<PortSerie>& presents) {
  const Correspondance c = correspondance(numero, [&presents] { return presents; });
  std::string texte = c.peripherique.empty() ? std::string("?") : c.peripherique;
  std::string description;
  for (const PortSerie& p : presents)
    if (p.peripherique == c.peripherique) description = p.description;
  texte += " — ";
  if (!description.empty()) texte += description + ", ";
  return texte + origineEnFrancais(c, numero);
}

std::string listePorts(const std::vector<PortSerie>& ports, const std::function<std::string(const PortSerie&)>& details) {
  if (ports.empty()) return "Aucun port série n'est détecté sur cet ordinateur.";
  std::string texte = "Ports série présents :";
  for (const PortSerie& p : ports) {
    // Names and descriptions come from the devices themselves: no control character passes.
    texte += "\n  " + nomLisible(p.peripherique) + (p.description.empty() ? std::string() : " — " + nomLisible(p.description));
    if (details) {
      std::string lignes = details(p);
      if (!lignes.empty() && lignes.back() == '\n') lignes.pop_back();
      if (!lignes.empty()) texte += "\n" + lignes;
    }
  }
  return texte;
}

std::string decrireEchec(const Erreur& e, const DetectionPorts& detection) {
  std::string texte = decrire(e);
  // zor.conf unreadable comes back as a file that could not be read, with the port it was for.
  const bool configuration = lectureDeFichier(e.genre) && e.numeroPort > 0;
  if (!(ouvertureDuPort(e.genre) || configuration)) return texte;
  // A port another program holds is the right one: close that program, nothing to map.
  if (e.genre == Erreur::Genre::PortOccupe || e.genre == Erreur::Genre::PortVerrouille) return texte;
  if (platform::portsNommesParLeSysteme()) {
    // Windows names its ports itself: the list tells which exist, and any of them can be typed.
    const std::vector<PortSerie> ports = detection ? detection() : std::vector<PortSerie>{};
    texte += "\n\n" + listePorts(ports);
    if (!ports.empty() && ports.front().peripherique != e.peripherique)
      texte += "\n\nPour utiliser un port de la liste, donnez son nom (par exemple " + ports.front().peripherique +
               ") au lieu de " + (e.numeroPort > 0 ? "Comm" + std::to_string(e.numeroPort) : e.peripherique) + ".";
    return texte;
  }
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
