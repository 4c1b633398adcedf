#pragma once
// The two text inputs: the receiver's own format, whose "$" lines are copied unchanged, and the
// G7towin export, whose "W" lines are cut by fixed columns into new sentences. Each counts
// its records in the run's counter; lines end as the run asks (CR LF or CR, a lone LF too
// with zor-cli --lf).
#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

void lireZor(Source& source, Redaction& redaction);
void lireG7towin(Source& source, Redaction& redaction);

}  // namespace zor::conversion
