#include "convert/lecteur_gpx.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "convert/ajustement.h"
#include "convert/noms_recepteur.h"
#include "convert/phrase.h"
#include "core/erreur.h"
#include "core/windows1252.h"
#include "platform/xml.h"

namespace zor::conversion {

namespace {

constexpr std::size_t kTexteNomMaximal = 1024;  // enough for any name worth reading

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

  void poser(long long milliemesSignes, int chiffresDegres, char positif, char negatif) {
    const long long milliemes = milliemesSignes < 0 ? -milliemesSignes : milliemesSignes;
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
    lettre = milliemesSignes < 0 ? negatif : positif;
  }
};

// A receiver name before it is made unique: at most six bytes.
struct NomCourt {
  std::array<char, kLongueurNom> octets{};
  std::uint8_t taille = 0;

  explicit NomCourt(std::string_view nom) : taille(static_cast<std::uint8_t>(nom.copy(octets.data(), octets.size()))) {}
  std::string texte() const { return std::string(octets.data(), taille); }
};

// The points of a line or of the loose waypoints, and their names when they will be needed.
struct Points {
  std::vector<PointLigne> points;
  std::vector<NomCourt> noms;
};

struct LigneGardee {
  std::size_t index;  // in the report's lines
  Points points;
};

// UTF-8 text cut to `taille` bytes at most, never inside a character.
void couperUtf8(std::string& s, std::size_t taille) {
  if (s.size() <= taille) return;
  while (taille > 0 && (static_cast<unsigned char>(s[taille]) & 0xC0) == 0x80) --taille;
  s.resize(taille);
}

class LecteurGpx : public platform::EcouteXml {
 public:
  LecteurGpx(Redaction& redaction, std::string fichier)
      : redaction_(redaction), demande_(redaction.demande()), rapport_(redaction.rapport()), fichier_(std::move(fichier)) {
    if (!demande_.ligne.empty() && demande_.ligne.size() < 18 &&
        demande_.ligne.find_first_not_of("0123456789") == std::string::npos)
      numeroDemande_ = std::stoll(demande_.ligne);
    garderLignes_ = !demande_.listeSeulement && (demande_.mode == Mode::Profil || !demande_.ligne.empty());
    // The loose waypoints (and, in waypoint mode, the route points) are the records unless a
    // line is asked for.
    garderPoints_ = !demande_.listeSeulement && demande_.ligne.empty();
    nommer_ = demande_.mode == Mode::Waypoint;
  }

  void debut(std::string_view espace, std::string_view nom, std::span<const platform::AttributXml> attributs,
             long long ligne) override {
    Role role = Role::Autre;
    if (roles_.empty()) {
      if (nom == "gpx") {
        role = Role::Gpx;
        espace_.assign(espace);
      }
    } else if (espace == espace_) {
      const Role parent = roles_.back();
      if (parent == Role::Gpx && nom == "wpt") role = Role::PointLibre;
      else if (parent == Role::Gpx && (nom == "rte" || nom == "trk")) role = nom == "rte" ? Role::Route : Role::Trace;
      else if (parent == Role::Route && nom == "rtept") role = Role::PointDeRoute;
      else if (parent == Role::Trace && nom == "trkseg") role = Role::Segment;
      else if (parent == Role::Segment && nom == "trkpt") role = Role::PointDeTrace;
      else if (nom == "name" && (estPoint(parent) || parent == Role::Route || parent == Role::Trace)) role = Role::Nom;
    }
    if (role == Role::Route || role == Role::Trace) commencerLigne(role == Role::Route);
    if (estPoint(role)) commencerPoint(attributs, ligne);
    if (role == Role::Nom) texteNom_.clear();
    roles_.push_back(role);
  }

  void fin() override {
    const Role role = roles_.back();
    roles_.pop_back();
    if (role == Role::Nom) {
      if (estPoint(roles_.back())) {
        nomPoint_ = texteNom_;
        nomVu_ = true;
      } else if (!nomLigneVu_) {
        nomLigne_ = texteNom_;
        couperUtf8(nomLigne_, kTexteNomMaximal);
        nomLigneVu_ = true;
      }
    }
    if (estPoint(role)) finirPoint(role);
    if (role == Role::Route || role == Role::Trace) finirLigne();
  }

