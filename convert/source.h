#pragma once
// Where a reader takes its bytes from: large consecutive blocks, never the whole file at once,
// so a reader's memory does not grow with the size of its input.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zor::conversion {

class Source {
 public:
  virtual ~Source() = default;
  // The next block of the input; empty at the end. Valid until the next call.
  virtual std::string_view lire() = 0;
  // The input's name for messages ("(entrée standard)"); empty when it has none.
  virtual std::string nom() const { return {}; }
};

// A file opened for reading as bytes. Opening or reading failures throw Echec (core/erreur.h);
// a signal that stops the program (Ctrl+C, platform/interruption.h) while the opening or a read
// waits (a FIFO, a silent pipe or terminal) throws it as an Interruption.
class SourceFichier : public Source {
 public:
  static constexpr std::size_t kTailleBloc = 1 << 20;

  // Any file the user names; or, `ordinaireSeulement`, one of the program's own fixed files
  // (c:\$_t_e_m_p): a pipe, a device or a link another user planted is refused without waiting.
  explicit SourceFichier(const std::filesystem::path& chemin, bool ordinaireSeulement = false,
                         std::size_t tailleBloc = kTailleBloc);
  // A stream the caller owns (the standard input).
  SourceFichier(std::FILE* flux, std::string nom);
  ~SourceFichier() override;
  SourceFichier(const SourceFichier&) = delete;
  SourceFichier& operator=(const SourceFichier&) = delete;

  std::string_view lire() override;
  std::string nom() const override { return nom_; }
  // A regular file, which can be read again from its start (rembobiner); a pipe, a terminal or
  // a device is read once.
  bool relisible() const { return relisible_; }
  void rembobiner();

 private:
  std::FILE* fichier_ = nullptr;
  bool possede_ = true;
  bool relisible_ = false;
  bool fin_ = false;
  std::string nom_;
  std::vector<char> tampon_;
};

// Bytes already in memory, handed out in blocks of a chosen size (tests and fuzzers use small
// blocks to put block edges everywhere).
class SourceMemoire : public Source {
 public:
  explicit SourceMemoire(std::string_view octets, std::size_t tailleBloc = SourceFichier::kTailleBloc)
      : reste_(octets), tailleBloc_(tailleBloc == 0 ? 1 : tailleBloc) {}
  std::string_view lire() override;

 private:
  std::string_view reste_;
  std::size_t tailleBloc_;
};

}  // namespace zor::conversion
