#pragma once
// The standard streams and file identity, as zor-cli needs them on every system.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace zor::platform {

// Both names lead to the same regular file (same device and inode); false when either is missing.
bool memeFichier(const std::filesystem::path& a, const std::filesystem::path& b);
// `chemin` is the regular file that `flux` reads or writes (zor-cli convert F > F, >> F, - -o F < F).
bool memeFichierQueFlux(const std::filesystem::path& chemin, std::FILE* flux);

// Both streams are the same regular file (zor-cli convert - < F >> F).
bool memesFlux(std::FILE* a, std::FILE* b);

// Takes the file of `flux` (the standard output) for this program alone for as long as the
// process lives: false when another program holds it. Nothing to take (not a regular file) is
// no failure. A file written by name takes its own (platform/ecriture.h).
class VerrouEcriture {
 public:
  explicit VerrouEcriture(std::FILE* flux);
  VerrouEcriture(const VerrouEcriture&) = delete;
  VerrouEcriture& operator=(const VerrouEcriture&) = delete;
  bool pris() const { return pris_; }

 private:
  bool pris_ = true;
};

// Where the next byte written to `flux` lands in its file, when it is a regular file.
std::optional<std::uint64_t> positionEcriture(std::FILE* flux);
// Cuts the file of `flux` back to `taille` bytes; false when it cannot be done.
bool tronquer(std::FILE* flux, std::uint64_t taille);

// A file too large for `ulimit -f` is a write error (EFBIG), not the end of the process.
void ignorerLimiteTailleFichier();
// A reader of the standard output that has gone ("zor-cli download | head") is a write error
// (EPIPE), not the end of the process: what was received can still be kept.
void ignorerTubeCoupe();

}  // namespace zor::platform
