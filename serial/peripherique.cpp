#include "serial/peripherique.h"

#include <QSerialPortInfo>
#include <QSettings>
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/peripherique_serie.h"

namespace zor::serie {
namespace {

std::string enTexte(const QString& s) { return s.toStdString(); }

// "ttyUSB10" after "ttyUSB2": the name's letters, then its number.
std::tuple<bool, std::string, long, std::string> cleDeTri(const PortTrouve& p) {
  const std::string& nom = p.nom;
  std::size_t chiffres = nom.size();
  while (chiffres > 0 && nom[chiffres - 1] >= '0' && nom[chiffres - 1] <= '9') --chiffres;
  long numero = -1;
  if (chiffres < nom.size() && nom.size() - chiffres < 9) numero = std::stol(nom.substr(chiffres));
  return {!p.adaptateur, nom.substr(0, chiffres), numero, nom};
}

// The toolkit reads an ini file once and shares what it read between its QSettings objects, so
// only the first one to read a malformed zor.conf says so; the next ones find it "fine" and
// empty, and would hand the port to a detected device. The verdict is kept here for as long as
// the file stays the same (same time and size, as the toolkit decides when to read it again).
bool malForme(const QSettings& reglages, const std::filesystem::path& conf) {
  struct Verdict {
    std::filesystem::file_time_type quand;
    std::uintmax_t taille = 0;
    bool malForme = false;
  };
  static std::mutex garde;
  static std::map<std::string, Verdict> verdicts;
  std::error_code ec;
  const auto quand = std::filesystem::last_write_time(conf, ec);
  const auto taille = std::filesystem::file_size(conf, ec);
  const bool signale = reglages.status() == QSettings::FormatError;
  const std::lock_guard<std::mutex> verrou(garde);
  Verdict& v = verdicts[conf.string()];
  if (signale || v.quand != quand || v.taille != taille) v = {quand, taille, signale};
  return v.malForme;
}

bool ouvertureDuPort(Erreur::Genre g) {
  using G = Erreur::Genre;
  return g == G::PortIntrouvable || g == G::PortOccupe || g == G::PortVerrouille || g == G::PortInterdit ||
         g == G::PasUnPort || g == G::PortRefuse;
}

}  // namespace

std::optional<int> choixPort(const QString& texteComm) {
  for (int n = 1; n <= 4; ++n)
    if (texteComm == QStringLiteral("Comm%1").arg(n)) return n;
  return std::nullopt;
}

std::optional<std::string> peripheriqueTape(const QString& texteComm) {
  const std::string texte = texteComm.toLocal8Bit().toStdString();
  if (platform::portsNommesParLeSysteme() || !platform::estCheminDePeripherique(texte)) return std::nullopt;
  return texte;
}

std::vector<PortSerie> ordonnerPorts(std::vector<PortTrouve> ports) {
  std::stable_sort(ports.begin(), ports.end(),
                   [](const PortTrouve& a, const PortTrouve& b) { return cleDeTri(a) < cleDeTri(b); });
  std::vector<PortSerie> liste;
  for (PortTrouve& p : ports) liste.push_back(std::move(p.port));
  return liste;
}

std::vector<PortSerie> portsPresents() {
  std::vector<PortTrouve> trouves;
  for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) {
    QString description = p.description();
    if (description.isEmpty()) description = p.manufacturer();
    const std::string nom = enTexte(p.portName());
    const bool adaptateur = p.hasVendorIdentifier() || nom.rfind("ttyUSB", 0) == 0 || nom.rfind("ttyACM", 0) == 0;
    trouves.push_back({{p.systemLocation().toLocal8Bit().toStdString(), enTexte(description)}, nom, adaptateur});
  }
  return ordonnerPorts(std::move(trouves));
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
  const std::filesystem::path conf = platform::fichierConfiguration();
  std::error_code ec;
  if (!conf.empty() && std::filesystem::exists(conf, ec)) {
    // A file that is there but cannot be read must not quietly hand the port to another device.
    errno = 0;
    const bool dossier = std::filesystem::is_directory(conf, ec);
    std::ifstream essai(conf);
    const int numeroSysteme = dossier ? EISDIR : errno;
    QSettings reglages(QString::fromLocal8Bit(conf.c_str()), QSettings::IniFormat);
    const bool mauvais = malForme(reglages, conf);
    if (dossier || !essai.is_open() || reglages.status() != QSettings::NoError || mauvais) {
      c.origine = Origine::Configuration;
      c.configuration = conf;
      c.erreurConfiguration = numeroSysteme;
      return c;
    }
    const QString valeur = reglages.value(QStringLiteral("ports/Comm%1").arg(numero)).toString().trimmed();
    if (!valeur.isEmpty()) {
      c.peripherique = valeur.toLocal8Bit().toStdString();
      c.origine = Origine::Configuration;
      c.configuration = conf;
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

std::string peripheriqueDuPort(int numero, const DetectionPorts& detection) {
  return correspondance(numero, detection).peripherique;
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

std::string decrireEchec(const Erreur& e, const DetectionPorts& detection) {
  std::string texte = decrire(e);
  // zor.conf unreadable comes back as a file that could not be read, with the port it was for.
  const bool configuration = e.genre == Erreur::Genre::FichierIllisible && e.numeroPort > 0;
  if (!(ouvertureDuPort(e.genre) || configuration) || platform::portsNommesParLeSysteme()) return texte;
  if (e.numeroPort > 0 && !configuration) {
    const Correspondance c = correspondance(e.numeroPort, detection);
    if (c.origine == Origine::Configuration && c.peripherique == e.peripherique)
      texte += "\nComm" + std::to_string(e.numeroPort) + " désigne " + e.peripherique + " d'après le fichier " +
               c.configuration.string() + ".";
    else if (c.origine == Origine::Environnement && c.peripherique == e.peripherique)
      texte += "\nComm" + std::to_string(e.numeroPort) + " désigne " + e.peripherique +
               " d'après la variable d'environnement ZOR_COMM" + std::to_string(e.numeroPort) + ".";
  }
  if (configuration)
    texte += "\nCe fichier dit quel périphérique est Comm" + std::to_string(e.numeroPort) +
             " : tant qu'il ne peut pas être lu, ce port ne s'ouvre pas.";
  const std::vector<PortSerie> ports = detection ? detection() : std::vector<PortSerie>{};
  if (ports.empty()) {
    texte += "\n\nAucun port série n'est détecté sur cet ordinateur.";
  } else {
    texte += "\n\nPorts série présents :";
    for (const PortSerie& p : ports)
      texte += "\n  " + p.peripherique + (p.description.empty() ? std::string() : " — " + p.description);
  }
  const std::filesystem::path conf = platform::fichierConfiguration();
  const std::string exemple = ports.empty() ? "/dev/ttyUSB0" : ports.front().peripherique;
  const int numero = e.numeroPort > 0 ? e.numeroPort : 1;
  texte += "\n\nPour qu'un port de la liste soit Comm" + std::to_string(numero) + ", écrivez dans le fichier " +
           (conf.empty() ? std::string("~/.config/zor/zor.conf") : conf.string()) + " :\n[ports]\nComm" +
           std::to_string(numero) + "=" + exemple;
  return texte;
}

}  // namespace zor::serie
