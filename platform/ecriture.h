#pragma once
// The files the program writes for the user (zor-cli's -o and --brut, c:\zor.txt, c:\$_t_e_m_p)
// and the one it reads back (c:\$_t_e_m_p), opened so that nothing another user put in a folder
// they may write too makes the program write where it should not or wait for ever, and so that
// two writers never mix their texts.
//
// - In a folder others may write (world- or group-writable: /tmp, a shared folder), a symbolic
//   link is followed only when this user, root or the folder's owner made it, as the kernel
//   does in sticky world-writable folders (protected_symlinks), here for both kinds of folder.
//   Any other link leads to the file it names, and that file is the one written (a link stays
//   a link). Windows has no such links to follow.
// - What stands at the place is looked at before it is opened, and opened without waiting: a
//   pipe (FIFO) waits for its reader `attenteTube` at most, a signal (Ctrl+C) ends the wait,
//   and where only a regular file will do, a pipe or a device is refused at once.
// - A regular file is held for this program alone (flock) while it is written: a second writer
//   is refused, into a new file too (which is made empty at once, and taken away again when
//   nothing is written).
//
// Failures come back as an Erreur with its kind, the system's number and its detail; the caller
// names the file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/erreur.h"

namespace zor::platform {

struct ReglesEcriture {
  enum class Maniere {
    Remplacer,  // the new content goes into a file beside, which takes the name at the end
    SurPlace,   // the file is emptied and written where it is
  };
  Maniere maniere = Maniere::Remplacer;
  // The program's own fixed files (c:\zor.txt, c:\$_t_e_m_p): anything but a regular file is
  // refused (SortieNonOrdinaire), without being opened.
  bool ordinaireSeulement = false;
  std::chrono::milliseconds attenteTube{0};
  // The content comes whole, through ecrireTout: where no file may be made beside it (the root
  // of C: on Windows) it is then rewritten where it is.
  bool dUnCoup = false;
};

class Ecriture {
 public:
  Ecriture() = default;
  ~Ecriture();  // abandonner()
  Ecriture(const Ecriture&) = delete;
  Ecriture& operator=(const Ecriture&) = delete;

  std::optional<Erreur> ouvrir(const std::filesystem::path& chemin, const ReglesEcriture& regles);
  // Where the bytes go: the file beside, the file itself (SurPlace), or the pipe or device.
  // nullptr before ouvrir, after terminer or abandonner, and for a content that only
  // ecrireTout can write.
  std::FILE* flux() const { return flux_; }
  // A pipe, a device, a terminal: written as it is, nothing replaced and nothing removed.
  bool special() const { return special_; }
  // Flushed (to the disk with `surLeDisque`) and closed; the file beside takes the name. 0, or
  // the errno of the step that failed (the file is then as it was, nothing left beside it).
  int terminer(bool surLeDisque = true);
  // The whole content, then terminer().
  int ecrireTout(std::string_view octets);
  // Nothing is written: the file beside goes, and so does a file this opening made. 0, or
  // the errno of a file that could not be taken away.
  int abandonner();

 private:
  void fermerTout() noexcept;
  std::optional<Erreur> ouvrirALaPlace(bool& recommencer);
  std::optional<Erreur> ouvrirSpecial(unsigned mode, bool& recommencer);
  // The system's side of terminer and ecrireTout: the file beside takes the file's name; the
  // whole content written where the file is, when no file could be made beside it. 0, or errno.
  int prendreLeNom();
  int reecrireSurPlace(std::string_view octets);

  ReglesEcriture regles_;
  std::filesystem::path chemin_;  // as given
  std::FILE* flux_ = nullptr;
  bool special_ = false;
  bool cree_ = false;      // this opening made the file, empty
  // Where the file is: the folder that holds it and its name there (POSIX), or its path.
  int dossier_ = -1;
  bool suivre_ = false;    // a link the rule allows, to a pipe or a device: opened through it
  std::string nom_;
  int verrou_ = -1;        // the file itself, held while the new content is written beside it
  std::filesystem::path temporaire_;
  int refusVoisin_ = 0;    // no file could be made beside it (why): rewritten at once
};

// A fixed file the program reads back (c:\$_t_e_m_p): only a regular file, through no link
// another user made in a folder others may write, opened without waiting. nullptr with `refus`
// (FichierIllisible, FichierNonOrdinaire, LienDUnAutre) on failure.
std::FILE* ouvrirLectureOrdinaire(const std::filesystem::path& chemin, std::optional<Erreur>& refus);

}  // namespace zor::platform
