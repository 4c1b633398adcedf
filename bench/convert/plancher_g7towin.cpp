// The floor: the shortest honest C++ loop that turns a G7towin export into the same bytes as
// zor-cli convert --type g7towin (map profile mode). It knows its input is well formed and
// its lines short, so it does nothing but cut, checksum and write.
//   plancher_g7towin ENTREE SORTIE
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char kHex[] = "0123456789ABCDEF";
long compteur = 0;

// One line (without its line end) into `o`; returns the new end of the output.
char* ligne(const char* p, std::size_t longueur, char* o) {
  if (longueur < 42 || (p[0] != 'W' && p[0] != 'w')) return o;
  ++compteur;
  char* const debut = o;
  *o++ = '$';
  std::memcpy(o, "GPWPL,", 6), o += 6;
  std::memcpy(o, p + 20, 2), o += 2;
  std::memcpy(o, p + 23, 6), o += 6;
  *o++ = ',', *o++ = p[19], *o++ = ',';
  std::memcpy(o, p + 32, 3), o += 3;
  std::memcpy(o, p + 36, 6), o += 6;
  *o++ = ',', *o++ = p[31], *o++ = ',';
  std::memcpy(o, "PDC", 3), o += 3;
  char chiffres[20];
  int n = 0;
  for (long c = compteur; c > 0; c /= 10) chiffres[n++] = static_cast<char>('0' + c % 10);
  while (n < 3) chiffres[n++] = '0';
  while (n > 0) *o++ = chiffres[--n];
  *o++ = '0', *o++ = compteur == 1 ? 'C' : 'A';
  unsigned char somme = 0;
  for (const char* c = debut + 1; c < o; ++c) somme ^= static_cast<unsigned char>(*c);
  *o++ = '*', *o++ = kHex[somme >> 4], *o++ = kHex[somme & 15];
  std::memcpy(o, "\r\n\r\n", 4), o += 4;
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::FILE* in = std::fopen(argv[1], "rb");
  std::FILE* out = std::fopen(argv[2], "wb");
  if (in == nullptr || out == nullptr) return 2;
  constexpr std::size_t kBloc = 1 << 20;
  std::vector<char> entree(kBloc), sortie(2 * kBloc);
  std::size_t reste = 0;  // bytes of an unfinished line kept at the start of `entree`
  bool lfAIgnorer = false;
  for (;;) {
    const std::size_t lus = std::fread(entree.data() + reste, 1, entree.size() - reste, in);
    const bool finFichier = lus == 0;
    const char* p = entree.data();
    const char* const fin = p + reste + lus;
    if (lfAIgnorer && p < fin && *p == '\n') ++p;
    lfAIgnorer = false;
    char* o = sortie.data();
    while (p < fin) {
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(fin - p)));
      if (cr == nullptr && !finFichier) break;
      if (cr == nullptr) cr = fin;
      o = ligne(p, static_cast<std::size_t>(cr - p), o);
      p = cr + 1;
      if (p < fin && *p == '\n') ++p;
      else if (p == fin && cr != fin) lfAIgnorer = true;  // its LF may open the next block
    }
    std::fwrite(sortie.data(), 1, static_cast<std::size_t>(o - sortie.data()), out);
    if (finFichier) break;
    reste = static_cast<std::size_t>(fin - p);
    std::memmove(entree.data(), p, reste);
  }
  std::fclose(in);
  return std::fclose(out) == 0 ? 0 : 2;
}
