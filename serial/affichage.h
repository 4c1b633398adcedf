#pragma once
// What a transfer shows while it runs: the window's labels `fenetre` and `result`, or the
// progress lines of zor-cli. Texts are bytes as they travel (Windows-1252).
#include <functional>
#include <string_view>

namespace zor::serie {

struct Affichage {
  std::function<void(std::string_view)> fenetre;
  std::function<void(int)> result;
};

}  // namespace zor::serie
