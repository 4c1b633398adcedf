// zor-cli upload / download: the window's transfers, on a port given by number or by device.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "serial/envoi.h"
#include "serial/fichier_reception.h"
#include "serial/mscomm.h"
#include "serial/reception.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace zor::cli {
namespace {

const char kAideUpload[] =
    "Usage : zor-cli upload --port N|PERIPHERIQUE FICHIER\n"
    "\n"
    "Envoie au GPS chaque ligne de FICHIER qui commence par « $ », suivie de CR LF,\n"
    "avec une pause de 600 ms après chacune (4800 bauds, 8 bits, sans parité, 2 bits de stop).\n"
    "  --port N             port de communication 1 à 4 (comme Comm1 à Comm4 dans la fenêtre)\n"
    "  --port PERIPHERIQUE  le périphérique lui-même, par exemple /dev/ttyUSB0 ou COM5\n"
    "La progression s'affiche sur la sortie d'erreur. Code de sortie : 0 si tout est parti, 2 sinon.\n";

const char kAideDownload[] =
    "Usage : zor-cli download --port N|PERIPHERIQUE [-o SORTIE] [--timeout S]\n"
    "\n"
    "Reçoit les waypoints que le GPS envoie, jusqu'au retour du deuxième enregistrement, puis\n"
    "lui envoie le caractère 26. Les enregistrements reçus, suivis de CR LF, vont dans SORTIE\n"
    "(la sortie standard par défaut).\n"
    "  --port N|PERIPHERIQUE  comme pour upload\n"
    "  -o SORTIE              fichier à écrire, remplacé seulement à la fin : si la réception échoue\n"
    "                         avant d'avoir rien reçu, ou si elle est interrompue, il garde son contenu\n"
    "  --timeout S            secondes de silence du GPS avant d'abandonner (30 par défaut)\n"
    "Code de sortie : 0, ou 2 en cas d'échec ou de silence (ce qui a été reçu est écrit quand même).\n";

void dire(const QString& texte) { std::fprintf(stderr, "%s\n", texte.toLocal8Bit().constData()); }

int usage(const char* aide, const QString& erreur) {
  dire(QStringLiteral("zor-cli : %1").arg(erreur));
  std::fputs("\n", stderr);
  std::fputs(aide, stderr);
  return 2;
}

// "--port 2" goes through the same mapping as the window's Comm2; anything else is a device.
bool choisirPort(serie::MSComm& port, const std::string& valeur, QString& erreur) {
  if (!valeur.empty() && valeur.find_first_not_of("0123456789") == std::string::npos) {
    const int n = std::atoi(valeur.c_str());
    if (n < 1 || n > 4 || valeur.size() > 1) {
      erreur = QStringLiteral("le numéro de port va de 1 à 4 (reçu « %1 »).").arg(QString::fromStdString(valeur));
      return false;
    }
    port.CommPort(n);
    return true;
  }
  port.definirPeripherique(valeur);
  return true;
}

// Control characters of a record shown as escapes, so a progress line stays one line.
std::string lisible(std::string_view octets) {
  std::string s;
  for (unsigned char c : octets) {
    if (c == '\r') s += "\\r";
    else if (c == '\n') s += "\\n";
    else if (c < 32 || c == 127) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      s += code;
    } else s += static_cast<char>(c);
  }
  return s;
}

struct Options {
  std::optional<std::string> port;
  std::optional<std::string> sortie;
  std::optional<std::string> fichier;
  double silence = 30;
};

// Reads the options both commands share; returns an error text or nothing.
std::optional<QString> lireOptions(const Arguments& arguments, bool pourDownload, Options& o, bool& aide) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto valeur = [&]() -> std::optional<std::string> {
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };
    if (a == "--help" || a == "-h") {
      aide = true;
      return std::nullopt;
    }
    if (a == "--port") {
      o.port = valeur();
      if (!o.port) return QStringLiteral("--port demande un numéro ou un périphérique.");
    } else if (pourDownload && (a == "-o" || a == "--output")) {
      o.sortie = valeur();
      if (!o.sortie) return QStringLiteral("-o demande un nom de fichier.");
    } else if (pourDownload && a == "--timeout") {
      const auto v = valeur();
      char* fin = nullptr;
      o.silence = v ? std::strtod(v->c_str(), &fin) : -1;
      if (!v || fin == v->c_str() || *fin != '\0' || !(o.silence >= 0.001 && o.silence <= 86400))
        return QStringLiteral("--timeout demande un nombre de secondes entre 0.001 et 86400.");
    } else if (!pourDownload && !o.fichier && (a.empty() || a[0] != '-')) {
      o.fichier = a;
    } else {
      return QStringLiteral("option inconnue « %1 ».").arg(QString::fromLocal8Bit(a.c_str()));
    }
  }
  if (!o.port) return QStringLiteral("il manque --port.");
  if (!pourDownload && !o.fichier) return QStringLiteral("il manque le fichier à envoyer.");
  return std::nullopt;
}

}  // namespace

