// A Compound File Binary container ("OLE2 structured storage") holding one
// stream, as an Excel 97-2003 workbook needs it: the stream "Workbook" beside
// the root storage.
//
// Layout written (version 3, 512-byte sectors, no mini stream):
//
//   header (512 bytes, holds the first 109 FAT sector numbers)
//   sectors 0 .. S-1      the stream, padded with zeros to whole sectors
//   sectors S .. S+D-1    DIFAT sectors (only when there are more than 109
//                         FAT sectors: 127 FAT sector numbers each, the last
//                         entry points to the next DIFAT sector)
//   sectors .. +F         FAT sectors (128 sector numbers each)
//   last sector           directory: Root Entry, "Workbook", two free entries
//
// A stream shorter than 4096 bytes would belong in the mini stream; instead the
// stream is padded with zeros to 4096 bytes, which a workbook reader ignores
// (it stops at the last EOF record).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velkar::exporting {

// Writes the file (created anew, an existing one replaced) whose only stream,
// named streamName, is the concatenation of parts.  false and the reason
// (Windows-1254) when the file cannot be written.
bool writeCompoundFile(const std::filesystem::path& file, std::string_view streamName,
                       const std::vector<std::string_view>& parts, std::string& reason);

}  // namespace velkar::exporting
