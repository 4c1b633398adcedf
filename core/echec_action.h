#pragma once
// What the user is told when an action stops on a failure that nothing below reported: the
// front ends call it from their last catch, around every handler they run.
#include <string>

namespace zor {

// Inside a catch block: the French sentence(s) for the exception being handled.
std::string decrireEchecEnCours();

}  // namespace zor
