#include "win32/dialogue_ouverture.h"

#include <commdlg.h>

#include <vector>

#include "win32/texte.h"

namespace zor::win32 {

std::wstring filtreWin32(const std::vector<app::Filtre>& filtres) {
  std::wstring filtre;
  for (const app::Filtre& f : filtres) {
    filtre += large(f.description);
    filtre += L'\0';
    filtre += large(f.motifs);
    filtre += L'\0';
  }
  filtre += L'\0';
  return filtre;
}

std::optional<std::string> afficherOuverture(const app::DemandeOuverture& demande, HWND proprietaire) {
  const std::wstring titre = large(demande.titre);
  const std::wstring filtre = filtreWin32(demande.filtres);
  const std::wstring extension = large(demande.extensionParDefaut);
  // Long paths fit: the dialog writes the chosen one into this buffer.
  std::vector<wchar_t> fichier(32768, L'\0');
  const std::wstring actuel = large(demande.fichierActuel);
  if (actuel.size() < fichier.size()) actuel.copy(fichier.data(), actuel.size());

  OPENFILENAMEW o{};
  o.lStructSize = sizeof o;
  o.hwndOwner = proprietaire;
  o.lpstrFilter = filtre.c_str();
  o.nFilterIndex = 1;
  o.lpstrFile = fichier.data();
  o.nMaxFile = static_cast<DWORD>(fichier.size());
  o.lpstrTitle = titre.c_str();
  o.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  o.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&o)) return std::nullopt;
  return utf8(fichier.data());
}

}  // namespace zor::win32
