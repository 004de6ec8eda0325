#include "platform/textfile.h"

#include <cerrno>
#include <cstring>

#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar {
namespace {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace

std::string systemErrorText(int errnum) {
    switch (errnum) {
        case ENOENT: return cp1254("dosya veya klasör yok");
        case EACCES:
        case EPERM: return cp1254("erişim izni yok");
        case ENOSPC: return cp1254("diskte yer kalmadı");
        case EROFS: return cp1254("disk yalnız okunabilir");
        case EISDIR: return cp1254("bu bir klasör");
        case ENOTDIR: return cp1254("yoldaki bir ad klasör değil");
        case EBUSY: return cp1254("dosya kullanımda");
        case EEXIST: return cp1254("dosya zaten var");
        default: break;
    }
    return std::strerror(errnum);
}

TextReader::~TextReader() { close(); }

bool TextReader::open(const std::filesystem::path& path) {
    close();
    error_.clear();
    position_ = 0;
    size_ = 0;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error_ = systemErrorText(EISDIR);
        return false;
    }
    file_ = openFile(path, "rb");
    if (!file_) {
        error_ = systemErrorText(errno);
        return false;
    }
    const auto sz = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : sz;
    return true;
}

void TextReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool TextReader::atEnd() {
    if (!file_) return true;
    const int c = std::getc(file_);
    if (c == EOF) return true;
    std::ungetc(c, file_);
    return false;
}

bool TextReader::readLine(std::string& line) {
    line.clear();
    if (!file_) return false;
    int c = std::getc(file_);
    if (c == EOF) return false;
    while (c != EOF) {
        ++position_;
        if (c == '\n') break;
        if (c == '\r') {
            const int next = std::getc(file_);
            if (next == '\n') {
                ++position_;
            } else if (next != EOF) {
                std::ungetc(next, file_);
            }
            break;
        }
        line.push_back(static_cast<char>(c));
        c = std::getc(file_);
    }
    return true;
}

TextWriter::~TextWriter() { close(); }

bool TextWriter::openMode(const std::filesystem::path& path, const char* mode) {
    close();
    failed_ = false;
    error_.clear();
    lines_ = 0;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        failed_ = true;
        error_ = systemErrorText(EISDIR);
        return false;
    }
    file_ = openFile(path, mode);
    if (!file_) {
        failed_ = true;
        error_ = systemErrorText(errno);
        return false;
    }
    return true;
}

bool TextWriter::create(const std::filesystem::path& path) { return openMode(path, "wb"); }
bool TextWriter::append(const std::filesystem::path& path) { return openMode(path, "ab"); }

void TextWriter::write(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() && !failed_) {
        failed_ = true;
        error_ = systemErrorText(errno);
    }
}

void TextWriter::writeLine(std::string_view line) {
    ++lines_;
    write(line);
    write("\r\n");
}

void TextWriter::flush() {
    if (file_ && std::fflush(file_) != 0 && !failed_) {
        failed_ = true;
        error_ = systemErrorText(errno);
    }
}

bool TextWriter::close() {
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        error_ = systemErrorText(errno);
    }
    file_ = nullptr;
    return !failed_;
}

bool readFileBytes(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = openFile(path, "rb");
    if (!f) return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    return true;
}

bool writeFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::FILE* f = openFile(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace velkar

namespace velkar {

bool moveFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(from, ec)) {
        error = systemErrorText(ENOENT) + ": " + pathText(from);
        return false;
    }
    if (fs::is_directory(to, ec)) {
        error = systemErrorText(EISDIR);
        return false;
    }
    fs::rename(from, to, ec);
    if (!ec) return true;
    if (ec != std::errc::cross_device_link) {
        error = systemErrorText(ec.value());
        return false;
    }
    // Another file system: copy beside the target, then swap it in and delete the source.
    fs::path tmp = to;
    tmp += ".velkar-tmp";
    fs::copy_file(from, tmp, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = systemErrorText(ec.value());
        fs::remove(tmp, ec);
        return false;
    }
    fs::rename(tmp, to, ec);
    if (ec) {
        error = systemErrorText(ec.value());
        std::error_code ignore;
        fs::remove(tmp, ignore);
        return false;
    }
    fs::remove(from, ec);
    return true;
}

}  // namespace velkar
