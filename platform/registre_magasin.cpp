#include "platform/registre_magasin.h"

#include <QStringDecoder>
#include <QStringList>
#include <fstream>

#include "platform/cp1252.h"

namespace zor::platform {
namespace {

const QString kEnteteRegedit4 = QStringLiteral("REGEDIT4");
const QString kEnteteVersion5 = QStringLiteral("Windows Registry Editor Version 5.00");

const QStringList kRacines = {QStringLiteral("HKEY_LOCAL_MACHINE"), QStringLiteral("HKEY_CURRENT_USER"),
                              QStringLiteral("HKEY_CLASSES_ROOT"), QStringLiteral("HKEY_USERS"),
                              QStringLiteral("HKEY_CURRENT_CONFIG")};

struct Malforme {};

// Regedit writes version 5 files in UTF-16 with a byte-order mark; people who write the
// store by hand on this system write UTF-8; REGEDIT4 files are in the ANSI code page.
std::optional<QString> decoder(std::string_view octets) {
  if (octets.size() >= 2 && static_cast<unsigned char>(octets[0]) == 0xFF &&
      static_cast<unsigned char>(octets[1]) == 0xFE) {
    if (octets.size() % 2 != 0) return std::nullopt;
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    QString texte = utf16(QByteArrayView(octets.data() + 2, static_cast<qsizetype>(octets.size() - 2)));
    if (utf16.hasError()) return std::nullopt;
    return texte;
  }
  if (octets.size() >= 3 && octets.substr(0, 3) == "\xEF\xBB\xBF") octets.remove_prefix(3);
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString texte = utf8(QByteArrayView(octets.data(), static_cast<qsizetype>(octets.size())));
  if (!utf8.hasError()) return texte;
  return depuisWindows1252(octets);
}

bool chiffreHex(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

std::uint32_t lireHex(QStringView chiffres, int maxChiffres) {
  if (chiffres.isEmpty() || chiffres.size() > maxChiffres) throw Malforme{};
  std::uint32_t n = 0;
  for (QChar c : chiffres) {
    if (!chiffreHex(c)) throw Malforme{};
    const char16_t u = c.unicode();
    const std::uint32_t chiffre = u <= u'9' ? u - u'0' : (u | 0x20) - u'a' + 10;
    n = n * 16 + chiffre;
  }
  return n;
}

// A quoted string from position `i` (on the opening quote); `i` ends after the closing quote.
QString lireChaine(QStringView ligne, qsizetype& i) {
  if (i >= ligne.size() || ligne[i] != u'"') throw Malforme{};
  QString texte;
  for (++i; i < ligne.size(); ++i) {
    const QChar c = ligne[i];
    if (c == u'"') {
      ++i;
      return texte;
    }
    if (c == u'\\') {
      if (i + 1 >= ligne.size()) throw Malforme{};
      const QChar suivant = ligne[++i];
      if (suivant != u'\\' && suivant != u'"') throw Malforme{};
      texte += suivant;
      continue;
    }
    texte += c;
  }
  throw Malforme{};
}

// "43,3a,5c" — one or two hex digits between commas; nothing at all is an empty value.
std::string lireOctetsHex(QStringView liste) {
  std::string octets;
  if (liste.trimmed().isEmpty()) return octets;
  for (QStringView morceau : liste.split(u',')) {
    morceau = morceau.trimmed();
    octets.push_back(static_cast<char>(lireHex(morceau, 2)));
  }
  return octets;
}

// The ANSI functions hand text values over in the code page, converted from the UTF-16 that
// version 5 files hold for them.
std::string versAnsi(std::uint32_t type, std::string octets, bool unicode) {
  const bool texte = type == 1 || type == 2 || type == 7;
  if (!unicode || !texte || octets.size() % 2 != 0) return octets;
  QString u;
  for (size_t k = 0; k < octets.size(); k += 2)
    u += QChar(static_cast<char16_t>(static_cast<unsigned char>(octets[k]) |
                                     (static_cast<unsigned char>(octets[k + 1]) << 8)));
  return versWindows1252(u);
}

QString cleNormalisee(QStringView chemin) {
  while (chemin.endsWith(u'\\')) chemin.chop(1);
  const qsizetype barre = chemin.indexOf(u'\\');
  const QString racine = chemin.left(barre < 0 ? chemin.size() : barre).toString().toUpper();
  if (!kRacines.contains(racine)) throw Malforme{};
  if (barre >= 0) {
    for (QStringView partie : chemin.mid(barre + 1).split(u'\\'))
      if (partie.isEmpty()) throw Malforme{};
  }
  return chemin.toString().toUpper();
}

class Lecteur {
 public:
  Lecteur(QStringList lignes, MagasinRegistre& magasin) : lignes_(std::move(lignes)), magasin_(magasin) {}

  void lire() {
    while (n_ < lignes_.size() && lignes_[n_].trimmed().isEmpty()) ++n_;
    if (n_ >= lignes_.size()) throw Malforme{};
    const QString entete = lignes_[n_++].trimmed();
    if (entete == kEnteteVersion5) unicode_ = true;
    else if (entete != kEnteteRegedit4) throw Malforme{};

    while (n_ < lignes_.size()) {
      const QString ligne = lignes_[n_++].trimmed();
      if (ligne.isEmpty() || ligne.startsWith(u';')) continue;
      if (ligne.startsWith(u'[')) section(ligne);
      else if (ligne.startsWith(u'"') || ligne.startsWith(u'@')) valeur(ligne);
      else throw Malforme{};
    }
  }

 private:
  void section(const QString& ligne) {
    if (!ligne.endsWith(u']')) throw Malforme{};
    QStringView chemin = QStringView(ligne).mid(1, ligne.size() - 2);
    if (chemin.startsWith(u'-')) {
      const QString cle = cleNormalisee(chemin.mid(1));
      const QString prefixe = cle + u'\\';
      std::erase_if(magasin_.cles, [&](const auto& e) { return e.first == cle || e.first.startsWith(prefixe); });
      cle_.reset();
      sectionSupprimee_ = true;
      return;
    }
    cle_ = cleNormalisee(chemin);
    sectionSupprimee_ = false;
    magasin_.cles[*cle_];
  }

  void valeur(const QString& ligne) {
    qsizetype i = 0;
    QString nom;
    if (ligne[0] == u'@') i = 1;
    else nom = lireChaine(ligne, i);
    while (i < ligne.size() && ligne[i].isSpace()) ++i;
    if (i >= ligne.size() || ligne[i] != u'=') throw Malforme{};
    ++i;
    while (i < ligne.size() && ligne[i].isSpace()) ++i;
    QString donnees = ligne.mid(i);

    std::optional<ValeurRegistre> v;
    if (donnees == u"-") {
      // deletion: nothing to store
    } else if (donnees.startsWith(u'"')) {
      qsizetype j = 0;
      const QString texte = lireChaine(donnees, j);
      if (!QStringView(donnees).mid(j).trimmed().isEmpty()) throw Malforme{};
      v = ValeurRegistre{1, versWindows1252(texte) + '\0'};
    } else if (donnees.startsWith(u"dword:", Qt::CaseInsensitive)) {
      const std::uint32_t n = lireHex(QStringView(donnees).mid(6).trimmed(), 8);
      std::string octets;
      for (int k = 0; k < 4; ++k) octets.push_back(static_cast<char>((n >> (8 * k)) & 0xFF));
      v = ValeurRegistre{4, octets};
    } else if (donnees.startsWith(u"hex", Qt::CaseInsensitive)) {
      std::uint32_t type = 3;
      qsizetype j = 3;
      if (j < donnees.size() && donnees[j] == u'(') {
        const qsizetype fin = donnees.indexOf(u')', j);
        if (fin < 0) throw Malforme{};
        type = lireHex(QStringView(donnees).mid(j + 1, fin - j - 1), 8);
        j = fin + 1;
      }
      if (j >= donnees.size() || donnees[j] != u':') throw Malforme{};
      QString liste = donnees.mid(j + 1);
      while (liste.endsWith(u'\\')) {
        liste.chop(1);
        if (n_ >= lignes_.size()) throw Malforme{};
        liste += lignes_[n_++].trimmed();
      }
      v = ValeurRegistre{type, versAnsi(type, lireOctetsHex(liste), unicode_)};
    } else {
      throw Malforme{};
    }

    if (!cle_) {
      if (sectionSupprimee_) return;
      throw Malforme{};
    }
    auto& valeurs = magasin_.cles[*cle_];
    if (v) valeurs[nom.toUpper()] = std::move(*v);
    else valeurs.erase(nom.toUpper());
  }

  QStringList lignes_;
  MagasinRegistre& magasin_;
  qsizetype n_ = 0;
  bool unicode_ = false;
  std::optional<QString> cle_;
  bool sectionSupprimee_ = false;
};

}  // namespace

bool MagasinRegistre::cleExiste(const QString& chemin) const {
  const QString cle = chemin.toUpper();
  if (cles.contains(cle)) return true;
  const QString prefixe = cle + u'\\';
  auto it = cles.lower_bound(prefixe);
  return it != cles.end() && it->first.startsWith(prefixe);
}

const ValeurRegistre* MagasinRegistre::valeur(const QString& chemin, const QString& nom) const {
  auto cle = cles.find(chemin.toUpper());
  if (cle == cles.end()) return nullptr;
  auto v = cle->second.find(nom.toUpper());
  return v == cle->second.end() ? nullptr : &v->second;
}

std::optional<MagasinRegistre> lireMagasinRegistre(std::string_view contenu) {
  const std::optional<QString> texte = decoder(contenu);
  if (!texte) return std::nullopt;
  QStringList lignes = texte->split(u'\n');
  for (QString& l : lignes)
    if (l.endsWith(u'\r')) l.chop(1);
  MagasinRegistre magasin;
  try {
    Lecteur(std::move(lignes), magasin).lire();
  } catch (const Malforme&) {
    return std::nullopt;
  }
  return magasin;
}

std::optional<MagasinRegistre> chargerMagasinRegistre(const std::filesystem::path& fichier) {
  // A store is a few lines; anything this big is not one (and /dev/zero never ends).
  constexpr std::streamsize kTailleMax = 16 << 20;
  std::ifstream f(fichier, std::ios::binary);
  if (!f) return std::nullopt;
  std::string contenu;
  char bloc[65536];
  while (f.read(bloc, sizeof bloc) || f.gcount() > 0) {
    contenu.append(bloc, static_cast<size_t>(f.gcount()));
    if (static_cast<std::streamsize>(contenu.size()) > kTailleMax) return std::nullopt;
  }
  if (f.bad()) return std::nullopt;
  return lireMagasinRegistre(contenu);
}

}  // namespace zor::platform
