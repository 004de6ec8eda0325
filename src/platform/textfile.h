// Text files as the program reads and writes them: Windows-1254 bytes, lines
// ended by CR LF.  Reading also accepts LF-only line ends, a lone CR, and a last
// line without a line end, and streams: only the current line is in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace velkar {

// The reason of the last failed file operation, in words a user can act on.
std::string systemErrorText(int errnum);

class TextReader {
public:
    TextReader() = default;
    explicit TextReader(const std::filesystem::path& path) { open(path); }
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    bool open(const std::filesystem::path& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // The next line without its line end; false at the end of the file.
    bool readLine(std::string& line);
    bool atEnd();
    const std::string& error() const { return error_; }
    // Bytes consumed so far and the file's size (for progress displays).
    std::uint64_t position() const { return position_; }
    std::uint64_t size() const { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::string error_;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
};

class TextWriter {
public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Creates the file anew (an existing one is emptied), or appends to it.
    bool create(const std::filesystem::path& path);
    bool append(const std::filesystem::path& path);
    // Text followed by CR LF.
    void writeLine(std::string_view line);
    // Text as it stands, no line end added.
    void write(std::string_view bytes);
    void flush();
    // Closes the file; false when any write since the open failed.
    bool close();
    bool isOpen() const { return file_ != nullptr; }
    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }
    // Lines written through writeLine since the file was opened.
    std::uint64_t linesWritten() const { return lines_; }

private:
    bool openMode(const std::filesystem::path& path, const char* mode);
    std::FILE* file_ = nullptr;
    std::uint64_t lines_ = 0;
    bool failed_ = false;
    std::string error_;
};

// Whole-file helpers for small files and tests.
bool readFileBytes(const std::filesystem::path& path, std::string& bytes);
bool writeFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace velkar

namespace velkar {
// Moves a file to a new name, replacing an existing file of that name.  Across
// file systems (a USB stick) it copies and then deletes the source.  On failure
// the source is left where it was and error holds the reason.
[[nodiscard]] bool moveFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string& error);
}  // namespace velkar
