#include "core/erreur.h"

#include <cerrno>
#include <charconv>

namespace zor {
namespace {

std::string nombre(long long n) {
  char tampon[24];
  return std::string(tampon, std::to_chars(tampon, tampon + sizeof tampon, n).ptr);
}

void echapper(std::string& s, unsigned char o) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  s += "\\x";
  s.push_back(kHex[o >> 4]);
  s.push_back(kHex[o & 0x0F]);
}

// How many bytes the UTF-8 sequence at the start of `t` takes; 0 when it is none, or a C1
// control (U+0080 to U+009F), which an 8-bit terminal takes as the start of a command.
std::size_t sequenceUtf8(std::string_view t) {
  const auto o = [&t](std::size_t i) { return static_cast<unsigned char>(t[i]); };
  const unsigned char c = o(0);
  std::size_t n = 0;
  unsigned point = 0;
  if (c >= 0xC2 && c <= 0xDF) n = 2, point = c & 0x1Fu;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, point = c & 0x0Fu;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, point = c & 0x07u;
  if (n == 0 || t.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((o(i) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (o(i) & 0x3Fu);
  }
  const bool court = (n == 3 && point < 0x800) || (n == 4 && (point < 0x10000 || point > 0x10FFFF));
  if (court || (point >= 0xD800 && point <= 0xDFFF) || point < 0xA0) return 0;
  return n;
}

}  // namespace

std::string nomLisible(std::string_view nom) {
  std::string s;
  for (std::size_t i = 0; i < nom.size();) {
    const auto o = static_cast<unsigned char>(nom[i]);
    if (o >= 0x20 && o < 0x7F) {
      s.push_back(nom[i++]);
    } else if (const std::size_t n = o >= 0x80 ? sequenceUtf8(nom.substr(i)) : 0; n > 0) {
      s.append(nom.substr(i, n));
      i += n;
    } else {
      echapper(s, o);
      ++i;
    }
  }
  return s;
}

namespace {

std::string nomPort(const Erreur& e) {
  if (e.numeroPort > 0) return "Comm" + nombre(e.numeroPort) + " (" + nomLisible(e.peripherique) + ")";
  return nomLisible(e.peripherique);
}

std::string nomFichier(const Erreur& e) {
  if (e.chemin.empty() || e.chemin == e.fichier) return nomLisible(e.fichier);
  return nomLisible(e.fichier) + " (" + nomLisible(e.chemin) + ")";
}

// French puts a quantity below two in the singular: "1 seconde", "0,5 seconde", "1 enregistrement".
std::string secondes(long long ms) { return secondesEnFrancais(ms) + (ms < 2000 ? " seconde" : " secondes"); }

// " : reason." or "." when the system gave no number. A Windows code, where there is one, is
// the system's own word.
std::string raison(const Erreur& e) {
  if (e.codeWindows != 0) return " : " + raisonWindows(e.codeWindows) + ".";
  return e.numeroSysteme == 0 ? "." : " : " + raisonSysteme(e.numeroSysteme) + ".";
}

}  // namespace

Erreur erreurFichier(Erreur::Genre genre, std::string fichier, int numeroSysteme, std::string chemin) {
  Erreur e;
  e.genre = genre;
  e.fichier = std::move(fichier);
  e.chemin = std::move(chemin);
  e.numeroSysteme = numeroSysteme;
  return e;
}

Erreur erreurPort(Erreur::Genre genre, int numeroPort, std::string peripherique, int numeroSysteme) {
  Erreur e;
  e.genre = genre;
  e.numeroPort = numeroPort;
  e.peripherique = std::move(peripherique);
  e.numeroSysteme = numeroSysteme;
  return e;
}

std::string raisonSysteme(int n) {
  switch (n) {
    case ENOENT: return "aucun fichier ou dossier de ce nom";
    case EACCES: return "permission refusée";
    case EPERM: return "opération non permise";
    case EBUSY: return "périphérique ou ressource occupé";
    case EISDIR: return "c'est un dossier";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EIO: return "erreur d'entrée-sortie";
    case ENOSPC: return "plus de place sur le disque";
    case EFBIG: return "fichier trop grand";
    case EROFS: return "support en lecture seule";
    case ENXIO: return "périphérique absent ou débranché";
    case ENODEV: return "aucun périphérique de ce type";
    case EAGAIN: return "ressource momentanément indisponible";
    case EBADF: return "descripteur de fichier invalide";
    case ELOOP: return "trop de liens symboliques";
    case ENAMETOOLONG: return "nom de fichier trop long";
    case EMFILE: return "trop de fichiers ouverts par le programme";
    case ENFILE: return "trop de fichiers ouverts sur le système";
    case ENOTTY: return "opération inadaptée à ce genre de fichier";
    case ENOMEM: return "mémoire insuffisante";
    case EINTR: return "appel interrompu";
    case EINVAL: return "argument invalide";
    case EEXIST: return "le fichier existe déjà";
    case EPIPE: return "tube coupé";
    case EXDEV: return "le fichier ne peut pas changer de support";
    case ETXTBSY: return "fichier occupé";
    case ENOTEMPTY: return "dossier non vide";
#ifdef EDQUOT
    case EDQUOT: return "quota de disque dépassé";
#endif
#ifdef ETIMEDOUT
    case ETIMEDOUT: return "délai dépassé";
#endif
    default: break;
  }
  return "erreur système n° " + nombre(n);
}

std::string secondesEnFrancais(long long ms) {
  if (ms % 1000 == 0) return nombre(ms / 1000);
  std::string t = nombre(ms / 1000) + ",";
  std::string decimales = nombre(1000 + ms % 1000).substr(1);
  while (decimales.size() > 1 && decimales.back() == '0') decimales.pop_back();
  return t + decimales;
}

std::string decrire(const Erreur& e) {
  using G = Erreur::Genre;
  const std::string port = nomPort(e);
  switch (e.genre) {
    case G::PortIntrouvable:
      return "Le port de communication " + port + " est introuvable" + raison(e) +
             "\nVérifiez le port choisi et le branchement du câble.";
    case G::PortOccupe:
      return "Le port de communication " + port + " est déjà utilisé par un autre programme" + raison(e) +
             "\nFermez ce programme, puis recommencez.";
    case G::PortVerrouille:
      return "Le port de communication " + port + " est réservé par un autre programme (fichier de verrou " + nomLisible(e.verrou) +
             ").\nFermez ce programme, puis recommencez.";
    case G::PortInterdit:
      return "Vous n'avez pas le droit d'utiliser le port de communication " + port + raison(e);
    case G::PasUnPort:
      return "Le port de communication " + port + " n'est pas un port série" + raison(e) + "\nVérifiez le port choisi.";
    case G::PortRefuse:
      return "Impossible d'ouvrir le port de communication " + port + raison(e);
    case G::LiaisonCoupee:
      return "La liaison avec le GPS sur le port de communication " + port + " a été coupée" + raison(e) +
             "\nVérifiez le câble et le GPS.";
    case G::DonneesNonParties:
      return "Les dernières données n'ont pas pu partir sur le port de communication " + port + raison(e) +
             "\nVérifiez le câble et le GPS.";
    case G::Silence:
      return "Le GPS n'a rien envoyé sur le port de communication " + port + " depuis " + secondes(e.dureeMs) +
             ".\nVérifiez qu'il est allumé, relié à ce port et réglé pour envoyer ses waypoints.";
    case G::SansFinDeLigne:
      return (e.limite > 0 ? "Le GPS a envoyé " + nombre(e.limite) + " octets sans aucune fin de ligne sur le port de communication " + port
                           : "Le GPS n'a envoyé aucune fin de ligne sur le port de communication " + port + " en " + secondes(e.dureeMs)) +
             " : ce qu'il envoie n'est pas une liste de waypoints.\nVérifiez qu'il est réglé pour envoyer ses "
             "waypoints et que la ligne est bien à 4800 bauds.";
    case G::TropDEnregistrements:
      return "Le GPS a envoyé " + nombre(e.limite) + (e.limite < 2 ? " enregistrement" : " enregistrements") + " sur le port de communication " + port +
             " sans revenir à son deuxième enregistrement : la réception s'arrête là.";
    case G::PositionEnvoyee:
      return "Le GPS envoie sa position" + (e.detail.empty() ? std::string() : " (" + nomLisible(e.detail) + ")") +
             " sur le port de communication " + port +
             ", et non ses waypoints : réglez le GPS pour envoyer ses waypoints, puis recommencez.";
    case G::PasDuTexte:
      return "Ce que le GPS envoie sur le port de communication " + port +
             " n'est pas du texte, la ligne ne va pas à la même vitesse des deux côtés : vérifiez la vitesse : "
             "4800 bauds, 8 bits, sans parité, 2 bits d'arrêt, dans les réglages du GPS.";
    case G::ListeSansRetour:
      return "Le GPS a recommencé sa liste sur le port de communication " + port +
             " sans que son deuxième enregistrement revienne à l'identique : un octet a été abîmé ou perdu en route, "
             "et la fin de la liste ne peut pas être reconnue.\nVérifiez le câble, puis recommencez la réception.";
    case G::Interruption:
      if (e.peripherique.empty() && !e.fichier.empty()) return "La conversion du fichier " + nomFichier(e) + " a été interrompue.";
      return "Transfert interrompu sur le port de communication " + port + ".";
    case G::FichierIllisible:
      if (e.ligne > 0 && !e.detail.empty())
        return "Impossible de lire le fichier " + nomFichier(e) + " : ligne " + nombre(e.ligne) + ", " + e.detail + ".";
      return "Impossible de lire le fichier " + nomFichier(e) + raison(e);
    case G::FichierNonCreable:
      return "Impossible de créer le fichier " + nomFichier(e) + raison(e);
    case G::FichierNonEcrit:
      return "Impossible d'écrire le fichier " + nomFichier(e) + raison(e);
    case G::FichierNonOrdinaire:
      return "Impossible de lire le fichier " + nomFichier(e) + " : ce n'est pas un fichier ordinaire" +
             (e.detail.empty() ? std::string() : " (c'est " + e.detail + ")") + ".";
    case G::SortieNonOrdinaire:
      return "Impossible d'écrire le fichier " + nomFichier(e) + " : ce n'est pas un fichier ordinaire" +
             (e.detail.empty() ? std::string() : " (c'est " + e.detail + ")") +
             ", et ZOR n'écrit que dans un fichier ordinaire.\nSupprimez-le ou renommez-le, puis recommencez.";
    case G::LienDUnAutre:
      return "Le fichier " + nomFichier(e) + " est un lien symbolique que " +
             (e.detail.empty() ? std::string("un autre utilisateur") : "l'utilisateur " + nomLisible(e.detail)) +
             " a mis dans un dossier où d'autres que vous peuvent écrire : ZOR ne le suit pas, car il pourrait mener "
             "à l'un de vos fichiers.\nSupprimez ce lien, ou choisissez un fichier dans un dossier à vous.";
    case G::DossierFerme:
      return "Impossible de remplacer le fichier " + nomFichier(e) +
             " : son dossier n'accepte pas de nouveau fichier" + raison(e) +
             "\nLe nouveau contenu s'écrit d'abord dans un fichier voisin, qui prend ensuite le nom de l'ancien : "
             "donnez un fichier d'un dossier où vous pouvez créer des fichiers.";
    case G::MemeFichier:
      return "Le fichier " + nomFichier(e) + " est à la fois l'entrée et la sortie : il serait vidé avant d'être lu.";
    case G::TubeSansLecteur:
      return "Aucun programme ne lit le tube " + nomFichier(e) + " : le texte ne peut pas y être écrit" +
             (e.dureeMs > 0 ? " (attendu " + secondes(e.dureeMs) + ")" : std::string()) +
             ".\nLancez d'abord le programme qui lit ce tube, puis recommencez.";
    case G::AttenteInterrompue:
      return "Arrêt demandé pendant l'attente d'un programme qui lise le tube " + nomFichier(e) + " : rien n'y a été écrit.";
    case G::FichierEnEcriture:
      return "Le fichier " + nomFichier(e) + " est en train d'être écrit par un autre programme (une autre conversion "
             "ou réception ?)." +
             "\nAttendez qu'il ait fini, puis recommencez.";
    case G::LigneTropLongue:
      return "La ligne " + nombre(e.ligne) + " du fichier " + nomFichier(e) + " a plus de " + nombre(e.limite) +
             " caractères : ce n'est pas une phrase pour le GPS, et l'envoi s'arrête avant elle.\nVérifiez que le "
             "fichier est bien un fichier converti (ses lignes finissent par CR LF).";
    case G::PhrasesDouteuses:
      return e.limite > 0
                 ? "Le fichier " + nomFichier(e) + " a " + nombre(e.limite) +
                       (e.limite < 2 ? " ligne « $ » qui n'est pas une phrase" : " lignes « $ » qui ne sont pas des phrases") +
                       " $GPWPL à la bonne somme de contrôle (la première : ligne " + nombre(e.ligne) +
                       ") : rien n'a été envoyé."
                 : "La ligne " + nombre(e.ligne) + " du fichier " + nomFichier(e) +
                       " n'est pas une phrase $GPWPL à la bonne somme de contrôle : l'envoi s'arrête avant elle.";
    case G::GpxInvalide:
      return (e.fichier.empty() ? std::string("Le fichier") : "Le fichier " + nomFichier(e)) +
             " n'est pas un fichier GPX valable (ligne " + nombre(e.ligne) +
             ") : " + e.detail + ".";
    case G::MemoireInsuffisante:
      return "Mémoire insuffisante" + (e.fichier.empty() ? std::string() : " pour traiter le fichier " + nomFichier(e)) +
             ".\nFermez d'autres programmes, puis recommencez.";
  }
  return "Erreur inconnue.";
}

}  // namespace zor
