#include "platform/textfile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <set>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/process.h"
#include "platform/program_folder.h"

namespace velkar {
namespace {

std::mutex& fileChangesMutex() {
    static std::mutex m;
    return m;
}

std::set<std::filesystem::path>& pendingFiles() {
    static std::set<std::filesystem::path> files;
    return files;
}

// Pushes what the C library and the system hold of a written file to the disk.
bool syncToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0 || errno == EINVAL;  // EINVAL: a file that cannot sync
#endif
}

// ".NAME.velkar-1a2b3c4d.tmp" in the folder of target: hidden, and on the same
// file system, so that the final rename never copies.
// ".NAME.velkar-PID-XXXXXXXX.tmp" beside NAME: hidden, and named after the
// process that writes it.  Names are kept in the system's own form (wide on
// Windows), so that any file name works.
std::filesystem::path::string_type temporaryPrefixFor(const std::filesystem::path& target) {
    std::filesystem::path prefix = ".";
    prefix += target.filename();
    prefix += ".velkar-";
    return prefix.native();
}

std::filesystem::path temporaryNameFor(const std::filesystem::path& target) {
    static std::mt19937 random{std::random_device{}()};
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(random()));
    std::filesystem::path name = temporaryPrefixFor(target);
    name += std::to_string(currentProcessId()) + "-" + tag + ".tmp";
    return target.parent_path() / name;
}

// A run killed outright (power cut, SIGKILL) leaves its temporary file beside
// the file it was writing.  The next run that writes that file removes those
// of processes that no longer run; a run still at work keeps its own.
void removeStaleTemporariesOf(const std::filesystem::path& target) {
    const auto prefix = temporaryPrefixFor(target);
    const auto suffix = std::filesystem::path(".tmp").native();
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const auto name = it->path().filename().native();
        if (name.rfind(prefix, 0) != 0 || name.size() < prefix.size() + suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        long pid = 0;
        std::size_t k = prefix.size();
        while (k < name.size() && name[k] >= '0' && name[k] <= '9' && pid < 100000000) {
            pid = pid * 10 + (name[k++] - '0');
        }
        if (k == prefix.size() || k >= name.size() || name[k] != '-') continue;
        if (pid == currentProcessId() || !processIsGone(pid)) continue;
        std::error_code ignore;
        if (it->is_regular_file(ignore)) std::filesystem::remove(it->path(), ignore);
    }
}

}  // namespace

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string systemErrorText(int errnum) {
    switch (errnum) {
        case ENOENT:
            return cp1254("dosya veya klasör yok");
        case EACCES:
        case EPERM:
            return cp1254("erişim izni yok");
        case ENOSPC:
            return cp1254("disk dolu");
#ifdef EDQUOT
        case EDQUOT:
            return cp1254("disk kotası dolu");
#endif
        case EIO:
            return cp1254("disk okuma/yazma hatası");
        case ENAMETOOLONG:
            return cp1254("dosya adı çok uzun");
        case EROFS:
            return cp1254("disk yalnız okunabilir");
        case EISDIR:
            return cp1254("bu bir klasör");
        case ENOTDIR:
            return cp1254("yoldaki bir ad klasör değil");
        case EBUSY:
            return cp1254("dosya kullanımda");
        case EEXIST:
            return cp1254("dosya zaten var");
        default:
            break;
    }
    return std::strerror(errnum);
}

TextReader::~TextReader() {
    close();
}

