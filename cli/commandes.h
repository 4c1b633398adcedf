#pragma once
// The sub-commands of zor-cli; each receives the arguments after its own name.
#include <string>
#include <vector>

#include "commande/options.h"
#include "commande/sortie_texte.h"

namespace zor::cli {

using Arguments = std::vector<std::string>;

// The command line shared with zor-sim.
using commande::analyser;
using commande::dire;
using commande::ecrireSortie;
using commande::Ligne;
using commande::lisible;
using commande::attenteEnSecondes;
using commande::kRefusAttente;
using commande::nombreDecimal;
using commande::nombreEntier;
using commande::Option;

int commandeConvert(const Arguments& arguments);
int commandeUpload(const Arguments& arguments);
int commandeDownload(const Arguments& arguments);
int commandePorts(const Arguments& arguments);

}  // namespace zor::cli
