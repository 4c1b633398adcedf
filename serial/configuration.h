#pragma once
// The user's zor.conf: an ini file of which only [ports] CommN=DEVICE counts. Read with a small
// bound, never blocking: a pipe, a device or a huge file in its place is refused, not waited on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::serie {

inline constexpr std::size_t kTailleConfigurationMax = 1 << 20;

struct ValeurConfiguration {
  bool fichierPresent = false;
  std::optional<std::string> valeur;  // the key's value, trimmed; nothing when absent or empty
  std::optional<Erreur> erreur;       // present but unreadable or malformed: every port is refused
};

// [ports] CommN of the file at `chemin`.
ValeurConfiguration lireConfiguration(const std::filesystem::path& chemin, int numero);

// The same on a text already read, which may start with the UTF-8 byte order mark some editors
// put there: nothing when it is malformed (a section without its "]", a line that is neither a
// comment, a section nor a "key=value"), with the first such line in `ligneFautive` (from 1).
std::optional<std::optional<std::string>> valeurIni(std::string_view texte, std::string_view section,
                                                    std::string_view cle, int* ligneFautive = nullptr);

}  // namespace zor::serie