  void texte(std::string_view s) override {
    if (!roles_.empty() && roles_.back() == Role::Nom && texteNom_.size() < kTexteNomMaximal)
      texteNom_.append(s.substr(0, kTexteNomMaximal - texteNom_.size()));
  }

  // The document is whole: the records it gives go to the writer.
  void ecrire() {
    if (demande_.listeSeulement) return;
    const LigneGardee* ligne = nullptr;
    if (!demande_.ligne.empty()) {
      ligne = parNumero_ ? &gardees_[*parNumero_] : parNom_ ? &gardees_[*parNom_] : nullptr;
      if (ligne == nullptr) {
        rapport_.ligneIntrouvable = true;
        return;
      }
    } else if (premiereRoute_ || premiereTrace_) {
      ligne = &gardees_[premiereRoute_ ? *premiereRoute_ : *premiereTrace_];
    }
    if (ligne != nullptr)
      ecrireLigne(*ligne);
    else
      ecrirePoints(libres_, {});
  }

 private:
  enum class Role : char { Gpx, PointLibre, Route, PointDeRoute, Trace, Segment, PointDeTrace, Nom, Autre };
  static bool estPoint(Role r) { return r == Role::PointLibre || r == Role::PointDeRoute || r == Role::PointDeTrace; }

  [[noreturn]] void refuser(long long ligne, std::string detail) {
    Erreur e = erreurFichier(Erreur::Genre::GpxInvalide, fichier_, 0);
    e.ligne = ligne;
    e.detail = std::move(detail);
    throw Echec(std::move(e));
  }

  Degres coordonnee(std::span<const platform::AttributXml> attributs, std::string_view attribut, long long maximum,
                    long long ligne) {
    const char* quoi = maximum == 90 ? "latitude" : "longitude";
    const platform::AttributXml* a = nullptr;
    for (const auto& x : attributs)
      if (x.nom == attribut) a = &x;
    if (a == nullptr) refuser(ligne, std::string("point sans ") + quoi + " (attribut " + std::string(attribut) + ")");
    Degres d;
    const std::string_view valeur = sansBlancs(a->valeur);
    const std::string montree(valeur.substr(0, 40));
    switch (lireDegres(valeur, maximum, d)) {
      case LectureDegres::Nombre: break;
      case LectureDegres::PasUnNombre: refuser(ligne, std::string(quoi) + " « " + montree + " » qui n'est pas un nombre");
      case LectureDegres::HorsLimites:
        refuser(ligne, std::string(quoi) + " " + montree + " hors de -" + std::to_string(maximum) + " à " +
                           std::to_string(maximum));
    }
    return d;
  }

  void commencerPoint(std::span<const platform::AttributXml> attributs, long long ligne) {
    const Degres lat = coordonnee(attributs, "lat", 90, ligne), lon = coordonnee(attributs, "lon", 180, ligne);
    auto signe = [](const Degres& d, long long v) { return static_cast<std::int32_t>(d.negatif ? -v : v); };
    point_ = {signe(lat, lat.dixMillioniemes), signe(lon, lon.dixMillioniemes), signe(lat, lat.milliemes),
              signe(lon, lon.milliemes)};
    nomPoint_.clear();
    nomVu_ = false;
  }

  void ajouter(Points& p) {
    p.points.push_back(point_);
    if (nommer_) p.noms.emplace_back(nomPourRecepteur(nomVu_ ? std::string_view(nomPoint_) : std::string_view()));
  }

  void finirPoint(Role role) {
    // Waypoint mode takes the routes' points with the loose ones, in file order.
    if (garderPoints_ && (role == Role::PointLibre || (role == Role::PointDeRoute && nommer_))) ajouter(libres_);
    if (role == Role::PointLibre) return;
    if (role == Role::PointDeTrace && nommer_ && demande_.ligne.empty()) ++rapport_.pointsDeTrace;
    ++pointsLigne_;
    longueur_.ajouter(point_.latitude7, point_.longitude7);
    if (garderLignes_) ajouter(ligne_);
  }

  void commencerLigne(bool route) {
    route_ = route;
    pointsLigne_ = 0;
    longueur_ = Longueur();
    nomLigne_.clear();
    nomLigneVu_ = false;
    ligne_ = Points();
  }

