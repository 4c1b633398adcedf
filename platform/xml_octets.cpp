#include "platform/xml_octets.h"

namespace zor::platform {

bool OctetsXml::refuser(FauteXml faute, std::size_t position) {
  faute_ = faute;
  ligneFaute_ = ligne_;
  position_ = position;
  return false;
}

bool OctetsXml::examiner(std::string_view octets) {
  if (faute_ != FauteXml::Aucune) return false;
  for (std::size_t i = 0; i < octets.size(); ++i, ++vus_) {
    const auto o = static_cast<unsigned char>(octets[i]);
    if (utf8_ && suite_ > 0) {
      if ((o & 0xC0) != 0x80) return refuser(FauteXml::Syntaxe, i);
      point_ = (point_ << 6) | (o & 0x3F);
      if (--suite_ > 0) continue;
      if (point_ < minimum_ || point_ > 0x10FFFF || (point_ >= 0xD800 && point_ < 0xE000))
        return refuser(FauteXml::Syntaxe, i);
      // Only the byte order mark, at the very start, may come before the first markup.
      if (!balisage_ && !(point_ == 0xFEFF && vus_ == 2)) return refuser(FauteXml::Syntaxe, i);
      chevron_ = false;
      continue;
    }
    if (utf8_ && o >= 0x80) {
      if (o >= 0xC2 && o < 0xE0) suite_ = 1, point_ = o & 0x1Fu, minimum_ = 0x80;
      else if (o >= 0xE0 && o < 0xF0) suite_ = 2, point_ = o & 0x0Fu, minimum_ = 0x800;
      else if (o >= 0xF0 && o < 0xF5) suite_ = 3, point_ = o & 0x07u, minimum_ = 0x10000;
      else return refuser(FauteXml::Syntaxe, i);
      continue;
    }
    const bool blanc = o == ' ' || o == '\t' || o == '\r' || o == '\n';
    if (!balisage_ && !blanc) {
      if (o != '<') return refuser(FauteXml::Syntaxe, i);
      balisage_ = true;
    }
    // "<gpx": a start tag, where "<?", "<!" and "</" are not.
    if (chevron_ && o != '?' && o != '!' && o != '/' && !blanc) element_ = true;
    chevron_ = o == '<';
    if (o == '<') dansBalise_ = true, ligneBalise_ = ligne_;
    else if (o == '>') dansBalise_ = false;
    if (o == '\r' || (o == '\n' && !apresCr_)) ++ligne_;
    apresCr_ = o == '\r';
  }
  return true;
}

bool OctetsXml::terminer() {
  if (faute_ != FauteXml::Aucune) return false;
  if (suite_ > 0 || !element_) return refuser(FauteXml::FinPrematuree, 0);
  return true;
}

}  // namespace zor::platform
