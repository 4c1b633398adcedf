#pragma once
// Collecting the receiver's waypoints: the receiver repeats its records; the program drops
// everything up to the first CR, then reads 64 characters every 400 ms until the second
// record comes round again, and tells the receiver to stop with the character of code 26.
//
// The reads are cut from the received bytes, 64 by 64, whenever those bytes arrive: a receiver
// that pauses gives the same reads as a steady one. And the end is found in the bytes
// themselves: the record of the second read coming round again, wherever it falls (a stray
// byte shifts it off the 64-character grid; control characters other than CR and LF are left
// out of the comparison). For a steady receiver that is exactly the read whose first 62
// characters equal those of the second read.
//
// Every other stream would run until the last bound; the collection gives it up within seconds
// instead: bytes that are no text, position sentences, a line without end (examen_flux.h), or a
// list that comes round without its second record (one byte of it damaged or lost on the way:
// the records of the three reads after it came round, one after the other, one cycle later).
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "core/erreur.h"
#include "core/horloge.h"
#include "serial/mscomm.h"
#include "serial/suivi.h"

namespace zor::serie {

inline constexpr std::chrono::milliseconds kPauseEntrePassages{400};
inline constexpr std::chrono::seconds kSilenceMax{30};
inline constexpr int kLongueurLecture = 64;
inline constexpr std::size_t kLongueurEnregistrement = 62;
// Far above what a hand-held holds: a receiver that never comes back to its second record.
inline constexpr int kLecturesMax = 10000;

struct OptionsReception {
  ChoixPort port;                  // applied to the control before it opens
  std::chrono::milliseconds silenceMax = kSilenceMax;
  int lecturesMax = kLecturesMax;
  std::function<bool()> interrompu;  // asked between waits: the user wants to stop
  std::function<void()> veille;      // called along every wait and pause (the window paints)
  // The 400 ms pauses listen to the port instead of sleeping, so that a recording of the
  // session sees each byte when it arrives (nothing else changes).
  bool pausesALEcoute = false;
};

struct BilanReception {
  // The stored reads, joined, exactly as they came. When the collection fails (silence, the
  // bound, an interruption, a lost link, a stream that cannot end), everything received after
  // the first CR instead, the first read and the bytes not yet read included (those the device
  // still held when it failed too): nothing the receiver sent after the first CR is dropped.
  std::string collecte;
  int stockes = 0;       // how many reads were stored
  std::size_t avantFinDeLigne = 0;  // bytes received up to the first CR, which are dropped
  bool finDeLigne = false;          // the first CR came
  std::optional<Erreur> erreur;
};

// Sets up and opens the port, synchronises, collects and sends 26. The port is left open for
// the caller to close after writing the file, except after a port failure, when it is already
// closed. Silence, a line without CR, the bound on reads, a stream that cannot end and an
// interruption stop the collection with their error, keeping what was received, and 26 is
// still sent.
BilanReception recevoir(MSComm& port, Horloge& horloge, const OptionsReception& options, const Suivi& suivi);

}  // namespace zor::serie
