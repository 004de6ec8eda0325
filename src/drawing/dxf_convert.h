// "DXF'e Dönüştür": a coordinate file to FILE.dxf beside it, with the
// program's boxes (the window answers them with its dialogs, velkar-cli from
// its options).
#pragma once

#include <filesystem>
#include <string>

#include "drawing/scene.h"
#include "platform/dialogs.h"

namespace velkar::drawing {

// The DXF name of a coordinate file: its extension replaced by ".dxf".
std::filesystem::path dxfNameFor(const std::filesystem::path& coordinateFile);

// Writes the DXF of in to out and says how it went: "N nokta PATH dosyasına
// yazıldı." (title "İşlem Sonu"), or a "Hata Mesajı" box: "PATH okunamadı:
// REASON", "PATH içinde koordinat satırı bulunamadı.", "PATH yazılamadı:
// REASON".  The output is written whole or not at all.  textHeight 0: by the
// extent.
bool dxfFromCoordinateFile(Dialogs& dialogs, const std::filesystem::path& in, AxisOrder order,
                           const std::filesystem::path& out, double textHeight);

// The menu item: asks for the coordinate file (the filter pair chooses the
// column order: 1 name Y X Z, 2 name X Y Z), then writes FILE.dxf beside it,
// asking "PATH zaten var.\rDeğiştirmek istiyor musunuz?" before replacing
// one.  Returns the written path (empty when nothing was written).
std::filesystem::path DXF_DONUSTUR(Dialogs& dialogs);

}  // namespace velkar::drawing
