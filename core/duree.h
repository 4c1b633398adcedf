#pragma once
// Durations as the messages write them.
#include <chrono>
#include <string>

namespace zor {

// "1 min 49 s", "42 s", "1 h 02 min".
std::string dureeEnFrancais(std::chrono::seconds duree);

}  // namespace zor
