// Both total-station decoders, line after line of one record, as a conversion
// feeds them: any bytes must decode without a crash or a read out of range.
#include "conversion/decoders.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    std::FILE* sink = std::fopen("/dev/null", "w");
    {
        ConsoleDialogs dialogs(sink);
        conversion::DecodedRecord r210, r700;
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        std::size_t start = 0;
        while (start <= text.size()) {
            auto end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = text.size();
            const std::string line(text.substr(start, end - start));
            for (auto* r : {&r210, &r700}) {
                r->HAM_SATIR = line;
                r->KAYIT_KODU = line.substr(0, 3);
            }
            conversion::HAMDATACOZ_210(r210, dialogs);
            conversion::HAMDATACOZ_700(r700, dialogs);
            start = end + 1;
        }
    }
    std::fclose(sink);
    return 0;
}
