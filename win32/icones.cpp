#include "win32/icones.h"

#include "win32/ressources.h"

namespace zor::win32 {
namespace {

int ressource(Image image) {
  switch (image) {
    case Image::Ok: return ZOR_ICONE_OK;
    case Image::Ouvrir: return ZOR_ICONE_OUVRIR;
    case Image::Ecrire: return ZOR_ICONE_ECRIRE;
    case Image::Lire: return ZOR_ICONE_LIRE;
    case Image::Sortie: return ZOR_ICONE_SORTIE;
    case Image::Fenetre: return ZOR_ICONE_FENETRE;
    case Image::APropos: return ZOR_ICONE_APROPOS;
    case Image::Aucune: break;
  }
  return 0;
}

}  // namespace

Icones::~Icones() {
  for (auto& [cle, icone] : faites_) DestroyIcon(icone);
}

HICON Icones::icone(Image image, int cote96, int ppp) {
  const int id = ressource(image);
  if (id == 0) return nullptr;
  const int c = cote(cote96, ppp);
  if (auto it = faites_.find({image, c}); it != faites_.end()) return it->second;
  // The files hold 16, 24, 32 and 48 pixels: the system takes the nearest and scales it.
  auto* icone = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, c, c, LR_DEFAULTCOLOR));
  faites_[{image, c}] = icone;
  return icone;
}

}  // namespace zor::win32
