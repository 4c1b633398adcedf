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

}  // namespace

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

}  // namespace zor::serie
