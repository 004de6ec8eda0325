#include "golden.h"

#include <cstdlib>
#include <sstream>

#include "platform/console/process_guard.h"
#include "platform/textfile.h"

namespace velkar::test {
namespace {

std::string printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 32 || c >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out.push_back(static_cast<char>(c));
        }
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
    // First differing line (lines cut after LF).
    size_t line = 1, start = 0, i = 0;
    const size_t n = std::min(actual.size(), expected.size());
    while (i < n && actual[i] == expected[i]) {
        if (actual[i] == '\n') {
            ++line;
            start = i + 1;
        }
        ++i;
    }
    auto lineAt = [&](const std::string& s) {
        size_t e = s.find('\n', start);
        return printable(
            s.substr(start, e == std::string::npos ? std::string::npos : e - start + 1));
    };
    std::ostringstream os;
    os << "outputs differ at line " << line << " (byte " << i << ", sizes " << actual.size()
       << " vs " << expected.size() << ")\n  actual:   " << lineAt(actual)
       << "\n  expected: " << lineAt(expected);
    return ::testing::AssertionFailure() << os.str();
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
