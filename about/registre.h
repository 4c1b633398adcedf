#pragma once
// Reading the registry, with the three calls and the result codes of advapi32.
// On Windows they are the real HKEY_LOCAL_MACHINE. Elsewhere they read a stand-in store: a
// text file in the registry-export format named by $ZOR_REGISTRY (default
// /etc/zor/registry.reg), read afresh at every opening of a key. Values come back as Windows
// hands them to an ANSI program: their type and their raw bytes, text values in Windows-1252
// with the terminating zero they were stored with.
#include <cstdint>
#include <filesystem>

namespace zor::apropos {

using HandleCle = std::uintptr_t;

inline constexpr HandleCle kHkeyLocalMachine = 0x80000002u;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorBadKey = 1010;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Result 0: the key is open and `cle` holds its handle; anything else: failure.
long RegOpenKeyExA(HandleCle racine, const char* sousCle, std::uint32_t options, std::uint32_t acces,
                   HandleCle* cle);

// On entry `*taille` is the room in `donnees`. Result 0: `*type`, the data and their byte
// count in `*taille`. Data longer than the room: kErrorMoreData with the needed size in
// `*taille`. A null `donnees` only asks for the type and size.
long RegQueryValueExA(HandleCle cle, const char* nomValeur, std::uint32_t* reserve, std::uint32_t* type,
                      unsigned char* donnees, std::uint32_t* taille);

long RegCloseKey(HandleCle cle);

// Off Windows, the stand-in store file: $ZOR_REGISTRY, or /etc/zor/registry.reg when it is
// not set.
std::filesystem::path fichierRegistre();

}  // namespace zor::apropos
