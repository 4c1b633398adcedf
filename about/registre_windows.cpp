// The registry calls on Windows: HKEY_LOCAL_MACHINE itself, through advapi32.
#include "platform/windows_leger.h"

#include "about/registre.h"

namespace zor::apropos {
namespace {
HKEY versHkey(HandleCle cle) {
  if (cle == kHkeyLocalMachine) return HKEY_LOCAL_MACHINE;
  return reinterpret_cast<HKEY>(cle);
}
}  // namespace

long RegOpenKeyExA(HandleCle racine, const char* sousCle, std::uint32_t options, std::uint32_t acces, HandleCle* cle) {
  HKEY ouverte = nullptr;
  LONG r = ::RegOpenKeyExA(versHkey(racine), sousCle, options, acces, &ouverte);
  // The about box asks for the key-level write rights too, which a user without
  // administrator rights does not hold on HKEY_LOCAL_MACHINE; it only ever reads, so the
  // read rights are enough to let it find the program.
  if (r == ERROR_ACCESS_DENIED && (acces & ~static_cast<std::uint32_t>(KEY_READ)) != 0)
    r = ::RegOpenKeyExA(versHkey(racine), sousCle, options, acces & KEY_READ, &ouverte);
  if (r == ERROR_SUCCESS && cle != nullptr) *cle = reinterpret_cast<HandleCle>(ouverte);
  return r;
}

long RegQueryValueExA(HandleCle cle, const char* nomValeur, std::uint32_t* reserve, std::uint32_t* type,
                      unsigned char* donnees, std::uint32_t* taille) {
  DWORD t = 0;
  DWORD n = taille != nullptr ? *taille : 0;
  const LONG r = ::RegQueryValueExA(versHkey(cle), nomValeur, reinterpret_cast<LPDWORD>(reserve), &t, donnees,
                                    taille != nullptr ? &n : nullptr);
  if (type != nullptr) *type = t;
  if (taille != nullptr) *taille = n;
  return r;
}

long RegCloseKey(HandleCle cle) { return ::RegCloseKey(versHkey(cle)); }

}  // namespace zor::apropos
