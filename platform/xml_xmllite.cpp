// The XML events from XmlLite, part of Windows since XP SP3. It is loaded when first needed:
// mingw-w64 ships its header but not always its import library. DTD processing is prohibited
// (XmlLite's default, set all the same) and no resolver is given, so no entity is ever
// expanded or fetched.
#include <windows.h>
#include <objidl.h>
#include <xmllite.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/windows1252.h"
#include "platform/xml.h"
#include "platform/xml_octets.h"

namespace zor::platform {

namespace {

void ajouterUtf16(std::string& s, const WCHAR* t, UINT n) {
  for (UINT i = 0; i < n; ++i) {
    char32_t c = t[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (t[++i] - 0xDC00);
    ajouterUtf8(s, c);
  }
}

enum class Transcodage { Aucun, Latin1, Windows1252 };

// XmlLite reads UTF-8 and UTF-16 by itself only; old GPX 1.0 files often say ISO-8859-1 and
// Windows programs windows-1252. Their declaration is rewritten to UTF-8 and their bytes are
// recoded on the way, as expat reads them on Linux.
Transcodage transcodage(std::string& declaration) {
  if (declaration.rfind("<?xml", 0) != 0) return Transcodage::Aucun;
  const std::size_t fin = declaration.find("?>");
  const std::size_t cle = declaration.find("encoding", 0);
  if (fin == std::string::npos || cle == std::string::npos || cle > fin) return Transcodage::Aucun;
  const std::size_t guillemet = declaration.find_first_of("\"'", cle);
  if (guillemet == std::string::npos || guillemet > fin) return Transcodage::Aucun;
  const std::size_t ferme = declaration.find(declaration[guillemet], guillemet + 1);
  if (ferme == std::string::npos || ferme > fin) return Transcodage::Aucun;
  std::string nom = declaration.substr(guillemet + 1, ferme - guillemet - 1);
  for (char& c : nom) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  Transcodage t = Transcodage::Aucun;
  if (nom == "iso-8859-1" || nom == "latin1" || nom == "iso_8859-1" || nom == "us-ascii") t = Transcodage::Latin1;
  if (nom == "windows-1252" || nom == "cp1252") t = Transcodage::Windows1252;
  if (t != Transcodage::Aucun) declaration.replace(guillemet + 1, ferme - guillemet - 1, "UTF-8");
  return t;
}

// A document in UTF-16 says so in its first two bytes (a byte order mark, or "<" and a zero).
bool utf16(std::string_view debut) {
  return debut.size() >= 2 && (debut.substr(0, 2) == "\xFF\xFE" || debut.substr(0, 2) == "\xFE\xFF" ||
                               debut[0] == '\0' || debut[1] == '\0');
}

// A parser that asks again and again for what the stream no longer has waits for a document's
// end that will not come (wine's XmlLite does so after an unclosed element).
constexpr int kLecturesApresFin = 16;

// The blocks of the caller, as the stream XmlLite reads. The bytes are checked on the way for
// what XmlLite lets through (xml_octets.h): the stream stops before a fault and then fails.
class FluxBlocs final : public ISequentialStream {
 public:
  explicit FluxBlocs(const std::function<std::string_view()>& blocSuivant) : blocSuivant_(blocSuivant) {}
  std::exception_ptr exception;
  // XmlLite reads a whole node (a tag with its attributes, a text) before it hands it over:
  // what it asked for since the last node is bounded, and refused beyond.
  std::size_t depuisDernierNoeud = 0;
  bool tropLong = false;
  bool bloque = false;  // asked for more, again and again, once the document had ended
  bool fauteRendue = false;  // the stream failed on a fault of the bytes

  const OctetsXml& octets() const { return octets_; }
  bool verifie() const { return verifie_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objet) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(ISequentialStream)) {
      *objet = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    *objet = nullptr;
    return E_NOINTERFACE;
  }
  // It lives on the caller's stack, longer than the reader that holds it.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE Read(void* destination, ULONG voulus, ULONG* lus) override {
    ULONG n = 0;
    if (depuisDernierNoeud > 2 * kTailleMaxXml) {
      tropLong = true;
      if (lus != nullptr) *lus = 0;
      return E_FAIL;
    }
    try {
      while (n < voulus && !fini_) {
        if (reste_.empty()) {
          remplir();
          continue;
        }
        const std::size_t pris = std::min<std::size_t>(reste_.size(), voulus - n);
        std::memcpy(static_cast<char*>(destination) + n, reste_.data(), pris);
        reste_.remove_prefix(pris);
        n += static_cast<ULONG>(pris);
      }
    } catch (...) {
      // Nothing may be thrown through the system's code: kept for the caller.
      exception = std::current_exception();
      if (lus != nullptr) *lus = 0;
      return E_FAIL;
    }
    if (n == 0 && fini_ && (octets_.faute() != FauteXml::Aucune || ++lecturesApresFin_ > kLecturesApresFin)) {
      bloque = octets_.faute() == FauteXml::Aucune;
      fauteRendue = !bloque;
      if (lus != nullptr) *lus = 0;
      return E_FAIL;
    }
    depuisDernierNoeud += n;
    if (lus != nullptr) *lus = n;
    return n == voulus ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

 private:
  void remplir() {
    if (coupe_) {
      fini_ = true;
      return;
    }
    std::string_view bloc = blocSuivant_();
    if (premier_) {
      // The declaration first, whole: at most a few hundred bytes, whatever the blocks.
      tampon_.append(bloc);
      if (!bloc.empty() && tampon_.find("?>") == std::string::npos && tampon_.size() < 512) return;
      premier_ = false;
      verifie_ = !utf16(tampon_);
      transcodage_ = transcodage(tampon_);
      octets_ = OctetsXml(transcodage_ == Transcodage::Aucun);
      const std::string brut(verifier(tampon_));
      // The whole document came in the first bytes.
      if (bloc.empty()) terminer();
      const std::size_t fin = transcodage_ == Transcodage::Aucun ? 0 : std::min(brut.find("?>") + 2, brut.size());
      tampon_ = brut.substr(0, fin) + recoder(std::string_view(brut).substr(fin));
      reste_ = tampon_;
      return;
    }
    if (bloc.empty()) {
      terminer();
      fini_ = true;
      return;
    }
    bloc = verifier(bloc);
    if (transcodage_ == Transcodage::Aucun) {
      reste_ = bloc;
    } else {
      tampon_ = recoder(bloc);
      reste_ = tampon_;
    }
  }

  // What XmlLite may see of `brut`: all of it, or the bytes before a fault.
  std::string_view verifier(std::string_view brut) {
    if (!verifie_ || coupe_ || octets_.examiner(brut)) return brut;
    coupe_ = true;
    return brut.substr(0, octets_.position());
  }
  void terminer() {
    if (verifie_ && !coupe_) octets_.terminer();
    coupe_ = true;
  }

  std::string recoder(std::string_view octets) const {
    if (transcodage_ == Transcodage::Aucun) return std::string(octets);
    std::string s;
    s.reserve(octets.size() + octets.size() / 8);
    for (const char c : octets) {
      const auto o = static_cast<unsigned char>(c);
      ajouterUtf8(s, transcodage_ == Transcodage::Windows1252 ? unicodeDeWindows1252(o) : char32_t{o});
    }
    return s;
  }

  const std::function<std::string_view()>& blocSuivant_;
  std::string_view reste_;
  std::string tampon_;
  bool premier_ = true;
  bool fini_ = false;
  bool coupe_ = false;  // nothing more is taken from the caller: the end, or a fault
  bool verifie_ = true;
  OctetsXml octets_;
  int lecturesApresFin_ = 0;
  Transcodage transcodage_ = Transcodage::Aucun;
  ULONG references_ = 1;
};

FauteXml faute(HRESULT hr) {
  switch (static_cast<unsigned long>(hr)) {
    case WC_E_DTDPROHIBITED:
    case WC_E_DECLDOCTYPE: return FauteXml::DtdRefusee;
    case WC_E_ELEMENTMATCH: return FauteXml::BalisesCroisees;
    case WC_E_XMLCHARACTER:
    case WC_E_NAMECHARACTER:
    case XML_E_INVALID_DECIMAL:
    case XML_E_INVALID_HEXIDECIMAL:
    case XML_E_INVALID_UNICODE: return FauteXml::Caractere;
    case MX_E_ENCODING:
    case MX_E_ENCODINGSWITCH:
    case MX_E_ENCODINGSIGNATURE:
    case WC_E_ENCNAME:
    case XML_E_INVALIDENCODING: return FauteXml::Encodage;
    case MX_E_INPUTEND: return FauteXml::FinPrematuree;
    case WC_E_UNDECLAREDENTITY: return FauteXml::EntiteInconnue;
    default: break;
  }
  const unsigned long code = static_cast<unsigned long>(hr);
  if (code >= 0xC00CEE00 && code < 0xC00CEE90) return FauteXml::Syntaxe;
  return FauteXml::Autre;
}

using CreerLecteur = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

CreerLecteur creerLecteur() {
  static const CreerLecteur creer = [] {
    HMODULE module = ::LoadLibraryW(L"xmllite.dll");
    return module == nullptr ? nullptr
                             : reinterpret_cast<CreerLecteur>(reinterpret_cast<void*>(::GetProcAddress(module, "CreateXmlReader")));
  }();
  return creer;
}

struct Liberer {
  void operator()(IUnknown* objet) const { objet->Release(); }
};

constexpr std::wstring_view kEspaceXmlns = L"http://www.w3.org/2000/xmlns/";

}  // namespace

ResultatXml analyserXml(const std::function<std::string_view()>& blocSuivant, EcouteXml& ecoute) {
  ResultatXml resultat;
  const CreerLecteur creer = creerLecteur();
  IXmlReader* brut = nullptr;
  if (creer == nullptr || FAILED(creer(__uuidof(IXmlReader), reinterpret_cast<void**>(&brut), nullptr)) || brut == nullptr) {
    resultat.faute = FauteXml::Autre;
    return resultat;
  }
  FluxBlocs flux(blocSuivant);
  {
    const std::unique_ptr<IXmlReader, Liberer> lecteur(brut);
    lecteur->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    lecteur->SetProperty(XmlReaderProperty_XmlResolver, 0);
    HRESULT hr = lecteur->SetInput(&flux);
    std::string espace, nom;
    std::vector<std::string> textes;
    std::vector<AttributXml> attributs;
    std::string texte;
    XmlNodeType type = XmlNodeType_None;
    bool racine = false;
    long long profondeur = 0;
    int blancsVides = 0;
    while (SUCCEEDED(hr) && (hr = lecteur->Read(&type)) == S_OK) {
      // Once the stream has failed, or the document has ended for good, nothing more counts.
      if (flux.fauteRendue || flux.bloque) break;
      flux.depuisDernierNoeud = 0;
      const WCHAR* t = nullptr;
      UINT n = 0;
      switch (type) {
        case XmlNodeType_Element: {
          const bool vide = lecteur->IsEmptyElement() != FALSE;
          UINT ligne = 0;
          lecteur->GetLineNumber(&ligne);
          espace.clear();
          nom.clear();
          if (SUCCEEDED(lecteur->GetNamespaceUri(&t, &n))) ajouterUtf16(espace, t, n);
          if (SUCCEEDED(lecteur->GetLocalName(&t, &n))) ajouterUtf16(nom, t, n);
          textes.clear();
          for (HRESULT a = lecteur->MoveToFirstAttribute(); a == S_OK; a = lecteur->MoveToNextAttribute()) {
            if (SUCCEEDED(lecteur->GetNamespaceUri(&t, &n)) && std::wstring_view(t, n) == kEspaceXmlns) continue;
            textes.emplace_back();
            if (SUCCEEDED(lecteur->GetLocalName(&t, &n))) ajouterUtf16(textes.back(), t, n);
            textes.emplace_back();
            if (SUCCEEDED(lecteur->GetValue(&t, &n))) ajouterUtf16(textes.back(), t, n);
          }
          attributs.clear();
          std::size_t tailleBalise = 0;
          for (std::size_t i = 0; i + 1 < textes.size(); i += 2) {
            attributs.push_back({textes[i], textes[i + 1]});
            tailleBalise += textes[i].size() + textes[i + 1].size();
          }
          if (tailleBalise > kTailleMaxXml) {
            flux.tropLong = true;
            hr = E_FAIL;
            break;
          }
          racine = true;
          if (!vide) ++profondeur;
          ecoute.debut(espace, nom, attributs, ligne);
          if (vide) ecoute.fin();
          break;
        }
        case XmlNodeType_EndElement:
          --profondeur;
          ecoute.fin();
          break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
          texte.clear();
          if (SUCCEEDED(lecteur->GetValue(&t, &n))) ajouterUtf16(texte, t, n);
          // Empty blanks, again and again: a parser that turns round at the end of the input.
          if (!texte.empty()) blancsVides = 0;
          else if (++blancsVides > kLecturesApresFin) flux.bloque = true;
          if (texte.size() > kTailleMaxXml) {
            flux.tropLong = true;
            hr = E_FAIL;
            break;
          }
          ecoute.texte(texte);
          break;
        case XmlNodeType_DocumentType:
          hr = static_cast<HRESULT>(WC_E_DTDPROHIBITED);
          break;
        default:
          break;
      }
    }
    if (flux.exception) std::rethrow_exception(flux.exception);
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    UINT ligne = 0;
    lecteur->GetLineNumber(&ligne);
    // The line the document ends on, counted on its bytes where they were checked.
    const long long derniere = flux.verifie() ? flux.octets().ligneCourante() : std::max<long long>(ligne, 1);
    // A fault of XmlLite's own, before the bytes it stopped at, comes first.
    if (flux.octets().faute() != FauteXml::Aucune && (flux.fauteRendue || SUCCEEDED(hr))) {
      resultat.faute = flux.octets().faute();
      resultat.ligne = flux.octets().faute() == FauteXml::FinPrematuree ? derniere : flux.octets().ligne();
    } else if (flux.tropLong) {
      resultat.faute = FauteXml::TropLong;
      resultat.ligne = std::max<UINT>(ligne, 1);
    } else if (flux.bloque || (SUCCEEDED(hr) && (!racine || profondeur > 0))) {
      // XmlLite may take a document that stops inside its root element for a whole one.
      resultat.faute = FauteXml::FinPrematuree;
      resultat.ligne = derniere;
    } else if (FAILED(hr) && flux.verifie() && flux.octets().dansUneBalise() &&
               static_cast<long long>(ligne) >= flux.octets().ligneBalise()) {
      // The input ends inside a tag, and that is where XmlLite stopped: a document cut short.
      resultat.faute = FauteXml::FinPrematuree;
      resultat.ligne = flux.octets().ligneBalise();
    } else if (FAILED(hr)) {
      resultat.faute = faute(hr);
      resultat.ligne = std::max<UINT>(ligne, 1);
    }
  }
  return resultat;
}

}  // namespace zor::platform
