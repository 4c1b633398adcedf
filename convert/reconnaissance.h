#pragma once
// A file's format from its content, where the content says it (GPX, Autoroute Express): its
// first bytes are read, then handed over again to the reader, so that a pipe read once is
// converted whole.
#include <string>
#include <string_view>

#include "convert/formats.h"
#include "convert/source.h"

namespace zor::conversion {

class SourceRelue : public Source {
 public:
  explicit SourceRelue(Source& source) : source_(source) {}
  // The first `taille` bytes of the source (all of it when shorter), read once.
  std::string_view debut(std::size_t taille);
  // The bytes `debut` read, then the rest of the source.
  std::string_view lire() override;
  std::string nom() const override { return source_.nom(); }

 private:
  Source& source_;
  std::string debut_;
  bool rendu_ = false;  // debut_ has been handed over
  bool fin_ = false;    // the source has ended: it is not asked again (a terminal would wait)
};

inline constexpr std::size_t kTailleReconnaissance = std::size_t{1} << 20;

// The format whose content the first bytes of `source` are (kTailleReconnaissance bytes at
// most are looked at); nullptr when none says (a text file, or anything else).
const FormatEntree* formatSelonContenu(SourceRelue& source);

}  // namespace zor::conversion
