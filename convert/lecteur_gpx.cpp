#include "convert/lecteur_gpx.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "convert/noms_recepteur.h"
#include "convert/phrase.h"
#include "core/erreur.h"
#include "platform/xml.h"

namespace zor::conversion {

namespace {

constexpr std::size_t kTexteNomMaximal = 1024;  // enough for six bytes after any blanks

std::string_view sansBlancs(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// One coordinate as the receiver's fields: whole degrees ("48" or "002"), minutes "00.000",
// hemisphere letter.
struct Champs {
  char degres[8];
  std::size_t tailleDegres = 0;
  char minutes[6];
  char lettre;

  void poser(long long milliemes, bool negatif, int chiffresDegres, char positif, char negatifLettre) {
    const long long d = milliemes / 60000, m = milliemes % 60000;
    std::string t;
    ajouterEntier(t, d, chiffresDegres);
    tailleDegres = t.copy(degres, sizeof degres);
    minutes[0] = static_cast<char>('0' + m / 10000);
    minutes[1] = static_cast<char>('0' + m / 1000 % 10);
    minutes[2] = '.';
    minutes[3] = static_cast<char>('0' + m / 100 % 10);
    minutes[4] = static_cast<char>('0' + m / 10 % 10);
    minutes[5] = static_cast<char>('0' + m % 10);
    lettre = negatif && milliemes > 0 ? negatifLettre : positif;
  }
};

class LecteurGpx : public platform::EcouteXml {
 public:
  LecteurGpx(Redaction& redaction, std::string fichier) : redaction_(redaction), fichier_(std::move(fichier)) {}

  void debut(std::string_view espace, std::string_view nom, std::span<const platform::AttributXml> attributs,
             long long ligne) override {
    const std::size_t niveau = roles_.size();
    Role role = Role::Autre;
    if (niveau == 0) {
      if (nom == "gpx") {
        role = Role::Gpx;
        espace_.assign(espace);
      }
    } else if (espace == espace_ && !roles_.empty()) {
      const Role parent = roles_.back();
      if (parent == Role::Gpx && nom == "wpt") role = Role::Point;
      else if (parent == Role::Gpx && nom == "rte") role = Role::Route;
      else if (parent == Role::Route && nom == "rtept") role = Role::Point;
      else if (parent == Role::Gpx && nom == "trk") role = Role::Trace;
      else if (parent == Role::Point && nom == "name") role = Role::Nom;
      else if (nom == "trkpt" && dansTrace_ > 0) redaction_.noterPointsDeTrace(1);
    }
    if (role == Role::Trace) ++dansTrace_;
    if (role == Role::Point) commencerPoint(attributs, ligne);
    if (role == Role::Nom) texteNom_.clear();
    roles_.push_back(role);
  }

  void fin() override {
    const Role role = roles_.back();
    roles_.pop_back();
    if (role == Role::Trace) --dansTrace_;
    if (role == Role::Point) finirPoint();
    if (role == Role::Nom) nomVu_ = true;
  }

  void texte(std::string_view s) override {
    if (!roles_.empty() && roles_.back() == Role::Nom && texteNom_.size() < kTexteNomMaximal)
      texteNom_.append(s.substr(0, kTexteNomMaximal - texteNom_.size()));
  }

 private:
  enum class Role : char { Gpx, Point, Route, Trace, Nom, Autre };

  [[noreturn]] void refuser(long long ligne, std::string detail) {
    Erreur e = erreurFichier(Erreur::Genre::GpxInvalide, fichier_, 0);
    e.ligne = ligne;
    e.detail = std::move(detail);
    throw Echec(std::move(e));
  }

  void coordonnee(std::span<const platform::AttributXml> attributs, std::string_view attribut, long long maximum,
                  long long ligne, Champs& champs, int chiffres, char positif, char negatif) {
    const char* quoi = maximum == 90 ? "latitude" : "longitude";
    const platform::AttributXml* a = nullptr;
    for (const auto& x : attributs)
      if (x.nom == attribut) a = &x;
    if (a == nullptr) refuser(ligne, std::string("point sans ") + quoi + " (attribut " + std::string(attribut) + ")");
    long long milliemes = 0;
    bool estNegatif = false;
    const std::string_view valeur = sansBlancs(a->valeur);
    const std::string montree(valeur.substr(0, 40));
    switch (lireDegres(valeur, maximum, milliemes, estNegatif)) {
      case LectureDegres::Nombre: break;
      case LectureDegres::PasUnNombre: refuser(ligne, std::string(quoi) + " « " + montree + " » qui n'est pas un nombre");
      case LectureDegres::HorsLimites:
        refuser(ligne, std::string(quoi) + " " + montree + " hors de -" + std::to_string(maximum) + " à " +
                           std::to_string(maximum));
    }
    champs.poser(milliemes, estNegatif, chiffres, positif, negatif);
  }

  void commencerPoint(std::span<const platform::AttributXml> attributs, long long ligne) {
    coordonnee(attributs, "lat", 90, ligne, latitude_, 2, 'N', 'S');
    coordonnee(attributs, "lon", 180, ligne, longitude_, 3, 'E', 'W');
    texteNom_.clear();
    nomVu_ = false;
  }

  void finirPoint() {
    const long long numero = redaction_.compter();
    std::string nom;
    if (redaction_.mode() == Mode::Waypoint)
      nom = noms_.attribuer(nomPourRecepteur(nomVu_ ? std::string_view(texteNom_) : std::string_view()));
    redaction_.ecrire({std::string_view(latitude_.degres, latitude_.tailleDegres),
                       std::string_view(latitude_.minutes, 6), std::string_view(&latitude_.lettre, 1),
                       std::string_view(longitude_.degres, longitude_.tailleDegres),
                       std::string_view(longitude_.minutes, 6), std::string_view(&longitude_.lettre, 1), nom,
                       redaction_.mode() == Mode::Profil ? numero : 0});
  }

  Redaction& redaction_;
  std::string fichier_;
  std::string espace_;  // the namespace of <gpx>: GPX 1.0 and 1.1 differ only there
  std::vector<Role> roles_;
  int dansTrace_ = 0;
  Champs latitude_{}, longitude_{};
  std::string texteNom_;
  bool nomVu_ = false;
  NomsUniques noms_;
};

}  // namespace

LectureDegres lireDegres(std::string_view texte, long long maximum, long long& milliemes, bool& negatif) {
  std::string_view s = texte;
  negatif = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  const std::size_t point = s.find('.');
  std::string_view entiers = s.substr(0, point);
  std::string_view decimales = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  auto chiffres = [](std::string_view t) { return t.find_first_not_of("0123456789") == std::string_view::npos; };
  if (!(entiers.empty() && decimales.empty()) && chiffres(entiers) && chiffres(decimales)) {
    // Exact decimal arithmetic: value × 60000, rounded half away from zero. Decimals past the
    // thirteenth (below a micrometre) are not looked at.
    while (entiers.size() > 1 && entiers.front() == '0') entiers.remove_prefix(1);
    if (entiers.size() > 3) return LectureDegres::HorsLimites;
    decimales = decimales.substr(0, 13);
    long long e = 0, f = 0, echelle = 1;
    for (const char c : entiers) e = e * 10 + (c - '0');
    for (const char c : decimales) f = f * 10 + (c - '0'), echelle *= 10;
    if (e > maximum || (e == maximum && f != 0)) return LectureDegres::HorsLimites;
    const long long produit = f * 60000;  // below 6e17
    milliemes = e * 60000 + produit / echelle + (2 * (produit % echelle) >= echelle ? 1 : 0);
    return LectureDegres::Nombre;
  }
  // Not a plain decimal (an exponent, as some programs write): read as a double.
  double v = 0;
  const auto [fin, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
  if (texte.empty() || ec != std::errc{} || fin != texte.data() + texte.size() || !std::isfinite(v))
    return LectureDegres::PasUnNombre;
  if (std::fabs(v) > static_cast<double>(maximum)) return LectureDegres::HorsLimites;
  negatif = v < 0;
  milliemes = std::llround(std::fabs(v) * 60000.0);
  return LectureDegres::Nombre;
}

long long lireGpx(Source& source, Redaction& redaction) {
  LecteurGpx lecteur(redaction, source.nom());
  const platform::ResultatXml r = platform::analyserXml([&source] { return source.lire(); }, lecteur);
  if (r.faute != platform::FauteXml::Aucune) {
    Erreur e = erreurFichier(Erreur::Genre::GpxInvalide, source.nom(), 0);
    e.ligne = r.ligne;
    e.detail = std::string(platform::decrireFauteXml(r.faute));
    throw Echec(std::move(e));
  }
  return redaction.compteur();
}

}  // namespace zor::conversion
