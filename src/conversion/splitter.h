// Splitting a raw line into separated fields.
#pragma once

#include <string>

#include "conversion/record.h"

namespace velkar::conversion {

// SATIR_AYIR: removes the leading blanks of line (stored back) and splits it
// at commas, blanks and TABs into fields; a run of separators counts as one,
// a trailing separator leaves an empty last field.  The table is emptied
// first, so no field of an earlier line survives; fields past index 50 are
// dropped.  state is the after-a-separator state (1 after a separator, 0
// after any other character): a split starts from the value it holds and
// leaves the final one in it.  The decoders pass the record's YAZ_DURUMU, so
// a split line is never written unless its record raises the flag again.
void SATIR_AYIR(std::string& line, Fields& fields, int& state);

}  // namespace velkar::conversion
