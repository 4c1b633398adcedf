#pragma once
// The stand-in registry store: a text file in the format regedit exports and imports.
//   REGEDIT4  or  Windows Registry Editor Version 5.00   (first line)
//   [HKEY_LOCAL_MACHINE\SOFTWARE\...]                    a key;  [-...] deletes a key
//   "name"="text"   @="text"                              text, with \\ and \" escapes
//   "name"=dword:00000105                                 32-bit number
//   "name"=hex:01,02   "name"=hex(2):43,00,...            bytes of any type, "\" continues a line
//   "name"=-                                              deletes a value;  ; comment
// A file that breaks any of these rules is refused as a whole: every lookup in it fails.
#include <QString>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zor::platform {

struct ValeurRegistre {
  std::uint32_t type = 0;
  // The bytes an ANSI program receives: text in Windows-1252, with its terminating zero when
  // it was stored with one.
  std::string octets;
};

struct MagasinRegistre {
  // Full key paths in upper case ("HKEY_LOCAL_MACHINE\SOFTWARE\..."), then value names in
  // upper case ("" for the default value): the registry ignores case in both.
  std::map<QString, std::map<QString, ValeurRegistre>> cles;

  // A key exists when it is written in the file or when one of its sub-keys is.
  bool cleExiste(const QString& chemin) const;
  const ValeurRegistre* valeur(const QString& chemin, const QString& nom) const;
};

// nullopt when the text is not a registry export or one of its lines cannot be read.
// The text may be UTF-16 with its byte-order mark (as regedit writes version 5 files),
// UTF-8, or Windows-1252 (as REGEDIT4 files are).
std::optional<MagasinRegistre> lireMagasinRegistre(std::string_view contenu);

// nullopt also when the file cannot be read.
std::optional<MagasinRegistre> chargerMagasinRegistre(const std::filesystem::path& fichier);

}  // namespace zor::platform
