#pragma once
// The two things the simulated receiver does: take sentences from the program (upload), or
// send its waypoint records until the program answers with the character 26 (download).
#include <string>
#include <vector>

#include "serial/brut.h"
#include "sim/terminal.h"

namespace zor::sim {

struct OptionsReception {
  bool tsv = false;  // one tab-separated line per event, for scripts
};

struct OptionsEmission {
  std::vector<std::string> enregistrements;  // sent each followed by CR LF
  std::string bruit;                         // sent once before the first record
  int cycles = 0;                            // 0: until the program answers
  int bauds = 4800;                          // 0: as fast as the program reads
  int attenteMs = 300;                       // after the program opens the port
  bool eof = false;                          // send 26 after the last cycle
  bool immediat = false;                     // do not wait for the program to open the port
  // A recording to play back once, each piece at its time, in place of the records.
  std::vector<serie::Arrivee> rejeu;
};

int recevoir(Terminal& terminal, const OptionsReception& options);
int emettre(Terminal& terminal, const OptionsEmission& options);

// What the receiver thinks of one sentence (without its line end): checksum right or not.
std::string verdictPhrase(const std::string& phrase);

}  // namespace zor::sim