bool TextReader::open(const std::filesystem::path& path) {
    close();
    error_.clear();
    path_ = path;
    position_ = 0;
    size_ = 0;
    lineNumber_ = 0;
    tooLong_ = false;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) {
        error_ = systemErrorText(EISDIR);
        return false;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error_ = cp1254("normal bir dosya değil (aygıt ya da boru)");
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

void TextReader::markTooLong() {
    tooLong_ = true;
    error_ =
        std::to_string(lineNumber_) + cp1254(". satır çok uzun; bu bir ham veri dosyası değil.");
}

std::string TextReader::tooLongText() const {
    return pathText(path_) + ": " + error_;
}

bool TextReader::readLine(std::string& line) {
    clearText(line);
    if (!file_ || tooLong_) return false;
    std::fpos_t lineStart;
    const bool canRewind = std::fgetpos(file_, &lineStart) == 0;
    int c = std::getc(file_);
    if (c == EOF) return false;
    ++lineNumber_;
    // Instrument lines are short and read in one pass.  A line that outgrows
    // kShortLine is measured to its end first and then read into a string of
    // exactly its length: a string grown a byte at a time would hold up to
    // twice the line, and every later copy of it too.
    std::size_t length = 0;
    bool measuring = false;
    while (c != EOF && c != '\n' && c != '\r') {
        if (length >= limit_) {
            markTooLong();
            line.clear();
            line.shrink_to_fit();
            return false;
        }
        if (!measuring) {
            if (line.size() < kShortLine || !canRewind) {
                line.push_back(static_cast<char>(c));
            } else {
                measuring = true;
            }
        }
        ++length;
        c = std::getc(file_);
    }
    const int end = c;
    if (measuring) {
        std::string whole(length, '\0');
        if (std::fsetpos(file_, &lineStart) != 0 ||
            std::fread(whole.data(), 1, length, file_) != length) {
            line.clear();
            error_ = systemErrorText(errno ? errno : EIO);
            std::fseek(file_, 0, SEEK_END);
            return false;
        }
        line = std::move(whole);
        (void)std::getc(file_);  // the line end read before
    }
    position_ += length;
    if (end == '\n') {
        ++position_;
    } else if (end == '\r') {
        ++position_;
        const int next = std::getc(file_);
        if (next == '\n') {
            ++position_;
        } else if (next != EOF) {
            std::ungetc(next, file_);
        }
    }
    return true;
}

TextWriter::~TextWriter() {
    if (temporary_.empty()) {
        close();
    } else {
        discard();
    }
}

bool TextWriter::fail(int errnum) {
    if (!failed_) {
        failed_ = true;
        error_ = systemErrorText(errnum ? errnum : EIO);
    }
    return false;
}

bool TextWriter::openMode(const std::filesystem::path& path, const char* mode) {
    if (!temporary_.empty()) discard();
    close();
    failed_ = false;
    error_.clear();
    lines_ = 0;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return fail(EISDIR);
    const auto lock = lockFileChanges();
    file_ = openFile(path, mode);
    if (!file_) return fail(errno);
    return true;
}

bool TextWriter::create(const std::filesystem::path& path) {
    return openMode(path, "wb");
}
bool TextWriter::append(const std::filesystem::path& path) {
    return openMode(path, "ab");
}

namespace {

// The target may be replaced: absent, or a regular file that is not read-only.
bool replaceable(const std::filesystem::path& target, std::string& error) {
    std::error_code ec;
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::is_directory(status)) {
        error = systemErrorText(EISDIR);
        return false;
    }
    if (!std::filesystem::exists(status)) return true;
    if (!std::filesystem::is_regular_file(status)) {
        error = cp1254("normal bir dosya değil (aygıt ya da boru)");
        return false;
    }
    if (isReadOnlyFile(target)) {
        error = readOnlyFileText();
        return false;
    }
    return true;
}

// Creates and opens a new temporary file beside target (the lock held).
std::FILE* openTemporaryBeside(const std::filesystem::path& target,
                               std::filesystem::path& temporary, std::string& error) {
    removeStaleTemporariesOf(target);
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < 100 && !f; ++attempt) {
        const auto candidate = temporaryNameFor(target);
        errno = 0;
        f = openFile(candidate, "wbx");
        if (f) {
            temporary = candidate;
            notePendingFile(candidate);
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (!f) error = systemErrorText(errno ? errno : EEXIST);
    return f;
}

}  // namespace

bool createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary,
                           std::string& error) {
    if (!replaceable(target, error)) return false;
    const auto lock = lockFileChanges();
    std::FILE* f = openTemporaryBeside(target, temporary, error);
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool commitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target,
                     std::string& error) {
    if (std::FILE* f = openFile(temporary, "rb+")) {
        syncToDisk(f);
        std::fclose(f);
    }
    std::error_code ec;
    {
        const auto lock = lockFileChanges();
        std::filesystem::rename(temporary, target, ec);
        if (!ec) forgetPendingFile(temporary);
    }
    if (!ec) return true;
    error = systemErrorText(ec.value());
    discardTemporary(temporary);
    return false;
}

