#pragma once
// Writing a file so that it holds either its old content or the whole new one, never a part:
// the new bytes go into a file beside it, which then takes its name.
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace zor::platform {

// 0 on success, else the system's error number of the failing step; on failure `chemin` is
// left as it was and nothing else remains. A file that existed keeps its permissions.
int remplacerContenu(const std::filesystem::path& chemin, std::string_view octets);

// The same for a content written in pieces, as it comes: the pieces go into a file beside
// `chemin` (flux()), which takes its name only at remplacer(). Destroyed before that, the file
// beside vanishes and `chemin` stays as it was.
class Remplacement {
 public:
  explicit Remplacement(const std::filesystem::path& chemin);
  ~Remplacement();
  Remplacement(const Remplacement&) = delete;
  Remplacement& operator=(const Remplacement&) = delete;

  // nullptr when the file beside could not be created; numero() then says why.
  std::FILE* flux() const { return flux_; }
  int numero() const { return numero_; }
  // Flushes (to the disk itself with `surLeDisque`), closes, and gives the new file the name:
  // 0, or the errno of the failing step (then nothing is left but `chemin` as it was).
  int remplacer(bool surLeDisque = true);

 private:
  std::filesystem::path chemin_, temporaire_;
  std::FILE* flux_ = nullptr;
  int numero_ = 0;
};

}  // namespace zor::platform
