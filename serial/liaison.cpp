#include "serial/liaison.h"

#include "serial/liaison_qt.h"

namespace zor::serie {

std::unique_ptr<Liaison> liaisonReelle() { return std::make_unique<LiaisonQt>(); }

}  // namespace zor::serie
