#pragma once
// Files hold Windows-1252 bytes; the screen wants Unicode. These are the only two crossings.
#include <QString>
#include <string>
#include <string_view>

namespace zor::platform {

QString depuisWindows1252(std::string_view octets);
// Characters that Windows-1252 cannot hold become '?', as the ANSI functions of Windows do.
std::string versWindows1252(const QString& texte);

}  // namespace zor::platform
