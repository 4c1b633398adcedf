#pragma once
// Files opened by path with the C library. On Windows the path goes to the system in UTF-16,
// so a name the ANSI code page cannot spell still opens; elsewhere it goes as bytes.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace zor::platform {

// For reading as bytes. nullptr on failure, with errno set; a folder fails with EISDIR on
// every system (Windows would say EACCES). A FIFO waits for its writer until one comes or the
// user stops the program (errno EINTR then, see interruption.h).
std::FILE* ouvrirFichierLecture(const std::filesystem::path& chemin);

// For writing as bytes, created or emptied. nullptr on failure, with errno set.
std::FILE* ouvrirFichierEcriture(const std::filesystem::path& chemin);

// Whether an open file is a folder (some systems open one for reading and only fail at the
// first read).
bool estUnDossier(std::FILE* fichier);
// Whether an open file is a regular one (not a pipe, a terminal or a device).
bool estOrdinaire(std::FILE* fichier);

// The whole of a small regular file (a configuration, a store), never blocking: a FIFO, a
// device or a folder is refused, and so is a file larger than `tailleMax` bytes. Nothing on
// failure, with `numeroSysteme` set when given (EINVAL for what is not a regular file, EFBIG for
// a file too large).
std::optional<std::string> lireFichierBorne(const std::filesystem::path& chemin, std::size_t tailleMax,
                                            int* numeroSysteme = nullptr);

// Puts a standard stream into byte mode: on Windows a text stream would turn each LF into
// CR LF and stop reading at the first Ctrl-Z. Nothing to do elsewhere. False on failure.
bool fluxBinaire(std::FILE* flux);

}  // namespace zor::platform