  void finirLigne() {
    const std::size_t index = rapport_.lignes.size();
    rapport_.lignes.push_back({static_cast<long long>(index + 1), route_, nomLigne_, pointsLigne_, longueur_.metres()});
    if (!garderLignes_) return;
    // Kept only when it may be the one written: the fewest lines in memory at once.
    std::optional<std::size_t>* places[3] = {nullptr, nullptr, nullptr};
    if (!demande_.ligne.empty()) {
      if (numeroDemande_ == static_cast<long long>(index + 1)) places[0] = &parNumero_;
      if (!parNom_ && nomLigne_ == demande_.ligne) places[1] = &parNom_;
    } else if (pointsLigne_ > 0) {
      // A line without a point is no profile: the next one is taken by default.
      places[2] = route_ ? &premiereRoute_ : &premiereTrace_;
      if (*places[2]) places[2] = nullptr;
    }
    bool gardee = false;
    for (auto* place : places) {
      if (place == nullptr) continue;
      if (!gardee) gardees_.push_back({index, std::move(ligne_)});
      gardee = true;
      *place = gardees_.size() - 1;
    }
  }

  void ecrireLigne(const LigneGardee& gardee) {
    const LigneGpx& ligne = rapport_.lignes[gardee.index];
    const std::vector<PointLigne>& points = gardee.points.points;
    rapport_.ligneRetenue = gardee.index;
    long long maxPoints = demande_.ajustement.points;
    const double ecart = demande_.ajustement.ecart;
    if (maxPoints == 0 && ecart == 0 && !ligne.route) maxPoints = kPointsTraceParDefaut;
    ResultatAjustement ajuste;
    if (maxPoints == 0 && ecart == 0) {
      // A route is sent whole: each of its points is one the user placed.
      ajuste.gardes.resize(points.size());
      for (std::size_t i = 0; i < points.size(); ++i) ajuste.gardes[i] = static_cast<std::uint32_t>(i);
    } else {
      ajuste = ajuster(points, maxPoints, ecart);
    }
    rapport_.ajustement = LigneAjustee{static_cast<long long>(points.size()), static_cast<long long>(ajuste.gardes.size()),
                                       ajuste.ecart};
    if (demande_.mode == Mode::Profil)
      redaction_.ecrivain().nommerLigne(!ligne.nom.empty() ? ligne.nom
                                                           : (ligne.route ? "Route " : "Trace ") + std::to_string(ligne.numero));
    ecrirePoints(gardee.points, ajuste.gardes);
  }

  // The points of `p` (those of `indices` when there are some), in order.
  void ecrirePoints(const Points& p, const std::vector<std::uint32_t>& indices) {
    NomsUniques noms;
    const std::size_t n = indices.empty() ? p.points.size() : indices.size();
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = indices.empty() ? k : indices[k];
      const PointLigne& point = p.points[i];
      const long long numero = redaction_.compter();
      Champs latitude, longitude;
      latitude.poser(point.latitudeMil, 2, 'N', 'S');
      longitude.poser(point.longitudeMil, 3, 'E', 'W');
      const std::string nom = demande_.mode == Mode::Waypoint ? noms.attribuer(p.noms[i].texte()) : std::string();
      redaction_.ecrire({std::string_view(latitude.degres, latitude.tailleDegres), std::string_view(latitude.minutes, 6),
                         std::string_view(&latitude.lettre, 1),
                         std::string_view(longitude.degres, longitude.tailleDegres),
                         std::string_view(longitude.minutes, 6), std::string_view(&longitude.lettre, 1), nom,
                         demande_.mode == Mode::Profil ? numero : 0});
    }
  }

  Redaction& redaction_;
  const Demande& demande_;
  Rapport& rapport_;
  std::string fichier_;
  std::optional<long long> numeroDemande_;
  bool garderLignes_ = false, garderPoints_ = false, nommer_ = false;

  std::string espace_;  // the namespace of <gpx>: GPX 1.0 and 1.1 differ only there
  std::vector<Role> roles_;
  PointLigne point_{};
  std::string texteNom_, nomPoint_;
  bool nomVu_ = false;

