#pragma once
// The check a corrected MRN must pass before an erroneous archive row is
// moved to it.

#include <QString>

namespace qv {

// At least 18 characters; the number its first two characters form is at
// least 7 (declarations from 2007 on); characters 3-4 lie between "AA" and
// "ZZ" in text order; character 17 is "E" or "T".
bool MrnCorrettoValido(const QString& mrn);

} // namespace qv
