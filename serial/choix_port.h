#pragma once
// The port the user chose, read once from what they typed (the window's port list, zor-cli's
// --port) and applied once by the serial control (MSComm::choisir).
#include <optional>
#include <string>
#include <string_view>

namespace zor::serie {

struct ChoixPort {
  enum class Par { Liste, Option };  // the window's port list, or zor-cli's --port

  std::optional<int> numero;                // 1..4: Comm1..Comm4
  std::optional<std::string> peripherique;  // a device named directly
  // Neither: the control keeps the port it has.
  Par par = Par::Liste;
  std::string tape;  // as the user wrote it, to be named back: "Comm2", "2", "COM9"
};

// "Comm1" … "Comm4", compared exactly, case included; any other text chooses nothing.
std::optional<int> choixPort(std::string_view texteComm);

// A device typed into the port list: its absolute path ("/dev/ttyUSB0"), or on Windows its
// port name ("COM5", "\\.\COM12").
std::optional<std::string> peripheriqueTape(std::string_view texteComm);

// The window's port list: "Comm1" to "Comm4" exactly, or a device typed in; any other text
// chooses nothing.
ChoixPort choixDeLaListe(std::string_view texteComm);

// zor-cli's --port: 1 to 4 (the window's Comm1 to Comm4), else a device. A relative path that
// exists from the current folder ("./gps") is taken from there; any other text goes to the
// system as it is (a bare name is a device of /dev on Linux, COM5 on Windows). Sets `erreur`
// (in French) and chooses nothing for an empty text or a number out of range.
ChoixPort choixDeLOption(std::string_view valeur, std::string& erreur);

// How the user names the choice back in a sentence: "Comm2", "--port 2", "--port COM9".
std::string nomDuChoix(const ChoixPort& choix);

}  // namespace zor::serie
