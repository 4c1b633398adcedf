#pragma once
// The system-information launcher of the about box: support asks users to start the system's
// information program, which the registry locates (about/recherche_infos.h).
#include <QString>

#include "about/recherche_infos.h"
#include "platform/messages.h"

namespace zor::apropos {

inline const QString kMessageInfosIndisponibles =
    QStringLiteral("Les informations système ne sont pas disponibles actuellement");

// Finds the system-information program through the registry and starts it; any failure
// ends in the one message kMessageInfosIndisponibles.
void StartSysInfo(const platform::Repondeur& messages = {}, const platform::Lanceur& lanceur = {});

}  // namespace zor::apropos
