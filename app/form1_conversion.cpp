// "Rechercher Fichier": one conversion run. The run itself (reader, counter, sentences,
// interchange file) lives in convert/; here are only the window's steps around it.
#include <string>

#include "app/form1.h"
#include "convert/conversion.h"
#include "platform/chemins.h"
#include "platform/drive_c.h"

namespace zor::app {

void Form1::preparerConversion() {
  nombre1.Visible(false);
  Typef.Visible(false);
  nom.Visible(false);
  fenetre.Visible(true);
  lire.Visible(false);
  result.Caption(" ");
}

void Form1::ouvrir_Click() {
  preparerConversion();
  const conversion::FormatEntree* format = conversion::formatSelonTexte(nom.Text());
  if (format != nullptr && format->filtreSeul) ouverture.Filter = std::string(format->filtre);

  // Whatever the dialog does, even when the user cancels, the run goes on with its FileName.
  try {
    ouverture.ShowOpen(services_.ouverture);
  } catch (...) {
  }

  // The run's echo is shown once at its end: nothing repaints while it runs anyway, and one
  // caption change costs far less than one per sentence.
  std::string echo;
  long long nombreLu = 0;
  bool echec = false;
  try {
    conversion::Demande demande;
    demande.format = format;
    demande.mode = profil.Value() ? conversion::Mode::Profil : conversion::Mode::Waypoint;
    nombreLu = conversion::convertirFichier(platform::cheminDepuisUtf8(ouverture.FileName),
                                            platform::cheminLocal(ecriture.FileName), demande, &echo)
                   .enregistrements;
  } catch (...) {
    // The failure path says nothing; every file of the run is already closed.
    echec = true;
  }
  afficherEcho(std::move(echo));
  if (echec) return;
  finConversion(nombreLu);
}

void Form1::afficherEcho(std::string echo) {
  if (fenetre.octets().empty())
    fenetre.definirOctets(std::move(echo));
  else
    fenetre.ajouterOctets(echo);
}

void Form1::finConversion(long long nombreLu) {
  ecrire.Visible(true);
  nombre.Visible(true);
  quant1.Visible(true);
  quant1.Caption(std::to_string(nombreLu));
  if (nombreLu == 0) {
    Typef.Visible(true);
    nom.Visible(true);
    ouvrir.Visible(true);
    ecrire.Visible(false);
    quant1.Visible(false);
    fenetre.Visible(false);
    MsgBox(std::string(conversion::kMessageSansEnregistrement), Boutons::Ok, Icone::Question,
           std::string(conversion::kTitreSansEnregistrement));
  }
}

}  // namespace zor::app
