#pragma once
// Text written on Linux ends its lines with a lone LF, which the receiver's PC tools (and so
// the window) do not take as a line end: the whole file is one line. zor-cli's upload and
// conversion tell it the same way and read it the same way with --lf.
#include <string>
#include <string_view>

#include "convert/lignes.h"
#include "convert/source.h"

namespace zor::conversion {

// zor-cli's --lf: a lone LF ends a line too; without it, CR LF or a lone CR, as in the window.
constexpr FinDeLigne finDeLigneSelonOption(bool lf) { return lf ? FinDeLigne::CrOuLf : FinDeLigne::Cr; }

// Watches the line ends of what passes through: whether there were LF and no CR at all.
class FinsDeLigneVues : public Source {
 public:
  explicit FinsDeLigneVues(Source& source) : source_(source) {}
  std::string_view lire() override {
    const std::string_view bloc = source_.lire();
    cr_ = cr_ || bloc.find('\r') != std::string_view::npos;
    lf_ = lf_ || bloc.find('\n') != std::string_view::npos;
    return bloc;
  }
  std::string nom() const override { return source_.nom(); }
  bool seulementLF() const { return lf_ && !cr_; }

 private:
  Source& source_;
  bool cr_ = false, lf_ = false;
};

// The warning for a text of LF line ends read without --lf, naming it as the user knows it.
std::string avertissementSeulementLF(std::string_view nom);

}  // namespace zor::conversion