  // The line being read.
  bool route_ = false;
  long long pointsLigne_ = 0;
  Longueur longueur_;
  std::string nomLigne_;
  bool nomLigneVu_ = false;
  Points ligne_;

  Points libres_;                     // the records when no line is written
  std::vector<LigneGardee> gardees_;  // the lines that may be written
  std::optional<std::size_t> parNumero_, parNom_, premiereRoute_, premiereTrace_;
};

// Stops the reading at the root element.
struct RacineVue {
  bool gpx;
};

class Racine : public platform::EcouteXml {
 public:
  void debut(std::string_view, std::string_view nom, std::span<const platform::AttributXml>, long long) override {
    throw RacineVue{nom == "gpx"};
  }
  void fin() override {}
  void texte(std::string_view) override {}
};

// `fraction` decimal digits scaled to `unite` (a power of ten), rounded half away from zero.
long long arrondi(long long fraction, long long echelle, long long unite) {
  if (echelle <= unite) return fraction * (unite / echelle);
  const long long diviseur = echelle / unite;
  return fraction / diviseur + (2 * (fraction % diviseur) >= diviseur ? 1 : 0);
}

}  // namespace

LectureDegres lireDegres(std::string_view texte, long long maximum, Degres& resultat) {
  std::string_view s = texte;
  resultat.negatif = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  const std::size_t point = s.find('.');
  std::string_view entiers = s.substr(0, point);
  std::string_view decimales = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  auto chiffres = [](std::string_view t) { return t.find_first_not_of("0123456789") == std::string_view::npos; };
  if (!(entiers.empty() && decimales.empty()) && chiffres(entiers) && chiffres(decimales)) {
    // Exact decimal arithmetic, rounded half away from zero. Decimals past the thirteenth
    // (below a micrometre) are not looked at.
    while (entiers.size() > 1 && entiers.front() == '0') entiers.remove_prefix(1);
    if (entiers.size() > 3) return LectureDegres::HorsLimites;
    decimales = decimales.substr(0, 13);
    long long e = 0, f = 0, echelle = 1;
    for (const char c : entiers) e = e * 10 + (c - '0');
    for (const char c : decimales) f = f * 10 + (c - '0'), echelle *= 10;
    if (e > maximum || (e == maximum && f != 0)) return LectureDegres::HorsLimites;
    const long long produit = f * 60000;  // below 6e17
    resultat.milliemes = e * 60000 + produit / echelle + (2 * (produit % echelle) >= echelle ? 1 : 0);
    resultat.dixMillioniemes = e * 10000000 + arrondi(f, echelle, 10000000);
    return LectureDegres::Nombre;
  }
  // Not a plain decimal (an exponent, as some programs write): read as a double.
  double v = 0;
  const auto [fin, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
  if (texte.empty() || ec != std::errc{} || fin != texte.data() + texte.size() || !std::isfinite(v))
    return LectureDegres::PasUnNombre;
  if (std::fabs(v) > static_cast<double>(maximum)) return LectureDegres::HorsLimites;
  resultat.negatif = v < 0;
  resultat.milliemes = std::llround(std::fabs(v) * 60000.0);
  resultat.dixMillioniemes = std::llround(std::fabs(v) * 1e7);
  return LectureDegres::Nombre;
}

void lireGpx(Source& source, Redaction& redaction) {
  LecteurGpx lecteur(redaction, source.nom());
  const platform::ResultatXml r = platform::analyserXml([&source] { return source.lire(); }, lecteur);
  if (r.faute != platform::FauteXml::Aucune) {
    Erreur e = erreurFichier(Erreur::Genre::GpxInvalide, source.nom(), 0);
    e.ligne = r.ligne;
    e.detail = std::string(platform::decrireFauteXml(r.faute));
    throw Echec(std::move(e));
  }
  lecteur.ecrire();
}

bool estGpx(std::string_view debut) {
  Racine racine;
  bool donne = false;
  try {
    platform::analyserXml(
        [&] {
          const std::string_view bloc = donne ? std::string_view() : debut;
          donne = true;
          return bloc;
        },
        racine);
  } catch (const RacineVue& vue) {
    return vue.gpx;
  }
  return false;
}

}  // namespace zor::conversion
