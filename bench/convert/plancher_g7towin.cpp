// The floor: the shortest honest C++ loop that turns a G7towin export into the same bytes as
// zor-cli convert --type g7towin (map profile mode). It knows its input is well formed and
// small enough to read whole, so it does nothing but cut, checksum and write.
//   plancher_g7towin ENTREE SORTIE
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 2;
  std::string texte;
  std::vector<char> bloc(1 << 20);
  for (std::size_t n; (n = std::fread(bloc.data(), 1, bloc.size(), in)) > 0;) texte.append(bloc.data(), n);
  std::fclose(in);

  std::string sortie;
  sortie.reserve(texte.size() + texte.size() / 8);
  long compteur = 0;
  char corps[64];
  std::size_t debut = 0;
  while (debut < texte.size()) {
    std::size_t fin = texte.find('\r', debut);
    if (fin == std::string::npos) fin = texte.size();
    const char* l = texte.data() + debut;
    if (fin - debut >= 42 && (l[0] == 'W' || l[0] == 'w')) {
      ++compteur;
      const int n = std::snprintf(corps, sizeof corps, "GPWPL,%.2s%.6s,%c,%.3s%.6s,%c,PDC%03ld%s", l + 20, l + 23, l[19],
                                  l + 32, l + 36, l[31], compteur, compteur == 1 ? "0C" : "0A");
      unsigned char somme = 0;
      for (int k = 0; k < n; ++k) somme ^= static_cast<unsigned char>(corps[k]);
      char fin[8];
      std::snprintf(fin, sizeof fin, "*%02X\r\n\r\n", somme);
      sortie += '$';
      sortie.append(corps, static_cast<std::size_t>(n));
      sortie.append(fin, 7);
    }
    debut = fin + 1;
    if (debut < texte.size() && texte[debut] == '\n') ++debut;
  }
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) return 2;
  std::fwrite(sortie.data(), 1, sortie.size(), out);
  return std::fclose(out) == 0 ? 0 : 2;
}
