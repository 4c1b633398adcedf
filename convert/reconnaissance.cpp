#include "convert/reconnaissance.h"

namespace zor::conversion {

std::string_view SourceRelue::debut(std::size_t taille) {
  while (!fin_ && debut_.size() < taille) {
    const std::string_view bloc = source_.lire();
    fin_ = bloc.empty();
    debut_.append(bloc);
  }
  return debut_;
}

std::string_view SourceRelue::lire() {
  if (!rendu_ && !debut_.empty()) {
    rendu_ = true;
    return debut_;
  }
  if (rendu_) std::string().swap(debut_);
  if (fin_) return {};
  return source_.lire();
}

const FormatEntree* formatSelonContenu(SourceRelue& source) {
  const std::string_view debut = source.debut(kTailleReconnaissance);
  for (const FormatEntree& f : formatsCli())
    if (f.reconnaitre != nullptr && f.reconnaitre(debut)) return &f;
  return nullptr;
}

}  // namespace zor::conversion