int commandeUpload(const Arguments& arguments) {
  Options o;
  bool aide = false;
  if (auto erreur = lireOptions(arguments, false, o, aide)) return usage(kAideUpload, *erreur);
  if (aide) {
    std::fputs(kAideUpload, stdout);
    return 0;
  }
  serie::MSComm port;
  port.Settings("4800,N,8,2");
  QString erreur;
  if (!choisirPort(port, *o.port, erreur)) return usage(kAideUpload, erreur);

  int numero = 0;
  const serie::Affichage affichage{[&](std::string_view phrase) {
                                     if (!phrase.empty())
                                       std::fprintf(stderr, "%d : %s\n", ++numero,
                                                    lisible(phrase.substr(0, phrase.size() - 2)).c_str());
                                   },
                                   [](int) {}};
  const auto bilan = serie::envoyer(port, {*o.fichier, *o.fichier}, affichage);
  if (bilan.panne) {
    dire(serie::decrire(*bilan.panne));
    dire(QStringLiteral("%1 phrase(s) envoyée(s).").arg(bilan.envoyees));
    return 2;
  }
  dire(QStringLiteral("%1 phrase(s) envoyée(s).").arg(bilan.envoyees));
  return 0;
}

int commandeDownload(const Arguments& arguments) {
  Options o;
  bool aide = false;
  if (auto erreur = lireOptions(arguments, true, o, aide)) return usage(kAideDownload, *erreur);
  if (aide) {
    std::fputs(kAideDownload, stdout);
    return 0;
  }
  serie::MSComm port;
  QString erreur;
  if (!choisirPort(port, *o.port, erreur)) return usage(kAideDownload, erreur);
  const std::optional<int> numero = port.numeroAffiche() > 0 ? std::optional<int>(port.CommPort()) : std::nullopt;

  serie::FichierReception fichier;
  if (o.sortie) {
    if (auto panne = fichier.ouvrir(*o.sortie, *o.sortie, serie::FichierReception::Vidage::AuPremierEcrit)) {
      dire(serie::decrire(*panne));
      return 2;
    }
  }

  int passe = 0;
  const serie::Affichage affichage{
      [&](std::string_view enregistrement) {
        std::fprintf(stderr, "%d : %s\n", ++passe, lisible(enregistrement).c_str());
      },
      [](int) {}};
  const auto silence = std::chrono::milliseconds(static_cast<long long>(o.silence * 1000));
  auto bilan = serie::recevoir(port, numero, affichage, silence);

  const std::string contenu = bilan.collecte + "\r\n";
  std::optional<serie::Panne> panneFichier;
  if (o.sortie) {
    const bool garder = !bilan.panne || !bilan.collecte.empty();
    panneFichier = garder ? fichier.ecrire(contenu) : fichier.remettreAncienContenu();
  } else {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (std::fwrite(contenu.data(), 1, contenu.size(), stdout) != contenu.size() || std::fflush(stdout) != 0) {
      serie::Panne p;
      p.genre = serie::Panne::Genre::FichierNonEcrit;
      p.peripherique = "(sortie standard)";
      panneFichier = p;
    }
  }
  if (port.PortOpen()) {
    try {
      port.PortOpen(false);
    } catch (const serie::ErreurPort& e) {
      if (!bilan.panne) bilan.panne = e.panne();
    }
  }
  if (auto p = fichier.fermer(); p && !panneFichier) panneFichier = p;

  if (bilan.panne) dire(serie::decrire(*bilan.panne));
  if (panneFichier) dire(serie::decrire(*panneFichier));
  dire(QStringLiteral("%1 enregistrement(s) reçu(s).").arg(bilan.stockes));
  if (bilan.panne && o.sortie && bilan.collecte.empty() && !panneFichier)
    dire(QStringLiteral("Rien n'a été reçu : %1 n'a pas été modifié.").arg(QString::fromLocal8Bit(o.sortie->c_str())));
  return bilan.panne || panneFichier ? 2 : 0;
}

}  // namespace zor::cli
