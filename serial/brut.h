#pragma once
// A recording of what a receiver sent, byte for byte with the time each piece arrived, so that
// a session with a real receiver can be replayed (zor-sim rejouer) and attached to a bug report.
//
// The file is text, one piece a line:
//   # zor-brut 1                         first line
//   # any comment
//   125.300<TAB>$PFX,..\r\n              milliseconds since the port opened, a tab, the bytes
// Bytes from 0x20 to 0x7E stand for themselves, except "\" written "\\"; every other byte is
// written \xHH (two upper-case hex digits), CR and LF included.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::serie {

inline constexpr std::string_view kEnteteBrut = "# zor-brut 1";

struct Arrivee {
  double millisecondes = 0;
  std::string octets;
};

// One line of the file for one arrival (without its line end).
std::string ligneBrute(const Arrivee& arrivee);
// A recording covers one session: its times are finite, never go back, and stay within a day.
inline constexpr double kDureeBrutMaxMs = 86400000;

// The arrivals of a recording; nothing when the text is not one, with why in `raison` (French).
std::optional<std::vector<Arrivee>> lireBrut(std::string_view texte, std::string* raison = nullptr);

}  // namespace zor::serie
