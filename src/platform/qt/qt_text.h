// Conversions at the boundary between the Windows-1254 core and Qt.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

#include "platform/cp1254.h"

namespace velkar {

inline QString toQ(const std::string& cp) {
    return QString::fromStdString(toUtf8(cp));
}
inline std::string fromQ(const QString& s) {
    return cp1254(s.toStdString());
}

inline QString pathToQ(const std::filesystem::path& p) {
    const auto u8 = p.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(u8.data()),
                             static_cast<qsizetype>(u8.size()));
}
inline std::filesystem::path qToPath(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::filesystem::path(std::u8string(b.begin(), b.end()));
}

}  // namespace velkar
