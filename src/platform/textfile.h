// Text files as the program reads and writes them: Windows-1254 bytes, lines
// ended by CR LF.  Reading also accepts LF-only line ends, a lone CR, and a last
// line without a line end, and streams: only the current line is in memory.
//
// A file the user keeps is never written in place: it is written into a
// temporary file in its own folder, flushed to the disk and renamed over the
// final name, so the final name holds either the earlier file or the whole new
// one, whatever happens in between (a full disk, a kill, a pulled cable).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

namespace velkar {

// The reason of the last failed file operation, in words a user can act on.
std::string systemErrorText(int errnum);

class TextReader {
  public:
    // No instrument file comes near this; a longer "line" is some other kind of
    // file (or a file of NUL bytes) and would only eat memory.
    static constexpr std::size_t kLineLimit = std::size_t{12} << 20;
    // Lines up to this length are read in one pass (see readLine).
    static constexpr std::size_t kShortLine = std::size_t{64} << 10;

    TextReader() = default;
    explicit TextReader(const std::filesystem::path& path) { open(path); }
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Only a regular file opens: a FIFO or a device would block or never end.
    bool open(const std::filesystem::path& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // The next line without its line end; false at the end of the file, or when
    // the line is longer than the limit (then tooLong() is set).
    bool readLine(std::string& line);
    bool atEnd();
    void setLineLimit(std::size_t bytes) { limit_ = bytes; }
    bool tooLong() const { return tooLong_; }
    // For a reader that gathers many lines into one (a cross section's rows):
    // what it gathered up to the current line is over the limit.
    void markTooLong();
    // "PATH: N. satır çok uzun; ..." after a line over the limit.
    std::string tooLongText() const;
    const std::string& error() const { return error_; }
    // Bytes consumed so far and the file's size (for progress displays).
    std::uint64_t position() const { return position_; }
    std::uint64_t size() const { return size_; }

  private:
    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::string error_;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t lineNumber_ = 0;
    std::size_t limit_ = kLineLimit;
    bool tooLong_ = false;
};

class TextWriter {
  public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Creates the file anew (an existing one is emptied), or appends to it:
    // for the program's own work files.
    bool create(const std::filesystem::path& path);
    bool append(const std::filesystem::path& path);
    // For a file the user keeps: the bytes go to a temporary file beside path,
    // and close() puts them under path in one rename once they are on the
    // disk.  An existing path that is read-only or not a regular file is
    // refused.  A writer destroyed before close(), or whose writes failed,
    // removes its temporary file and leaves path as it was.
    bool replace(const std::filesystem::path& path);
    // Text followed by CR LF.
    void writeLine(std::string_view line);
    // Text as it stands, no line end added.
    void write(std::string_view bytes);
    void flush();
    // Closes the file (and renames it into place after replace()); false when
    // any write since the open failed or the rename failed.
    bool close();
    // Drops what was written after replace(): the final name is not touched.
    void discard();
    bool isOpen() const { return file_ != nullptr; }
    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }
    // Lines written through writeLine since the file was opened.
    std::uint64_t linesWritten() const { return lines_; }

  private:
    bool openMode(const std::filesystem::path& path, const char* mode);
    bool fail(int errnum);
    std::FILE* file_ = nullptr;
    std::uint64_t lines_ = 0;
    bool failed_ = false;
    std::string error_;
    std::filesystem::path target_;     // after replace(): the final name
    std::filesystem::path temporary_;  // after replace(): where the bytes go
};

// fopen for a path on every system (wide names on Windows); errno on failure.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Whole-file helpers for small files and tests.
bool readFileBytes(const std::filesystem::path& path, std::string& bytes);
bool writeFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace velkar

namespace velkar {
// Moves a file to a new name, replacing an existing file of that name.  Across
// file systems (a USB stick) it copies into a temporary file beside the target
// and renames that.  On failure the source and the earlier target are left as
// they were and error holds the reason.  A read-only target is refused.
[[nodiscard]] bool moveFileReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to, std::string& error);

// The same for a writer that only takes a path (a painter writing SVG, PNG or
// PDF): an empty temporary file beside target, noted as pending (an existing
// target that is read-only or not a regular file is refused); commit syncs it
// and renames it over target; discard removes it.  TextWriter::replace() is
// built on them.
bool createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary,
                           std::string& error);
bool commitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target,
                     std::string& error);
void discardTemporary(const std::filesystem::path& temporary);

// An existing file without write permission ("yalnız okunabilir"): the program
// never replaces one silently.
bool isReadOnlyFile(const std::filesystem::path& path);
// The reason given for it.
std::string readOnlyFileText();

// Files under way: the temporary files of writers not yet renamed into place,
// and private work folders.  Every creation and rename of a file by the
// program holds lockFileChanges() for a moment, so a stop (a signal in the
// command-line program) can take the lock for good, remove what is pending
// and end the process without a writer slipping a file in behind it.
std::unique_lock<std::mutex> lockFileChanges();
// Both with the lock held.
void notePendingFile(const std::filesystem::path& path);
void forgetPendingFile(const std::filesystem::path& path);
// With the lock held: removes every pending file and folder.
void removePendingFiles();
}  // namespace velkar
