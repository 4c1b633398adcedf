#pragma once
// The real open-file dialog of the common dialog control.
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>

#include "app/common_dialog.h"

namespace zor::qt {

// The chosen path, or nothing for Cancel.
std::optional<std::string> afficherOuverture(const app::DemandeOuverture& demande, QWidget* parent = nullptr);

// The entries in the toolkit's form, "description (pattern)".
QStringList filtresQt(const std::vector<app::Filtre>& filtres);

}  // namespace zor::qt
