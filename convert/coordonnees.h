#pragma once
// Coordinates of an Autoroute Express record: a signed 32-bit value in units of 180/2^31 degree,
// written as whole degrees, minutes "00.000" and a hemisphere letter.
#include <cstdint>
#include <string>

namespace zor::conversion {

struct CoordonneeTexte {
  std::string degres;   // "000" for a longitude, "00" for a latitude (more digits if needed)
  std::string minutes;  // "00.000", always with "."
  char lettre;          // 'E'/'W' or 'N'/'S'; exactly 0 counts as west or south
};

enum class Axe { Longitude, Latitude };

CoordonneeTexte decoderCoordonnee(std::int32_t valeur, Axe axe);

// Minutes held in single precision, rounded to the thousandth from their exact value, a tie
// going away from zero; 60.000 stays as it is (nothing is carried into the degrees).
std::string formaterMinutes(float minutes);

}  // namespace zor::conversion
