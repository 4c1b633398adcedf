#include "about/registre_magasin.h"

#include <algorithm>
#include <vector>

#include "core/windows1252.h"
#include "platform/fichiers.h"

namespace zor::apropos {
namespace {

constexpr std::string_view kEnteteRegedit4 = "REGEDIT4";
constexpr std::string_view kEnteteVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRacines[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS",
                                         "HKEY_CURRENT_CONFIG"};

struct Malforme {};

// UTF-16LE bytes (after their byte-order mark) as UTF-8; nothing when they are not UTF-16.
std::optional<std::string> depuisUtf16(std::string_view octets) {
  if (octets.size() % 2 != 0) return std::nullopt;
  std::string texte;
  for (std::size_t k = 0; k < octets.size(); k += 2) {
    char32_t u = static_cast<unsigned char>(octets[k]) | (static_cast<unsigned char>(octets[k + 1]) << 8);
    if (u >= 0xD800 && u < 0xDC00) {
      if (k + 3 >= octets.size()) return std::nullopt;
      const char32_t bas = static_cast<unsigned char>(octets[k + 2]) | (static_cast<unsigned char>(octets[k + 3]) << 8);
      if (bas < 0xDC00 || bas >= 0xE000) return std::nullopt;
      u = 0x10000 + ((u - 0xD800) << 10) + (bas - 0xDC00);
      k += 2;
    } else if (u >= 0xDC00 && u < 0xE000) {
      return std::nullopt;
    }
    ajouterUtf8(texte, u);
  }
  return texte;
}

bool utf8Valide(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    const std::size_t avant = i;
    caractereUtf8(s, i);
    if (i == avant + 1) return false;  // an invalid byte is taken alone
  }
  return true;
}

// Regedit writes version 5 files in UTF-16 with a byte-order mark; people who write the
// store by hand on this system write UTF-8; REGEDIT4 files are in the ANSI code page.
std::optional<std::string> decoder(std::string_view octets) {
  if (octets.size() >= 2 && static_cast<unsigned char>(octets[0]) == 0xFF &&
      static_cast<unsigned char>(octets[1]) == 0xFE)
    return depuisUtf16(octets.substr(2));
  if (octets.substr(0, 3) == "\xEF\xBB\xBF") octets.remove_prefix(3);
  if (utf8Valide(octets)) return std::string(octets);
  return utf8DepuisWindows1252(octets);
}

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view sansBlancs(std::string_view s) {
  while (!s.empty() && blanc(s.front())) s.remove_prefix(1);
  while (!s.empty() && blanc(s.back())) s.remove_suffix(1);
  return s;
}

bool commencePar(std::string_view s, std::string_view debut, bool sansCasse = false) {
  if (s.size() < debut.size()) return false;
  for (std::size_t i = 0; i < debut.size(); ++i) {
    char a = s[i], b = debut[i];
    if (sansCasse && a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

std::uint32_t lireHex(std::string_view chiffres, std::size_t maxChiffres) {
  if (chiffres.empty() || chiffres.size() > maxChiffres) throw Malforme{};
  std::uint32_t n = 0;
  for (const char c : chiffres) {
    std::uint32_t chiffre = 0;
    if (c >= '0' && c <= '9') chiffre = static_cast<std::uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f') chiffre = static_cast<std::uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') chiffre = static_cast<std::uint32_t>(c - 'A' + 10);
    else throw Malforme{};
    n = n * 16 + chiffre;
  }
  return n;
}

// A quoted string from position `i` (on the opening quote); `i` ends after the closing quote.
std::string lireChaine(std::string_view ligne, std::size_t& i) {
  if (i >= ligne.size() || ligne[i] != '"') throw Malforme{};
  std::string texte;
  for (++i; i < ligne.size(); ++i) {
    const char c = ligne[i];
    if (c == '"') {
      ++i;
      return texte;
    }
    if (c == '\\') {
      if (i + 1 >= ligne.size()) throw Malforme{};
      const char suivant = ligne[++i];
      if (suivant != '\\' && suivant != '"') throw Malforme{};
      texte += suivant;
      continue;
    }
    texte += c;
  }
  throw Malforme{};
}

// "43,3a,5c" — one or two hex digits between commas; nothing at all is an empty value.
std::string lireOctetsHex(std::string_view liste) {
  std::string octets;
  if (sansBlancs(liste).empty()) return octets;
  for (;;) {
    const std::size_t virgule = liste.find(',');
    octets.push_back(static_cast<char>(lireHex(sansBlancs(liste.substr(0, virgule)), 2)));
    if (virgule == std::string_view::npos) return octets;
    liste.remove_prefix(virgule + 1);
  }
}

// The ANSI functions hand text values over in the code page, converted from the UTF-16 that
// version 5 files hold for them.
std::string versAnsi(std::uint32_t type, std::string octets, bool unicode) {
  const bool texte = type == 1 || type == 2 || type == 7;
  if (!unicode || !texte || octets.size() % 2 != 0) return octets;
  std::string ansi;
  for (std::size_t k = 0; k < octets.size(); k += 2)
    ansi.push_back(octetWindows1252(static_cast<unsigned char>(octets[k]) | (static_cast<unsigned char>(octets[k + 1]) << 8)));
  return ansi;
}

std::string cleNormalisee(std::string_view chemin) {
  while (!chemin.empty() && chemin.back() == '\\') chemin.remove_suffix(1);
  const std::string cle = majuscules(chemin);
  const std::size_t barre = cle.find('\\');
  const std::string_view racine = std::string_view(cle).substr(0, barre);
  if (std::find(std::begin(kRacines), std::end(kRacines), racine) == std::end(kRacines)) throw Malforme{};
  if (barre != std::string::npos) {
    std::string_view reste = std::string_view(cle).substr(barre + 1);
    for (;;) {
      const std::size_t suivante = reste.find('\\');
      if (reste.substr(0, suivante).empty()) throw Malforme{};
      if (suivante == std::string_view::npos) break;
      reste.remove_prefix(suivante + 1);
    }
  }
  return cle;
}

class Lecteur {
 public:
  Lecteur(std::vector<std::string_view> lignes, MagasinRegistre& magasin) : lignes_(std::move(lignes)), magasin_(magasin) {}

  void lire() {
    while (n_ < lignes_.size() && sansBlancs(lignes_[n_]).empty()) ++n_;
    if (n_ >= lignes_.size()) throw Malforme{};
    const std::string_view entete = sansBlancs(lignes_[n_++]);
    if (entete == kEnteteVersion5) unicode_ = true;
    else if (entete != kEnteteRegedit4) throw Malforme{};

    while (n_ < lignes_.size()) {
      const std::string_view ligne = sansBlancs(lignes_[n_++]);
      if (ligne.empty() || ligne.front() == ';') continue;
      if (ligne.front() == '[') section(ligne);
      else if (ligne.front() == '"' || ligne.front() == '@') valeur(ligne);
      else throw Malforme{};
    }
  }

 private:
  void section(std::string_view ligne) {
    if (ligne.back() != ']' || ligne.size() < 2) throw Malforme{};
    const std::string_view chemin = ligne.substr(1, ligne.size() - 2);
    if (!chemin.empty() && chemin.front() == '-') {
      const std::string cle = cleNormalisee(chemin.substr(1));
      const std::string prefixe = cle + '\\';
      std::erase_if(magasin_.cles, [&](const auto& e) { return e.first == cle || e.first.rfind(prefixe, 0) == 0; });
      cle_.reset();
      sectionSupprimee_ = true;
      return;
    }
    cle_ = cleNormalisee(chemin);
    sectionSupprimee_ = false;
    magasin_.cles[*cle_];
  }

  void valeur(std::string_view ligne) {
    std::size_t i = 0;
    std::string nom;
    if (ligne[0] == '@') i = 1;
    else nom = lireChaine(ligne, i);
    while (i < ligne.size() && blanc(ligne[i])) ++i;
    if (i >= ligne.size() || ligne[i] != '=') throw Malforme{};
    ++i;
    while (i < ligne.size() && blanc(ligne[i])) ++i;
    const std::string_view donnees = ligne.substr(i);

    std::optional<ValeurRegistre> v;
    if (donnees == "-") {
      // deletion: nothing to store
    } else if (!donnees.empty() && donnees.front() == '"') {
      std::size_t j = 0;
      const std::string texte = lireChaine(donnees, j);
      if (!sansBlancs(donnees.substr(j)).empty()) throw Malforme{};
      v = ValeurRegistre{1, windows1252DepuisUtf8(texte) + '\0'};
    } else if (commencePar(donnees, "dword:", true)) {
      const std::uint32_t n = lireHex(sansBlancs(donnees.substr(6)), 8);
      std::string octets;
      for (int k = 0; k < 4; ++k) octets.push_back(static_cast<char>((n >> (8 * k)) & 0xFF));
      v = ValeurRegistre{4, octets};
    } else if (commencePar(donnees, "hex", true)) {
      std::uint32_t type = 3;
      std::size_t j = 3;
      if (j < donnees.size() && donnees[j] == '(') {
        const std::size_t fin = donnees.find(')', j);
        if (fin == std::string_view::npos) throw Malforme{};
        type = lireHex(donnees.substr(j + 1, fin - j - 1), 8);
        j = fin + 1;
      }
      if (j >= donnees.size() || donnees[j] != ':') throw Malforme{};
      std::string liste(donnees.substr(j + 1));
      while (!liste.empty() && liste.back() == '\\') {
        liste.pop_back();
        if (n_ >= lignes_.size()) throw Malforme{};
        liste += sansBlancs(lignes_[n_++]);
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
    if (v) valeurs[majuscules(nom)] = std::move(*v);
    else valeurs.erase(majuscules(nom));
  }

  std::vector<std::string_view> lignes_;
  MagasinRegistre& magasin_;
  std::size_t n_ = 0;
  bool unicode_ = false;
  std::optional<std::string> cle_;
  bool sectionSupprimee_ = false;
};

}  // namespace

std::string majuscules(std::string_view utf8) {
  std::string texte;
  texte.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = caractereUtf8(utf8, i);
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    else if (c == 0xFF) c = 0x178;
    else if (c == 0x153 || c == 0x161 || c == 0x17E) c -= 1;  // œ š ž
    ajouterUtf8(texte, c);
  }
  return texte;
}

bool MagasinRegistre::cleExiste(std::string_view chemin) const {
  const std::string cle = majuscules(chemin);
  if (cles.contains(cle)) return true;
  const std::string prefixe = cle + '\\';
  auto it = cles.lower_bound(prefixe);
  return it != cles.end() && it->first.rfind(prefixe, 0) == 0;
}

const ValeurRegistre* MagasinRegistre::valeur(std::string_view chemin, std::string_view nom) const {
  auto cle = cles.find(majuscules(chemin));
  if (cle == cles.end()) return nullptr;
  auto v = cle->second.find(majuscules(nom));
  return v == cle->second.end() ? nullptr : &v->second;
}

std::optional<MagasinRegistre> lireMagasinRegistre(std::string_view contenu) {
  const std::optional<std::string> texte = decoder(contenu);
  if (!texte) return std::nullopt;
  std::vector<std::string_view> lignes;
  std::string_view reste = *texte;
  for (;;) {
    const std::size_t fin = reste.find('\n');
    std::string_view ligne = reste.substr(0, fin);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    lignes.push_back(ligne);
    if (fin == std::string_view::npos) break;
    reste.remove_prefix(fin + 1);
  }
  MagasinRegistre magasin;
  try {
    Lecteur(std::move(lignes), magasin).lire();
  } catch (const Malforme&) {
    return std::nullopt;
  }
  return magasin;
}

std::optional<MagasinRegistre> chargerMagasinRegistre(const std::filesystem::path& fichier) {
  // A store is a few lines: a megabyte is plenty, and a FIFO or a device is no store.
  constexpr std::size_t kTailleMax = 1 << 20;
  const std::optional<std::string> contenu = platform::lireFichierBorne(fichier, kTailleMax);
  if (!contenu) return std::nullopt;
  return lireMagasinRegistre(*contenu);
}

}  // namespace zor::apropos
