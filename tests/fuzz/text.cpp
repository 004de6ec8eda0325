// Windows-1254 text and the text file reader: every byte string survives the
// trip to UTF-8 and back, any UTF-8 (valid or not) converts, and the reader
// gives lines without line ends that put together give the file back.
#include <cstdlib>

#include "fuzz_support.h"
#include "platform/cp1254.h"
#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (cp1254(toUtf8(bytes)) != bytes) std::abort();
    const std::string back = cp1254(bytes);  // the bytes read as UTF-8
    if (back.size() > bytes.size()) std::abort();

    TextReader in(fuzz::writeScratch("text.txt", bytes));
    std::string line;
    std::size_t total = 0;
    while (in.readLine(line)) {
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        total += line.size();
    }
    if (total > bytes.size() || in.position() != bytes.size()) std::abort();
    return 0;
}
