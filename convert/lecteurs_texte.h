#pragma once
// The two text inputs: the receiver's own format, whose "$" lines are copied unchanged, and the
// G7towin export, whose "W" lines are cut by fixed columns into new sentences. Each returns
// the number of records it took (also in the run's counter).
#include "convert/redaction.h"
#include "convert/source.h"

namespace zor::conversion {

long long lireZor(Source& source, Redaction& redaction);
long long lireG7towin(Source& source, Redaction& redaction);

}  // namespace zor::conversion
