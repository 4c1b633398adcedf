#include "serial/panne.h"

namespace zor::serie {
namespace {

QString texte(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

QString nomPort(const Panne& p) {
  if (p.numeroPort > 0) return QStringLiteral("Comm%1 (%2)").arg(p.numeroPort).arg(texte(p.peripherique));
  return texte(p.peripherique);
}

QString nomFichier(const Panne& p) {
  if (p.chemin.empty() || p.chemin == p.peripherique) return texte(p.peripherique);
  return QStringLiteral("%1 (%2)").arg(texte(p.peripherique), texte(p.chemin));
}

QString raison(const Panne& p) {
  return p.raison.empty() ? QStringLiteral(".") : QStringLiteral(" : %1.").arg(texte(p.raison));
}

// "30", or "0,5" when the bound is not a whole number of seconds.
QString secondes(long long ms) {
  if (ms % 1000 == 0) return QString::number(ms / 1000);
  return QString::number(static_cast<double>(ms) / 1000.0, 'f', ms % 100 == 0 ? 1 : 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace

QString decrire(const Panne& p) {
  using G = Panne::Genre;
  const QString port = nomPort(p);
  switch (p.genre) {
    case G::PortIntrouvable:
      return QStringLiteral("Le port de communication %1 est introuvable%2\nVérifiez le port choisi et le branchement du câble.")
          .arg(port, raison(p));
    case G::PortOccupe:
      return QStringLiteral("Le port de communication %1 est déjà utilisé par un autre programme%2\n"
                            "Fermez ce programme, puis recommencez.")
          .arg(port, raison(p));
    case G::PortInterdit: {
      QString t = QStringLiteral("Vous n'avez pas le droit d'utiliser le port de communication %1%2").arg(port, raison(p));
#ifdef __linux__
      t += QStringLiteral("\nAjoutez votre compte au groupe dialout (sudo usermod -a -G dialout $USER), "
                          "puis fermez la session et reconnectez-vous.");
#endif
      return t;
    }
    case G::PasUnPort:
      return QStringLiteral("Le port de communication %1 n'est pas un port série%2\nVérifiez le port choisi.")
          .arg(port, raison(p));
    case G::PortRefuse:
      return QStringLiteral("Impossible d'ouvrir le port de communication %1%2").arg(port, raison(p));
    case G::LiaisonCoupee:
      return QStringLiteral("La liaison avec le GPS sur le port de communication %1 a été coupée%2\n"
                            "Vérifiez le câble et le GPS.")
          .arg(port, raison(p));
    case G::Silence:
      return QStringLiteral("Le GPS n'a rien envoyé sur le port de communication %1 depuis %2 secondes.\n"
                            "Vérifiez qu'il est allumé, relié à ce port et réglé pour envoyer ses waypoints.")
          .arg(port, secondes(p.silenceMs));
    case G::FichierIllisible:
      return QStringLiteral("Impossible de lire le fichier %1%2").arg(nomFichier(p), raison(p));
    case G::FichierNonCreable:
      return QStringLiteral("Impossible de créer le fichier %1%2").arg(nomFichier(p), raison(p));
    case G::FichierNonEcrit:
      return QStringLiteral("Impossible d'écrire le fichier %1%2").arg(nomFichier(p), raison(p));
  }
  return {};
}

}  // namespace zor::serie
