// The XML events from expat. Expat never loads an external entity by itself (no handler is
// set for them); the document type declaration is refused as soon as it starts.
#include <expat.h>

#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "core/windows1252.h"
#include "platform/xml.h"

namespace zor::platform {

namespace {

constexpr char kSeparateur = '\x01';  // between a namespace and a local name

struct Etat {
  XML_Parser analyseur;
  EcouteXml& ecoute;
  std::exception_ptr exception;
  bool dtd = false;
  bool tropLong = false;
  std::vector<AttributXml> attributs;
  // Where the last event started, and the text handed over since an event of another kind:
  // expat keeps an unfinished tag whole in memory, so what it holds past the last event is
  // what the bound watches.
  long long dernierEvenement = 0;
  std::size_t texteContinu = 0;
  long long ligneTexte = 0;  // where a text too long was found
};

void evenement(Etat& e, bool texte = false) {
  e.dernierEvenement = static_cast<long long>(XML_GetCurrentByteIndex(e.analyseur));
  if (!texte) e.texteContinu = 0;
}

// "uri\x01nom" or "nom".
void separer(const XML_Char* complet, std::string_view& espace, std::string_view& nom) {
  const std::string_view s(complet);
  const std::size_t p = s.find(kSeparateur);
  espace = p == std::string_view::npos ? std::string_view() : s.substr(0, p);
  nom = p == std::string_view::npos ? s : s.substr(p + 1);
}

// Expat is C: nothing may be thrown through it. A failure is kept and the parse stopped.
template <class F>
void proteger(Etat& e, F&& f) {
  if (e.exception) return;
  try {
    f();
  } catch (...) {
    e.exception = std::current_exception();
    XML_StopParser(e.analyseur, XML_FALSE);
  }
}

void XMLCALL debutElement(void* donnees, const XML_Char* nom, const XML_Char** attributs) {
  Etat& e = *static_cast<Etat*>(donnees);
  evenement(e);
  proteger(e, [&] {
    e.attributs.clear();
    for (const XML_Char** a = attributs; a[0] != nullptr; a += 2) {
      std::string_view espace, local;
      separer(a[0], espace, local);
      e.attributs.push_back({local, a[1]});
    }
    std::string_view espace, local;
    separer(nom, espace, local);
    e.ecoute.debut(espace, local, e.attributs, static_cast<long long>(XML_GetCurrentLineNumber(e.analyseur)));
  });
}

void XMLCALL finElement(void* donnees, const XML_Char*) {
  Etat& e = *static_cast<Etat*>(donnees);
  evenement(e);
  proteger(e, [&] { e.ecoute.fin(); });
}

void XMLCALL texte(void* donnees, const XML_Char* s, int longueur) {
  Etat& e = *static_cast<Etat*>(donnees);
  evenement(e, true);
  e.texteContinu += static_cast<std::size_t>(longueur);
  if (e.texteContinu > kTailleMaxXml && !e.tropLong) {
    e.tropLong = true;
    e.ligneTexte = static_cast<long long>(XML_GetCurrentLineNumber(e.analyseur));
    XML_StopParser(e.analyseur, XML_FALSE);
    return;
  }
  proteger(e, [&] { e.ecoute.texte(std::string_view(s, static_cast<std::size_t>(longueur))); });
}

void XMLCALL autreEvenement(void* donnees, const XML_Char*) { evenement(*static_cast<Etat*>(donnees)); }
void XMLCALL instruction(void* donnees, const XML_Char*, const XML_Char*) { evenement(*static_cast<Etat*>(donnees)); }
void XMLCALL bordCdata(void* donnees) { evenement(*static_cast<Etat*>(donnees), true); }

void XMLCALL debutDoctype(void* donnees, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  Etat& e = *static_cast<Etat*>(donnees);
  e.dtd = true;
  XML_StopParser(e.analyseur, XML_FALSE);
}

// Files written on Windows may say so; expat knows UTF-8, UTF-16 and ISO-8859-1 only.
int XMLCALL encodageInconnu(void*, const XML_Char* nom, XML_Encoding* info) {
  std::string n(nom);
  for (char& c : n) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (n != "windows-1252" && n != "cp1252") return XML_STATUS_ERROR;
  for (int i = 0; i < 256; ++i) info->map[i] = unicodeDeWindows1252(static_cast<unsigned char>(i));
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

FauteXml faute(XML_Error code) {
  switch (code) {
    case XML_ERROR_TAG_MISMATCH: return FauteXml::BalisesCroisees;
    case XML_ERROR_BAD_CHAR_REF: return FauteXml::Caractere;
    case XML_ERROR_UNKNOWN_ENCODING:
    case XML_ERROR_INCORRECT_ENCODING: return FauteXml::Encodage;
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION: return FauteXml::FinPrematuree;
    case XML_ERROR_UNDEFINED_ENTITY: return FauteXml::EntiteInconnue;
    case XML_ERROR_INVALID_TOKEN:
    case XML_ERROR_SYNTAX:
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
    case XML_ERROR_MISPLACED_XML_PI:
    case XML_ERROR_UNBOUND_PREFIX:
    case XML_ERROR_XML_DECL: return FauteXml::Syntaxe;
    default: return FauteXml::Autre;
  }
}

}  // namespace

ResultatXml analyserXml(const std::function<std::string_view()>& blocSuivant, EcouteXml& ecoute) {
  XML_Parser analyseur = XML_ParserCreateNS(nullptr, kSeparateur);
  if (analyseur == nullptr) throw std::bad_alloc();
  Etat etat{analyseur, ecoute, nullptr, false, false, {}, 0, 0, 0};
  XML_SetUserData(analyseur, &etat);
  XML_SetElementHandler(analyseur, debutElement, finElement);
  XML_SetCharacterDataHandler(analyseur, texte);
  XML_SetStartDoctypeDeclHandler(analyseur, debutDoctype);
  XML_SetCommentHandler(analyseur, autreEvenement);
  XML_SetProcessingInstructionHandler(analyseur, instruction);
  XML_SetCdataSectionHandler(analyseur, bordCdata, bordCdata);
  XML_SetUnknownEncodingHandler(analyseur, encodageInconnu, nullptr);
  XML_SetParamEntityParsing(analyseur, XML_PARAM_ENTITY_PARSING_NEVER);

  ResultatXml resultat;
  try {
    long long lus = 0;
    for (;;) {
      const std::string_view bloc = blocSuivant();
      const bool dernier = bloc.empty();
      lus += static_cast<long long>(bloc.size());
      const XML_Status statut =
          XML_Parse(analyseur, bloc.data(), static_cast<int>(bloc.size()), dernier ? XML_TRUE : XML_FALSE);
      if (statut == XML_STATUS_OK && lus - etat.dernierEvenement > static_cast<long long>(kTailleMaxXml)) {
        // An unfinished tag, comment or declaration already larger than the bound; expat
        // stands at its start.
        resultat.faute = FauteXml::TropLong;
        resultat.ligne = static_cast<long long>(XML_GetCurrentLineNumber(analyseur));
        break;
      }
      if (statut != XML_STATUS_OK) {
        if (etat.exception) std::rethrow_exception(etat.exception);
        if (etat.tropLong) {
          resultat.faute = FauteXml::TropLong;
          resultat.ligne = etat.ligneTexte;
          break;
        }
        resultat.faute = etat.dtd ? FauteXml::DtdRefusee : faute(XML_GetErrorCode(analyseur));
        if (XML_GetErrorCode(analyseur) == XML_ERROR_NO_MEMORY) throw std::bad_alloc();
        resultat.ligne = static_cast<long long>(XML_GetCurrentLineNumber(analyseur));
        break;
      }
      if (dernier) break;
    }
  } catch (...) {
    XML_ParserFree(analyseur);
    throw;
  }
  XML_ParserFree(analyseur);
  return resultat;
}

}  // namespace zor::platform
