#pragma once
// What the bytes of an XML document must already be before any element is read, checked as they
// pass, for a parser that lets them through (XmlLite, as wine has it and as some Windows have
// it): text in UTF-8 that is valid UTF-8, markup from the first character that is not a blank,
// an element somewhere before the end. Each fault is the one expat finds, on the same line:
// lines are counted from 1, a line ending at LF, CR LF or a lone CR.
#include <cstddef>
#include <string_view>

#include "platform/xml.h"

namespace zor::platform {

class OctetsXml {
 public:
  // `utf8`: the document's bytes are UTF-8 (false for a document recoded from an 8-bit code
  // page on its way in, whose every byte is a character).
  explicit OctetsXml(bool utf8 = true) : utf8_(utf8) {}

  // The next bytes of the document. A fault stops at the byte that causes it: faute() and
  // ligne() say what and where, position() how many bytes of `octets` came before it.
  bool examiner(std::string_view octets);
  // The document ends here: a character cut short, or no element at all, is a document that
  // stops too early (on its last line).
  bool terminer();

  FauteXml faute() const { return faute_; }
  long long ligne() const { return ligneFaute_; }
  std::size_t position() const { return position_; }
  // The line the bytes examined so far end on.
  long long ligneCourante() const { return ligne_; }
  // Whether they end inside markup ("<wpt lat=" with no ">" yet), and the line where it began:
  // a document cut there stops too early on that line.
  bool dansUneBalise() const { return dansBalise_; }
  long long ligneBalise() const { return ligneBalise_; }

 private:
  bool refuser(FauteXml faute, std::size_t position);

  bool utf8_;
  long long ligne_ = 1;
  bool apresCr_ = false;
  int suite_ = 0;             // continuation bytes still expected
  unsigned point_ = 0;        // the character being decoded
  unsigned minimum_ = 0;      // its smallest value in that many bytes (no overlong form)
  std::size_t vus_ = 0;       // bytes examined
  bool balisage_ = false;     // the first markup has come
  bool chevron_ = false;      // the last character was "<"
  bool element_ = false;      // an element's start tag has begun
  bool dansBalise_ = false;
  long long ligneBalise_ = 0;
  FauteXml faute_ = FauteXml::Aucune;
  long long ligneFaute_ = 0;
  std::size_t position_ = 0;
};

}  // namespace zor::platform
