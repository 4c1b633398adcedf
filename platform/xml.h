#pragma once
// One small event interface over the system's XML parser: expat on Linux, XmlLite (part of
// Windows) on Windows. Made for files from anywhere: a document type declaration, and with it
// every entity declaration, is refused at once, so no entity is ever expanded or loaded, and
// nothing is ever fetched from elsewhere; a tag (with its attributes), a text or a comment
// longer than kTailleMaxXml stops the reading before the parser holds much more of it.
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

namespace zor::platform {

struct AttributXml {
  std::string_view nom;  // local name, UTF-8
  std::string_view valeur;
};

class EcouteXml {
 public:
  virtual ~EcouteXml() = default;
  // An element starts: its namespace (empty when none) and local name, its attributes (no
  // namespace declarations among them), the line of its tag. All text is UTF-8.
  virtual void debut(std::string_view espace, std::string_view nom, std::span<const AttributXml> attributs,
                     long long ligne) = 0;
  virtual void fin() = 0;
  // Character data, in as many pieces as the parser likes.
  virtual void texte(std::string_view utf8) = 0;
};

inline constexpr std::size_t kTailleMaxXml = std::size_t{1} << 20;

enum class FauteXml {
  Aucune, Syntaxe, BalisesCroisees, Caractere, Encodage, FinPrematuree, DtdRefusee, EntiteInconnue, TropLong, Autre
};

struct ResultatXml {
  FauteXml faute = FauteXml::Aucune;
  long long ligne = 0;  // where the fault was found
};

// Reads the document block by block (an empty block is its end) and hands its events to
// `ecoute`. An exception thrown by `blocSuivant` or by `ecoute` stops the reading and goes on
// to the caller.
ResultatXml analyserXml(const std::function<std::string_view()>& blocSuivant, EcouteXml& ecoute);

// The fault in French words, for a message: "balise mal fermée".
constexpr std::string_view decrireFauteXml(FauteXml faute) {
  switch (faute) {
    case FauteXml::Aucune: return "aucune faute";
    case FauteXml::Syntaxe: return "XML mal formé";
    case FauteXml::BalisesCroisees: return "balise fermante qui ne correspond pas à la balise ouverte";
    case FauteXml::Caractere: return "caractère interdit en XML";
    case FauteXml::Encodage: return "encodage des caractères inconnu ou incorrect";
    case FauteXml::FinPrematuree: return "le fichier s'arrête avant la fin du document XML";
    case FauteXml::DtdRefusee: return "déclaration de type de document (<!DOCTYPE>) refusée";
    case FauteXml::EntiteInconnue: return "entité XML inconnue";
    case FauteXml::TropLong: return "balise, attribut ou texte de plus de 1 Mio";
    case FauteXml::Autre: break;
  }
  return "XML incorrect";
}

}  // namespace zor::platform