void discardTemporary(const std::filesystem::path& temporary) {
    if (temporary.empty()) return;
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    const auto lock = lockFileChanges();
    forgetPendingFile(temporary);
}

bool TextWriter::replace(const std::filesystem::path& path) {
    if (!temporary_.empty()) discard();
    close();
    failed_ = false;
    error_.clear();
    if (!replaceable(path, error_)) {
        failed_ = true;
        return false;
    }
    const auto lock = lockFileChanges();
    file_ = openTemporaryBeside(path, temporary_, error_);
    if (!file_) {
        failed_ = true;
        return false;
    }
    target_ = path;
    return true;
}

void TextWriter::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (temporary_.empty()) return;
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    const auto lock = lockFileChanges();
    forgetPendingFile(temporary_);
    temporary_.clear();
    target_.clear();
}

void TextWriter::write(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(errno);
}

void TextWriter::writeLine(std::string_view line) {
    ++lines_;
    write(line);
    write("\r\n");
}

void TextWriter::flush() {
    if (file_ && std::fflush(file_) != 0) fail(errno);
}

bool TextWriter::close() {
    if (!temporary_.empty()) {
        if (!file_ || failed_ || !syncToDisk(file_)) {
            if (file_) fail(errno);
            discard();
            return false;
        }
        const int closed = std::fclose(file_);
        file_ = nullptr;
        if (closed != 0) {
            fail(errno);
            discard();
            return false;
        }
        std::error_code ec;
        {
            const auto lock = lockFileChanges();
            std::filesystem::rename(temporary_, target_, ec);
            if (!ec) forgetPendingFile(temporary_);
        }
        if (ec) {
            fail(ec.value());
            discard();
            return false;
        }
        temporary_.clear();
        target_.clear();
        return true;
    }
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0) fail(errno);
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

bool isReadOnlyFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) return false;
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

std::string readOnlyFileText() {
    return cp1254("dosya yalnız okunabilir; üzerine yazılmadı");
}

bool moveFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        error = systemErrorText(ENOENT) + ": " + pathText(from);
        return false;
    }
    const auto status = fs::status(to, ec);
    if (fs::is_directory(status)) {
        error = systemErrorText(EISDIR);
        return false;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        error = cp1254("normal bir dosya değil (aygıt ya da boru)");
        return false;
    }
    if (isReadOnlyFile(to)) {
        error = readOnlyFileText();
        return false;
    }
    // The bytes reach the disk before the name points at them.
    if (std::FILE* f = openFile(from, "rb+")) {
        syncToDisk(f);
        std::fclose(f);
    }
    {
        const auto lock = lockFileChanges();
        fs::rename(from, to, ec);
    }
    if (!ec) return true;
    if (ec != std::errc::cross_device_link) {
        error = systemErrorText(ec.value());
        return false;
    }
    // Another file system (a USB stick): a copy written beside the target replaces it.
    std::FILE* in = openFile(from, "rb");
    if (!in) {
        error = systemErrorText(errno);
        return false;
    }
    TextWriter out;
    if (out.replace(to)) {
        char buf[1 << 16];
        std::size_t n;
        while (!out.failed() && (n = std::fread(buf, 1, sizeof buf, in)) > 0) {
            out.write(std::string_view(buf, n));
        }
        if (std::ferror(in)) out.discard();
    }
    const bool readFailed = std::ferror(in) != 0;
    std::fclose(in);
    if (readFailed) {
        error = systemErrorText(EIO);
        return false;
    }
    if (!out.close()) {
        error = out.error();
        return false;
    }
    fs::remove(from, ec);
    return true;
}

std::unique_lock<std::mutex> lockFileChanges() {
    return std::unique_lock<std::mutex>(fileChangesMutex());
}

void notePendingFile(const std::filesystem::path& path) {
    pendingFiles().insert(path);
}

void forgetPendingFile(const std::filesystem::path& path) {
    pendingFiles().erase(path);
}

void removePendingFiles() {
    for (const auto& p : pendingFiles()) {
        std::error_code ec;
        std::filesystem::remove_all(p, ec);
    }
    pendingFiles().clear();
}

}  // namespace velkar
