#pragma once
// What a transfer shows while it runs: the window's labels, or the progress lines of zor-cli.
// Texts are bytes as they travel (Windows-1252).
#include <functional>
#include <string_view>

namespace zor::serie {

struct Suivi {
  std::function<void(std::string_view)> element;  // the sentence sent / the record read; "" clears
  std::function<void(int)> compte;                // sentences sent / reads stored
};

}  // namespace zor::serie
