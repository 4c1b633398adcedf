#pragma once
// The interchange file read line by line as the upload reads it: a line ends at CR LF or at a
// lone CR, a lone LF is an ordinary character, the last line needs no line end. Empty lines
// are kept: each one still counts as a line read.
#include <string>
#include <string_view>
#include <vector>

namespace zor::serie {

std::vector<std::string> decouperLignes(std::string_view octets);

}  // namespace zor::serie
