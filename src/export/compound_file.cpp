#include "export/compound_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>

#include "platform/cp1254.h"
#include "platform/textfile.h"

namespace velkar::exporting {
namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kIdsPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderFatSlots = 109;
constexpr std::uint32_t kMiniStreamCutoff = 4096;

// Special sector numbers of the FAT and the DIFAT.
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// One 128-byte directory entry.  type: 0 free, 2 stream, 5 root storage.
std::string directoryEntry(std::string_view name, std::uint8_t type, std::uint32_t child,
                           std::uint32_t start, std::uint32_t size) {
    std::string e;
    for (const char c : name) put16(e, static_cast<unsigned char>(c));  // ASCII names only
    if (!name.empty()) put16(e, 0);
    e.resize(64, '\0');
    put16(e, static_cast<std::uint16_t>(name.empty() ? 0 : 2 * (name.size() + 1)));
    e.push_back(static_cast<char>(type));
    e.push_back(static_cast<char>(type == 0 ? 0 : 1));  // colour: black
    put32(e, kNoStream);                                // left sibling
    put32(e, kNoStream);                                // right sibling
    put32(e, child);
    e.resize(0x74, '\0');  // class id, state bits, creation and modification times
    put32(e, start);
    put32(e, size);
    put32(e, 0);  // high half of the size (version 3: always 0)
    return e;
}

}  // namespace

bool writeCompoundFile(const std::filesystem::path& file, std::string_view streamName,
                       const std::vector<std::string_view>& parts, std::string& reason) {
    std::uint64_t size = 0;
    for (const auto part : parts) size += part.size();
    return writeCompoundFile(
        file, streamName, size,
        [&](StreamSink& sink) {
            for (const auto part : parts) sink.write(part);
            return true;
        },
        reason);
}

bool writeCompoundFile(const std::filesystem::path& file, std::string_view streamName,
                       std::uint64_t contentSize, const std::function<bool(StreamSink&)>& content,
                       std::string& reason) {
    std::uint64_t streamSize = contentSize < kMiniStreamCutoff ? kMiniStreamCutoff : contentSize;
    if (streamSize > 0x7FFFFFFFull) {
        reason = cp1254("dosya 2 GB'den büyük olamaz");
        return false;
    }
    const auto streamSectors =
        static_cast<std::uint32_t>((streamSize + kSectorSize - 1) / kSectorSize);

    // FAT and DIFAT sectors needed to map every sector, themselves included.
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    for (;;) {
        const std::uint32_t total = streamSectors + difatSectors + fatSectors + 1;
        const std::uint32_t needFat = (total + kIdsPerSector - 1) / kIdsPerSector;
        const std::uint32_t needDifat =
            needFat > kHeaderFatSlots
                ? (needFat - kHeaderFatSlots + kIdsPerSector - 2) / (kIdsPerSector - 1)
                : 0;
        if (needFat == fatSectors && needDifat == difatSectors) break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const std::uint32_t firstDifat = streamSectors;
    const std::uint32_t firstFat = firstDifat + difatSectors;
    const std::uint32_t directorySector = firstFat + fatSectors;

    // FAT: the stream as one chain, then the DIFAT, FAT and directory sectors.
    std::string fat;
    fat.reserve(std::size_t{fatSectors} * kSectorSize);
    for (std::uint32_t s = 0; s < streamSectors; ++s) {
        put32(fat, s + 1 == streamSectors ? kEndOfChain : s + 1);
    }
    for (std::uint32_t s = 0; s < difatSectors; ++s) put32(fat, kDifatSector);
    for (std::uint32_t s = 0; s < fatSectors; ++s) put32(fat, kFatSector);
    put32(fat, kEndOfChain);  // the directory, one sector
    while (fat.size() < std::size_t{fatSectors} * kSectorSize) put32(fat, kFreeSector);

    // Header with the first 109 FAT sector numbers.
    std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.resize(0x18, '\0');  // class id
    put16(header, 0x003E);      // minor version
    put16(header, 0x0003);      // major version 3: 512-byte sectors
    put16(header, 0xFFFE);      // little-endian
    put16(header, 9);           // sector size 2^9
    put16(header, 6);           // mini sector size 2^6
    header.resize(0x28, '\0');
    put32(header, 0);  // directory sectors (always 0 in version 3)
    put32(header, fatSectors);
    put32(header, directorySector);
    put32(header, 0);  // transaction signature
    put32(header, kMiniStreamCutoff);
    put32(header, kEndOfChain);  // no mini FAT
    put32(header, 0);
    put32(header, difatSectors ? firstDifat : kEndOfChain);
    put32(header, difatSectors);
    for (std::uint32_t i = 0; i < kHeaderFatSlots; ++i) {
        put32(header, i < fatSectors ? firstFat + i : kFreeSector);
    }

    // DIFAT sectors: the FAT sector numbers past the first 109.
    std::string difat;
    for (std::uint32_t d = 0; d < difatSectors; ++d) {
        for (std::uint32_t k = 0; k < kIdsPerSector - 1; ++k) {
            const std::uint32_t fatIndex = kHeaderFatSlots + d * (kIdsPerSector - 1) + k;
            put32(difat, fatIndex < fatSectors ? firstFat + fatIndex : kFreeSector);
        }
        put32(difat, d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
    }

    std::string directory = directoryEntry("Root Entry", 5, 1, kEndOfChain, 0);
    directory +=
        directoryEntry(streamName, 2, kNoStream, 0, static_cast<std::uint32_t>(streamSize));
    directory += directoryEntry("", 0, kNoStream, 0, 0);
    directory += directoryEntry("", 0, kNoStream, 0, 0);

    TextWriter out;
    if (!out.replace(file)) {
        reason = out.error();
        return false;
    }
    out.write(header);
    StreamSink sink(out);
    if (!content(sink)) {
        out.discard();
        return false;
    }
    if (sink.written() != contentSize) {
        out.discard();
        reason = kChangedWhileWritten;
        return false;
    }
    const std::string padding(std::size_t{streamSectors} * kSectorSize - contentSize, '\0');
    for (const std::string* block :
         std::initializer_list<const std::string*>{&padding, &difat, &fat, &directory}) {
        out.write(*block);
    }
    if (!out.close()) {
        reason = out.error();
        return false;
    }
    return true;
}

}  // namespace velkar::exporting
