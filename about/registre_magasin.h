#pragma once
// The stand-in registry store: a text file in the format regedit exports and imports.
//   REGEDIT4  or  Windows Registry Editor Version 5.00   (first line)
//   [HKEY_LOCAL_MACHINE\SOFTWARE\...]                    a key;  [-...] deletes a key
//   "name"="text"   @="text"                              text, with \\ and \" escapes
//   "name"=dword:00000105                                 32-bit number
//   "name"=hex:01,02   "name"=hex(2):43,00,...            bytes of any type, "\" continues a line
//   "name"=-                                              deletes a value;  ; comment
// A file that breaks any of these rules is refused as a whole: every lookup in it fails.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zor::apropos {

struct ValeurRegistre {
  std::uint32_t type = 0;
  // The bytes an ANSI program receives: text in Windows-1252, with its terminating zero when
  // it was stored with one.
  std::string octets;
};

struct MagasinRegistre {
  // Full key paths in upper case ("HKEY_LOCAL_MACHINE\SOFTWARE\..."), then value names in
  // upper case ("" for the default value), both in UTF-8: the registry ignores case in both.
  std::map<std::string, std::map<std::string, ValeurRegistre>> cles;

  // A key exists when it is written in the file or when one of its sub-keys is.
  bool cleExiste(std::string_view chemin) const;
  const ValeurRegistre* valeur(std::string_view chemin, std::string_view nom) const;
};

// nullopt when the text is not a registry export or one of its lines cannot be read.
// The text may be UTF-16 with its byte-order mark (as regedit writes version 5 files),
// UTF-8, or Windows-1252 (as REGEDIT4 files are).
std::optional<MagasinRegistre> lireMagasinRegistre(std::string_view contenu);

// Key and value names in upper case, as the store compares them (UTF-8; ASCII and Latin-1
// letters).
std::string majuscules(std::string_view utf8);

// nullopt also when the file cannot be read, is not a regular file, or is larger than any
// store (a megabyte).
std::optional<MagasinRegistre> chargerMagasinRegistre(const std::filesystem::path& fichier);

}  // namespace zor::apropos
