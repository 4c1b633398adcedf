#include "serial/ports_windows.h"

#include <algorithm>
#include <tuple>

namespace zor::serie {
namespace {

// "COM10" after "COM2"; a device without a port name last.
std::tuple<bool, std::string, long, std::string> cleDeTri(const PortSerie& p) {
  const std::string& nom = p.peripherique;
  std::size_t chiffres = nom.size();
  while (chiffres > 0 && nom[chiffres - 1] >= '0' && nom[chiffres - 1] <= '9') --chiffres;
  long numero = -1;
  if (chiffres < nom.size() && nom.size() - chiffres < 9) numero = std::stol(nom.substr(chiffres));
  return {nom.empty(), nom.substr(0, chiffres), numero, p.description};
}

bool portCom(const std::string& nom) {
  return nom.size() > 3 && (nom[0] | 0x20) == 'c' && (nom[1] | 0x20) == 'o' && (nom[2] | 0x20) == 'm';
}

}  // namespace

std::string problemePilote(unsigned long code) {
  const char* texte = nullptr;
  switch (code) {
    case 1: texte = "ce périphérique n'est pas configuré correctement"; break;
    case 3: texte = "son pilote est peut-être endommagé, ou la mémoire manque"; break;
    case 10: texte = "ce périphérique ne peut pas démarrer (son pilote ne lui convient pas)"; break;
    case 12: texte = "ce périphérique ne trouve pas assez de ressources libres"; break;
    case 14: texte = "ce périphérique ne fonctionnera qu'après le redémarrage de l'ordinateur"; break;
    case 18: texte = "ses pilotes doivent être réinstallés"; break;
    case 19: texte = "sa configuration dans le Registre est incomplète ou endommagée"; break;
    case 21: texte = "Windows est en train de supprimer ce périphérique"; break;
    case 22: texte = "ce périphérique est désactivé"; break;
    case 24: texte = "ce périphérique est absent, ne fonctionne pas correctement ou n'a pas tous ses pilotes"; break;
    case 28: texte = "ses pilotes ne sont pas installés"; break;
    case 29: texte = "ce périphérique est désactivé par son micrologiciel"; break;
    case 31: texte = "Windows ne peut pas charger ses pilotes"; break;
    case 32: texte = "le service de son pilote est désactivé"; break;
    case 37: texte = "Windows ne peut pas initialiser son pilote"; break;
    case 39: texte = "Windows ne peut pas charger son pilote, endommagé ou absent"; break;
    case 43: texte = "Windows l'a arrêté parce qu'il a signalé des problèmes"; break;
    case 45: texte = "ce périphérique n'est pas branché"; break;
    case 48: texte = "son pilote est bloqué parce qu'il pose des problèmes connus"; break;
    case 52: texte = "Windows ne peut pas vérifier la signature numérique de son pilote"; break;
    default: texte = "ce périphérique a un problème"; break;
  }
  return std::string(texte) + " (code " + std::to_string(code) + ") ; voyez le Gestionnaire de périphériques";
}

std::vector<PortSerie> portsDuSysteme(const std::vector<PortDuGestionnaire>& gestionnaire,
                                      const std::vector<std::string>& annonces) {
  std::vector<PortSerie> ports;
  for (const PortDuGestionnaire& d : gestionnaire) {
    // The ports class holds the printer ports too; a device with a problem may have no port name yet.
    if (!d.nomPort.empty() && !portCom(d.nomPort)) continue;
    if (d.nomPort.empty() && d.probleme == 0) continue;
    ports.push_back({d.nomPort, d.nom, d.probleme != 0 ? problemePilote(d.probleme) : std::string()});
  }
  for (const std::string& annonce : annonces) {
    const bool connu = std::any_of(ports.begin(), ports.end(), [&](const PortSerie& p) { return p.peripherique == annonce; });
    if (!connu && !annonce.empty()) ports.push_back({annonce, {}, {}});
  }
  std::sort(ports.begin(), ports.end(), [](const PortSerie& a, const PortSerie& b) { return cleDeTri(a) < cleDeTri(b); });
  return ports;
}

}  // namespace zor::serie
