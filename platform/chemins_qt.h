#pragma once
// Paths between the toolkit's texts and the system's: on Windows the system takes UTF-16, as
// QString holds it; elsewhere it takes the bytes of the locale's encoding (QFile's rule).
#include <QString>
#include <filesystem>

namespace zor::platform {

std::filesystem::path cheminDepuisQString(const QString& nom);
QString versQString(const std::filesystem::path& chemin);

}  // namespace zor::platform
