#pragma once
// The system-information launcher of the about box: support asks users to start the system's
// information program, which the registry locates.
#include <QString>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/messages.h"
#include "platform/registre.h"

namespace zor::apropos {

inline const QString kMessageInfosIndisponibles =
    QStringLiteral("Les informations système ne sont pas disponibles actuellement");

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
bool GetKeyValue(platform::HandleCle racine, std::string_view cheminCle, std::string_view nomValeur,
                 std::string& texte);

// Finds the system-information program through the registry and starts it; any failure
// ends in the one message kMessageInfosIndisponibles.
void StartSysInfo(const platform::Repondeur& messages = {});

}  // namespace zor::apropos
