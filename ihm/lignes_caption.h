#pragma once
// The lines of a caption held as bytes (the echo label: one sentence or record a line, millions
// of them), indexed once as they come so that a front end paints only the lines it shows and
// measures only the new ones. A line ends at LF; a CR before it is not part of the line.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

class LignesCaption {
 public:
  // The caption was replaced.
  void remplacer(const std::string& octets) {
    debuts_.clear();
    largeurMax_ = 0;
    indexer(octets, 0);
  }
  // Bytes were added at its end: returns the first line to measure again (the last line may
  // have gone on).
  std::size_t ajouter(const std::string& octets) {
    const std::size_t derniere = debuts_.empty() ? 0 : debuts_.size() - 1;
    const std::size_t depuis = debuts_.empty() ? 0 : debuts_.back();
    if (!debuts_.empty()) debuts_.pop_back();
    indexer(octets, depuis);
    return derniere;
  }

  std::size_t nombre() const { return debuts_.size(); }

  // The first `n` lines, as they are, with the line ends between them (what a window shows of
  // the caption, for a screen reader).
  std::string_view premieresLignes(const std::string& octets, std::size_t n) const {
    n = std::min(n, debuts_.size());
    if (n == 0) return {};
    const std::string_view derniere = ligne(octets, n - 1);
    return std::string_view(octets).substr(0, debuts_[n - 1] + derniere.size());
  }

  std::string_view ligne(const std::string& octets, std::size_t i) const {
    const std::size_t debut = debuts_[i];
    std::size_t fin = i + 1 < debuts_.size() ? debuts_[i + 1] : octets.size();
    if (fin > debut && octets[fin - 1] == '\n') --fin;
    if (fin > debut && octets[fin - 1] == '\r') --fin;
    return std::string_view(octets).substr(debut, fin - debut);
  }

  // The widest line so far, from the advance of each byte value; lines from `depuis` on are
  // measured (the others were).
  double mesurer(const std::string& octets, std::size_t depuis, const std::array<double, 256>& largeurs) {
    for (std::size_t i = depuis; i < debuts_.size(); ++i) {
      double largeur = 0;
      for (const unsigned char c : ligne(octets, i)) largeur += largeurs[c];
      largeurMax_ = std::max(largeurMax_, largeur);
    }
    return largeurMax_;
  }
  void oublierMesures() { largeurMax_ = 0; }

 private:
  void indexer(const std::string& o, std::size_t depuis) {
    if (o.empty()) return;
    debuts_.push_back(depuis);
    for (std::size_t i = o.find('\n', depuis); i != std::string::npos; i = o.find('\n', i + 1))
      if (i + 1 < o.size()) debuts_.push_back(i + 1);
  }

  std::vector<std::size_t> debuts_;  // where each line starts
  double largeurMax_ = 0;
};

}  // namespace zor
