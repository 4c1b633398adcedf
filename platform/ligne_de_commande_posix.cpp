// The arguments on the POSIX systems: argv's bytes, which the paths take as they are.
#include "platform/ligne_de_commande.h"

namespace zor::platform {

std::vector<std::string> argumentsUtf8(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace zor::platform
