#pragma once
// Where the interchange lines go: a large buffer emptied into a file (or a standard stream)
// in big writes. Lines are kept whole: a run that fails in the middle of a line leaves only
// the complete lines behind it.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace zor::conversion {

class Sortie {
 public:
  static constexpr std::size_t kTailleTampon = 1 << 20;

  virtual ~Sortie() = default;

  void ecrire(std::string_view octets) {
    tampon_.append(octets);
    if (tampon_.size() >= seuil_) vider();
  }
  // The bytes written so far end a line: what follows can be given up without cutting a line.
  void finDeLigne() { finLigne_ = deverses_ + tampon_.size(); }

  // Hands every buffered byte over. Throws ErreurConversion when that fails.
  void vider();
  // After a failure: hands over the complete lines only, and never throws.
  void abandonner() noexcept;

  // Bytes handed over up to the end of the last complete line.
  unsigned long long octetsLignesCompletes() const { return finLigne_; }

 protected:
  // The buffer is handed over once it holds `seuil` bytes.
  explicit Sortie(std::size_t seuil = kTailleTampon) : seuil_(seuil) { tampon_.reserve(seuil + 128); }
  virtual void deverser(std::string_view octets) = 0;
  // Drops what was handed over beyond `taille` bytes, where that can be done.
  virtual void ramenerA(unsigned long long /*taille*/) noexcept {}

 private:
  std::size_t seuil_;
  std::string tampon_;
  unsigned long long finLigne_ = 0;
  unsigned long long deverses_ = 0;
};

// A file opened for writing, created or emptied; or a stream the caller owns (stdout).
class SortieFichier : public Sortie {
 public:
  explicit SortieFichier(const std::filesystem::path& chemin);
  SortieFichier(std::FILE* flux, std::string nom);
  ~SortieFichier() override;
  SortieFichier(const SortieFichier&) = delete;
  SortieFichier& operator=(const SortieFichier&) = delete;

  // Writes out the buffer and closes the file; throws when either fails.
  void fermer();

 protected:
  void deverser(std::string_view octets) override;
  void ramenerA(unsigned long long taille) noexcept override;

 private:
  std::FILE* fichier_ = nullptr;
  bool possede_ = false;
  std::filesystem::path chemin_;
  std::string nom_;
};

// Collects everything in memory (tests, fuzzers).
class SortieMemoire : public Sortie {
 public:
  explicit SortieMemoire(std::size_t seuil = 4096) : Sortie(seuil) {}
  const std::string& octets() const { return octets_; }

 protected:
  void deverser(std::string_view octets) override { octets_.append(octets); }
  void ramenerA(unsigned long long taille) noexcept override {
    if (taille < octets_.size()) octets_.resize(static_cast<std::size_t>(taille));
  }

 private:
  std::string octets_;
};

}  // namespace zor::conversion
