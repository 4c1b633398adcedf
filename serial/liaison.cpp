#include "serial/liaison.h"

#include "serial/liaison_qt.h"

namespace zor::serie {
namespace {
std::function<std::unique_ptr<Liaison>()>& fabriqueInstallee() {
  static std::function<std::unique_ptr<Liaison>()> f;
  return f;
}
}  // namespace

std::unique_ptr<Liaison> fabriquerLiaison() {
  if (fabriqueInstallee()) return fabriqueInstallee()();
  return std::make_unique<LiaisonQt>();
}

void remplacerFabriqueLiaison(std::function<std::unique_ptr<Liaison>()> fabrique) {
  fabriqueInstallee() = std::move(fabrique);
}

}  // namespace zor::serie
