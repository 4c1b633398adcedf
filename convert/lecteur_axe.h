#pragma once
// Autoroute Express 2001 files (*.axe): a "MASM" marker, a one-byte record count 12 bytes
// after it, and waypoint records from 60 bytes after it, each 121 + 3·n bytes long.
//
// The reader never reads past the end of the file:
//  - no marker, or a file that ends before the record count: 0 records;
//  - a record whose coordinates, length byte or name lie past the end: the records before it
//    are kept and the walk stops there (a count larger than the records present is the usual
//    case of this).
// A record is taken once its 15 bytes (coordinates, length byte, name) are present; the bytes
// after the name are never needed.
#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

void lireAutorouteExpress(Source& source, Redaction& redaction);

// The start of a file is an Autoroute Express file's: it holds the marker, and it is no text
// (a byte of 0, which no text file of waypoints holds; the records' numbers are full of them).
bool estAutorouteExpress(std::string_view debut);

}  // namespace zor::conversion
