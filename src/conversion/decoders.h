// The two total-station raw decoders.  Each decodes record.HAM_SATIR into the
// decoded observation record and shows its height warnings through dialogs
// (title "Hata Mesajı"); neither opens a file.
#pragma once

#include "conversion/record.h"
#include "platform/dialogs.h"

namespace velkar::conversion {

// GTS-210/220 family (GTS-210/220/6, GTS-230N, GPT-1000/2000, GPT-3000): fixed
// position records told apart by their record character, free-text items
// between "_" characters.
void HAMDATACOZ_210(DecodedRecord& r, Dialogs& dialogs);

// GTS-600/700: separated fields with a keyword first (STN, BKB, SS, FS, SD, HD).
void HAMDATACOZ_700(DecodedRecord& r, Dialogs& dialogs);

}  // namespace velkar::conversion
