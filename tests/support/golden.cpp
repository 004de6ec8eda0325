#include "golden.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/console/process_guard.h"
#include "platform/textfile.h"

namespace velkar::test {
namespace {

// The line that starts at byte start, its line end and other control bytes shown.
std::string printableLine(const std::string& s, size_t start) {
    std::string out;
    for (size_t i = start; i < s.size() && (i == start || s[i - 1] != '\n'); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", c);
        out += c == '\r'            ? "\\r"
               : c == '\n'          ? "\\n"
               : c >= 32 && c < 127 ? std::string(1, s[i])
                                    : buf;
    }
    return out;
}

}  // namespace

std::filesystem::path dataDir() {
    return std::filesystem::path(VELKAR_TEST_DATA_DIR);
}

std::filesystem::path tempDir(const std::string& name) {
    const char* base = std::getenv("TMPDIR");
    std::filesystem::path root = std::filesystem::path(base && *base ? base : "/tmp") /
                                 ("velkar-test-" + std::to_string(currentProcessId()));
    std::filesystem::path dir = root / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    static struct Cleanup {
        std::filesystem::path root;
        ~Cleanup() {
            std::error_code ec;
            if (!root.empty() && !std::getenv("VELKAR_KEEP_TEST_FILES"))
                std::filesystem::remove_all(root, ec);
        }
    } cleanup;
    cleanup.root = root;
    return dir;
}

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const size_t i = static_cast<size_t>(
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first -
        actual.begin());
    const size_t start = i == 0 ? 0 : actual.rfind('\n', i - 1) + 1;  // npos + 1 is 0
    return ::testing::AssertionFailure()
           << "outputs differ at line "
           << std::count(actual.begin(), actual.begin() + static_cast<long>(start), '\n') + 1
           << " (byte " << i << ", sizes " << actual.size() << " vs " << expected.size()
           << ")\n  actual:   " << printableLine(actual, start)
           << "\n  expected: " << printableLine(expected, start);
}

// A differing output is kept outside the source tree, in $TMPDIR/velkar-actual.
::testing::AssertionResult matchesGolden(const std::string& actual,
                                         const std::filesystem::path& goldenFile) {
    std::string expected;
    auto r = readFileBytes(goldenFile, expected)
                 ? sameBytes(actual, expected)
                 : ::testing::AssertionFailure() << "golden file missing: " << goldenFile;
    if (!r) {
        const char* base = std::getenv("TMPDIR");
        const auto kept = std::filesystem::path(base && *base ? base : "/tmp") / "velkar-actual" /
                          (goldenFile.filename().string() + ".actual");
        std::filesystem::create_directories(kept.parent_path());
        writeBytes(kept, actual);
        r << "\n  actual output kept in " << kept.string();
    }
    return r;
}

std::string readBytes(const std::filesystem::path& file) {
    std::string s;
    readFileBytes(file, s);
    return s;
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    writeFileBytes(file, bytes);
}

}  // namespace velkar::test
