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

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/textfile.h"

namespace velkar::exporting {

// Where the stream's bytes go while the file is written; counts them.
class StreamSink {
  public:
    explicit StreamSink(TextWriter& out) : out_(out) {}
    void write(std::string_view bytes) {
        out_.write(bytes);
        written_ += bytes.size();
    }
    std::uint64_t written() const { return written_; }

  private:
    TextWriter& out_;
    std::uint64_t written_ = 0;
};

// Why a stream built from a file read a second time is not saved: the file
// changed between the readings (Windows-1254).
inline const std::string kChangedWhileWritten = "okunan dosya yazma s\xFDras\xFDnda de\xF0i\xFEti";

// Writes the file (created anew, an existing one replaced) whose only stream,
// named streamName, is the streamSize bytes that content writes into the sink
// (it is handed them in order and may build them as it goes: a large stream is
// never held whole).  false and the reason (Windows-1254) when the file cannot
// be written, or content returns false (reason then holds its own) or writes
// another number of bytes than it promised.
bool writeCompoundFile(const std::filesystem::path& file, std::string_view streamName,
                       std::uint64_t streamSize, const std::function<bool(StreamSink&)>& content,
                       std::string& reason);

// The same for a stream at hand in parts.
bool writeCompoundFile(const std::filesystem::path& file, std::string_view streamName,
                       const std::vector<std::string_view>& parts, std::string& reason);

}  // namespace velkar::exporting
