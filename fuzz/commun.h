#pragma once
// What every reader must hold on any input: no crash, no read out of bounds (the sanitizers
// see to that), the same result whatever the block size of the source, a record count that
// matches the lines written, and sentences whose checksum is right.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion.h"
#include "convert/ecrivain_phrases.h"
#include "convert/reconnaissance.h"
#include "convert/phrase.h"

namespace zor::fuzz {

inline void verifier(bool condition, const char* quoi) {
  if (!condition) {
    std::fprintf(stderr, "invariant violé : %s\n", quoi);
    std::abort();
  }
}

struct Issue {
  long long nombre;
  std::string fichier, echo;
  std::vector<std::string> ecritures;  // one element per write of the reader
};

// Hands every write over at once, so each generated sentence arrives as one piece of its own
// (a name may hold CR LF, so the bytes alone could not be split back into sentences).
class SortieParEcriture : public conversion::Sortie {
 public:
  SortieParEcriture() : Sortie(1) {}
  std::vector<std::string> ecritures;

 protected:
  void deverser(std::string_view octets) override { ecritures.emplace_back(octets); }
};

inline conversion::Demande demande(std::string_view format, conversion::Mode mode,
                                   conversion::FinDeLigne fin = conversion::FinDeLigne::Cr) {
  conversion::Demande d;
  d.format = conversion::formatSelonNom(format);
  verifier(d.format != nullptr, "format inconnu");
  d.mode = mode;
  d.finDeLigne = fin;
  return d;
}

inline Issue executer(const conversion::Demande& demande, std::string_view entree, std::size_t bloc,
                      conversion::Rapport* rapport = nullptr) {
  conversion::SourceMemoire source(entree, bloc);
  SortieParEcriture sortie;
  std::string echo;
  conversion::EcrivainPhrases phrases(sortie, &echo);
  const conversion::Rapport r = conversion::convertir(source, phrases, demande);
  if (rapport != nullptr) *rapport = r;
  const long long nombre = r.enregistrements;
  std::string fichier;
  for (const auto& e : sortie.ecritures) fichier += e;
  return {nombre, std::move(fichier), std::move(echo), std::move(sortie.ecritures)};
}

// Every generated sentence: "$" body "*" HH CR LF, then an empty line, with the right checksum.
inline void verifierPhrasesGenerees(const Issue& issue) {
  verifier(issue.ecritures.size() == static_cast<std::size_t>(issue.nombre), "nombre de phrases différent du compte");
  std::string echo;
  for (const std::string& phrase : issue.ecritures) {
    verifier(phrase.size() >= 8 && phrase.front() == '$' && phrase.ends_with("\r\n\r\n"), "phrase mal encadrée");
    verifier(phrase[phrase.size() - 7] == '*', "astérisque absent");
    const std::string_view corps = std::string_view(phrase).substr(1, phrase.size() - 8);
    char attendu[3];
    std::snprintf(attendu, sizeof attendu, "%02X", conversion::sommeControle(corps));
    verifier(phrase.substr(phrase.size() - 6, 2) == std::string_view(attendu, 2), "somme de contrôle fausse");
    verifier(corps.starts_with("GPWPL,"), "identifiant absent");
    echo += phrase.substr(0, phrase.size() - 2);
  }
  verifier(echo == issue.echo, "écho différent des phrases écrites");
}

// The first byte chooses the mode, a small block size and, for text, whether a lone LF ends a
// line; the rest is the file. Whatever its format, guessing it from its content holds too.
inline void essayer(std::string_view format, const std::uint8_t* donnees, std::size_t taille, bool phrasesGenerees) {
  if (taille == 0) return;
  const auto mode = (donnees[0] & 1) ? conversion::Mode::Waypoint : conversion::Mode::Profil;
  const std::size_t petitBloc = 1 + (donnees[0] >> 1) % 64;
  const auto fin = (donnees[0] & 0x80) ? conversion::FinDeLigne::CrOuLf : conversion::FinDeLigne::Cr;
  const std::string_view entree(reinterpret_cast<const char*>(donnees + 1), taille - 1);
  {
    conversion::SourceMemoire source(entree, petitBloc);
    conversion::SourceRelue relue(source);
    conversion::formatSelonContenu(relue);
    std::string relu;
    for (std::string_view b = relue.lire(); !b.empty(); b = relue.lire()) relu.append(b);
    verifier(relu == entree, "les octets relus après la reconnaissance diffèrent");
  }

  const Issue entier = executer(demande(format, mode, fin), entree, 1 << 20);
  const Issue morcele = executer(demande(format, mode, fin), entree, petitBloc);
  verifier(entier.nombre == morcele.nombre, "le compte dépend de la taille des blocs");
  verifier(entier.fichier == morcele.fichier, "le fichier dépend de la taille des blocs");
  verifier(entier.echo == morcele.echo, "l'écho dépend de la taille des blocs");
  verifier(entier.nombre >= 0, "compte négatif");
  if (phrasesGenerees) verifierPhrasesGenerees(entier);
}

}  // namespace zor::fuzz
