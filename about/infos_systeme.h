#pragma once
// The system-information launcher of the about box: support asks users to start the system's
// information program, which the registry locates (about/recherche_infos.h).
#include <string_view>

#include "about/recherche_infos.h"
#include "ihm/message.h"

namespace zor::apropos {

inline constexpr std::string_view kMessageInfosIndisponibles =
    "Les informations système ne sont pas disponibles actuellement";

// Finds the system-information program through the registry and starts it; any failure
// ends in the one message kMessageInfosIndisponibles.
void StartSysInfo(const Repondeur& messages, const Lanceur& lanceur = {});

}  // namespace zor::apropos
