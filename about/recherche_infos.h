#pragma once
// How the about box finds the system's information program: two registry values read as the
// box expects them. No toolkit here: the Windows build checks it against a real registry.
#include <stdexcept>
#include <string>
#include <string_view>

#include "about/lancement.h"
#include "about/registre.h"

namespace zor::apropos {

// A value that cannot be read as the lookup expects (empty data): an error inside the
// lookup, which StartSysInfo turns into its message.
struct ErreurLecture : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads one value below `racine` (key opened with access mask 0x2003F, data into a buffer of
// 1024 bytes). Text (type 1) gives its characters without the terminating zero; a 32-bit
// number (type 4) its signed decimal form; any other type leaves `texte` as passed in. True
// for every type. False, with `texte` emptied, when the key cannot be opened or the value
// cannot be read (data longer than 1024 bytes included). Throws ErreurLecture for empty data.
bool GetKeyValue(HandleCle racine, std::string_view cheminCle, std::string_view nomValeur,
                 std::string& texte);

// Finds the program through the registry (the PATH value of Shared Tools\MSINFO as it is, else
// MSINFO32.EXE in the folder named by Shared Tools Location\MSINFO when that file exists) and
// starts it. True once started; false when the registry gives no usable program or the start
// fails. ErreurLecture passes through.
bool lancerInfosSysteme(const Lanceur& lanceur = {});

}  // namespace zor::apropos
