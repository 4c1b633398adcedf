#include "core/echec_action.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "core/erreur.h"

namespace zor {

std::string decrireEchecEnCours() {
  try {
    throw;
  } catch (const Echec& e) {
    return decrire(e.erreur());
  } catch (const std::bad_alloc&) {
    return decrire(erreurFichier(Erreur::Genre::MemoireInsuffisante, {}, 0));
  } catch (...) {
    return "L'action en cours n'a pas pu aboutir et a été abandonnée.\nVous pouvez continuer ou recommencer.";
  }
}

}  // namespace zor
