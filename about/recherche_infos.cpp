#include "about/recherche_infos.h"

#include <array>
#include <cstdint>

#include "about/lancement.h"

namespace zor::apropos {
namespace {

constexpr std::uint32_t kAccesCle = 0x2003F;
constexpr std::uint32_t kTailleTampon = 1024;
constexpr std::uint32_t kTypeTexte = 1;
constexpr std::uint32_t kTypeNombre = 4;

constexpr char kCleMsinfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kValeurChemin[] = "PATH";
constexpr char kCleEmplacements[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kValeurDossier[] = "MSINFO";
constexpr char kNomProgramme[] = "\\MSINFO32.EXE";

// Little-endian bytes read as a signed 32-bit number; fewer than four bytes are the low ones.
std::int32_t nombreSigne(std::string_view octets) {
  if (octets.size() > 4) throw ErreurLecture("nombre de plus de 32 bits");
  std::uint32_t n = 0;
  for (size_t i = 0; i < octets.size(); ++i) n |= std::uint32_t{static_cast<unsigned char>(octets[i])} << (8 * i);
  return static_cast<std::int32_t>(n);
}

class CleOuverte {
 public:
  explicit CleOuverte(HandleCle cle) : cle_(cle) {}
  ~CleOuverte() { RegCloseKey(cle_); }
  CleOuverte(const CleOuverte&) = delete;
  CleOuverte& operator=(const CleOuverte&) = delete;

 private:
  HandleCle cle_;
};

}  // namespace

bool GetKeyValue(HandleCle racine, std::string_view cheminCle, std::string_view nomValeur,
                 std::string& texte) {
  HandleCle cle = 0;
  if (RegOpenKeyExA(racine, std::string(cheminCle).c_str(), 0, kAccesCle, &cle) != kErrorSuccess) {
    texte.clear();
    return false;
  }
  const CleOuverte fermeture(cle);

  std::array<unsigned char, kTailleTampon> tampon{};
  std::uint32_t taille = kTailleTampon;
  std::uint32_t type = 0;
  if (RegQueryValueExA(cle, std::string(nomValeur).c_str(), nullptr, &type, tampon.data(), &taille) !=
      kErrorSuccess) {
    texte.clear();
    return false;
  }
  if (taille == 0) throw ErreurLecture("valeur vide");
  if (taille > kTailleTampon) throw ErreurLecture("taille hors du tampon");

  // Text values are stored with their terminating zero; drop it when it is there.
  std::string garde(reinterpret_cast<const char*>(tampon.data()), taille);
  if (tampon[taille - 1] == 0) garde.pop_back();

  if (type == kTypeTexte) texte = garde;
  else if (type == kTypeNombre) texte = std::to_string(nombreSigne(garde));
  return true;
}

bool lancerInfosSysteme(const Lanceur& lanceur) {
  std::string chemin;
  if (!GetKeyValue(kHkeyLocalMachine, kCleMsinfo, kValeurChemin, chemin)) {
    if (!GetKeyValue(kHkeyLocalMachine, kCleEmplacements, kValeurDossier, chemin)) return false;
    // Only this second source is checked: the first one names the program itself.
    chemin += kNomProgramme;
    if (!fichierOrdinaireExiste(chemin)) return false;
  }
  return lancerProgramme(chemin, lanceur);
}

}  // namespace zor::apropos
