#pragma once
// Where the interchange lines go: a large buffer emptied into a file (or a standard stream)
// in big writes. Lines are kept whole: a run that fails in the middle of a line leaves only
// the complete lines behind it.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ecriture.h"

namespace zor::conversion {

class Sortie {
 public:
  static constexpr std::size_t kTailleTampon = 1 << 20;

  virtual ~Sortie() = default;

  void ecrire(std::string_view octets) {
    if (octets.empty()) return;
    std::memcpy(place(octets.size()), octets.data(), octets.size());
    valider(octets.size());
  }
  // Room for `n` bytes at the end of the buffer; write them there, then valider(n).
  char* place(std::size_t n) {
    if (n > tampon_.size() - taille_) agrandir(n);
    return tampon_.data() + taille_;
  }
  void valider(std::size_t n) {
    taille_ += n;
    if (taille_ >= seuil_) vider();
  }
  // The bytes written so far end a line: what follows can be given up without cutting a line.
  void finDeLigne() { finLigne_ = deverses_ + taille_; }

  // Hands every buffered byte over. Throws Echec when that fails.
  void vider();
  // The bytes handed over and kept (after abandonner(): the whole lines the output holds).
  unsigned long long octetsGardes() const { return deverses_; }
  // After a failure: hands over the complete lines only, and never throws.
  void abandonner() noexcept;

 protected:
  // The buffer is handed over once it holds `seuil` bytes.
  explicit Sortie(std::size_t seuil = kTailleTampon) : seuil_(seuil), tampon_(seuil + 256) {}
  virtual void deverser(std::string_view octets) = 0;
  // Before deverser throws: how many of its bytes went out all the same.
  void noterPartiel(std::size_t octets) { partiel_ = octets; }
  // Drops what was handed over beyond `taille` bytes, where that can be done.
  virtual void ramenerA(unsigned long long /*taille*/) noexcept {}

 private:
  void agrandir(std::size_t n);
  void garderLignesEntieres() noexcept;

  std::size_t seuil_;
  std::vector<char> tampon_;
  std::size_t taille_ = 0;
  unsigned long long finLigne_ = 0;
  unsigned long long deverses_ = 0;
  unsigned long long finLigneDeversee_ = 0;  // the last line end known to be handed over whole
  std::size_t partiel_ = 0;                  // bytes of a refused hand-over that went out
  bool echoue_ = false;                      // a hand-over was refused: nothing more is tried
};

// The interchange file, emptied and written where it is (created when missing); or a stream
// the caller owns (stdout, the file beside a file zor-cli replaces).
class SortieFichier : public Sortie {
 public:
  // Only a regular file will do, reached through no link another user planted, and written by
  // no other program at the same time (platform/ecriture.h): else Echec, the file untouched.
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
  std::unique_ptr<platform::Ecriture> possede_;  // the file opened by name
  std::string nom_;
  std::optional<unsigned long long> debut_;  // where this output starts in its file, if it is one
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
