#pragma once
// The controls of the program's windows, each described once: its kind, name, caption or list,
// tooltip, place and size in twips, colours, font and visibility at start, and the state the
// handlers change. A front end makes one native control for each with one function, whichever
// window it belongs to, mirrors every change it is told of with another, and hands what the
// user does to the window's one entry (evenement.h). Nothing here knows a toolkit.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zor {

struct Couleur {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Couleur&, const Couleur&) = default;
};

// Left, top, width and height in twips (1/1440 inch), from the top-left corner of the client area.
struct Rectangle {
  int gauche = 0, haut = 0, largeur = 0, hauteur = 0;
};

struct Police {
  std::string_view famille = "MS Sans Serif";
  double points = 8.25;
  bool gras = false, italique = false, souligne = false;
};

// The program draws its own pictures; each front end knows how to show each of them.
enum class Image { Aucune, Ok, Ouvrir, Ecrire, Lire, Sortie, Fenetre, APropos };

enum class Genre {
  Etiquette,     // a label; "&" in its caption is a plain character
  Option,        // an option button of the window's one group
  BoutonImage,   // a graphical command button: its picture above its caption, on its face colour
  Bouton,        // a standard command button
  Liste,         // an editable drop-down combo box
  Image,         // a picture box that sizes itself to its picture
  Menu,          // an entry of the window's menu bar, without sub-entries
};

// What changed, so that a front end only redoes that.
enum class Propriete {
  Visible,
  Caption,    // the whole caption
  Ajout,      // bytes added at the end of the caption (the echo label)
  Texte,      // the text of a combo box
  Valeur,     // the selection of an option button
  Infobulles  // the tooltips of a combo box's items
};

class Controle;
using Observateur = std::function<void(const Controle&, Propriete)>;

// The fixed part of a control.
struct Description {
  Genre genre = Genre::Etiquette;
  std::string_view nom;
  std::string caption;             // UTF-8; for a combo box its starting text
  Rectangle position;
  bool visible = true;
  std::string infobulle;           // UTF-8, empty: none
  Police police{};
  std::optional<Couleur> fond;     // face or background; none: the system's (or the window's for labels)
  std::optional<Couleur> texte;    // none: the system's
  std::vector<std::string> liste;  // a combo box's items
  Image image = Image::Aucune;
  int coteImage = 0;               // pixels: 16 or 32
  bool annulation = false;         // the window's cancel button: Esc clicks it while it is shown
  bool parDefaut = false;          // the window's default button: Enter clicks it unless another button has the focus
  bool tailleAuTexte = false;      // a label that sizes itself to its caption
  bool retourLigne = true;         // a label's caption wraps inside its width
  // Screen readers (ihm/accessibilite.h). A control whose caption does not say what it is for
  // (a list shows its current text, a count its number) is named by the caption of a label of
  // the same window: of these, the last that shows (the one over the others), else the first.
  std::vector<std::string_view> nommePar;
  std::string descriptionAccessible;  // UTF-8: tells apart two controls of the same caption
};

// The part every control has; the rest is set after.
inline Description description(Genre genre, std::string_view nom, std::string caption, Rectangle place) {
  Description d;
  d.genre = genre;
  d.nom = nom;
  d.caption = std::move(caption);
  d.position = place;
  return d;
}

class Controle {
 public:
  explicit Controle(Description d) : d_(std::move(d)), visible_(d_.visible), caption_(d_.caption) {}
  Controle(const Controle&) = delete;
  Controle& operator=(const Controle&) = delete;

  const Description& description() const { return d_; }
  std::string_view nom() const { return d_.nom; }
  Genre genre() const { return d_.genre; }

  bool Visible() const { return visible_; }
  void Visible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    signaler(Propriete::Visible);
  }

  // Labels and buttons: the caption, UTF-8. The echo label holds bytes of its own (octets()).
  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption) {
    caption_ = std::move(caption);
    signaler(Propriete::Caption);
  }

  // Combo boxes: the text in the edit field, as the user typed or picked it (UTF-8). The
  // front end sets it as the user types (definirTexteSaisi), without telling itself back.
  const std::string& Text() const { return caption_; }
  void Text(std::string texte) {
    caption_ = std::move(texte);
    signaler(Propriete::Texte);
  }
  void definirTexteSaisi(std::string texte) { caption_ = std::move(texte); }

  // Option buttons.
  bool Value() const { return valeur_; }
  void Value(bool valeur) {
    if (valeur == valeur_) return;
    valeur_ = valeur;
    signaler(Propriete::Valeur);
  }
  void definirValeurChoisie(bool valeur) { valeur_ = valeur; }

  // The echo label: its caption as the bytes they are (Windows-1252), appended without copies.
  const std::string& octets() const { return octets_; }
  void definirOctets(std::string octets) {
    octets_ = std::move(octets);
    signaler(Propriete::Caption);
  }
  void ajouterOctets(std::string_view octets) {
    if (octets.empty()) return;
    octets_.append(octets);
    signaler(Propriete::Ajout);
  }

  // A combo box's items may tell what lies behind each of them.
  const std::vector<std::string>& infobullesListe() const { return infobullesListe_; }
  void definirInfobullesListe(std::vector<std::string> infobulles) {
    infobullesListe_ = std::move(infobulles);
    signaler(Propriete::Infobulles);
  }

  void observer(const Observateur* observateur) { observateur_ = observateur; }

 private:
  void signaler(Propriete p) const {
    if (observateur_ != nullptr && *observateur_) (*observateur_)(*this, p);
  }

  Description d_;
  bool visible_;
  std::string caption_;
  bool valeur_ = false;
  std::string octets_;
  std::vector<std::string> infobullesListe_;
  const Observateur* observateur_ = nullptr;
};

// A length in twips at a screen's resolution, in pixels.
constexpr int pixels(int twips, double pointsParPouce) {
  const double p = twips * pointsParPouce / 1440.0;
  return static_cast<int>(p < 0 ? p - 0.5 : p + 0.5);
}

}  // namespace zor
