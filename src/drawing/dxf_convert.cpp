#include "drawing/dxf_convert.h"

#include "drawing/coordinate_file.h"
#include "drawing/dxf.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::drawing {
namespace {

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1, ec2;
    const auto ca = std::filesystem::weakly_canonical(a, ec1);
    const auto cb = std::filesystem::weakly_canonical(b, ec2);
    return !ec1 && !ec2 ? ca == cb : a == b;
}

}  // namespace

std::filesystem::path dxfNameFor(const std::filesystem::path& coordinateFile) {
    std::filesystem::path out = coordinateFile;
    out.replace_extension(".dxf");
    return out;
}

bool dxfFromCoordinateFile(Dialogs& dialogs, const std::filesystem::path& in, AxisOrder order,
                           const std::filesystem::path& out, double textHeight) {
    // A first look: the file must be readable and hold a point.
    CoordinateReader reader;
    if (!reader.open(in, order)) {
        dialogs.error(pathText(in) + cp1254(" okunamadı: ") + reader.error());
        return false;
    }
    CoordinateRecord r;
    if (!reader.next(r)) {
        dialogs.error(pathText(in) + cp1254(" içinde koordinat satırı bulunamadı."));
        return false;
    }
    std::string error;
    std::uint64_t points = 0;
    if (!writeCoordinateFileDxf(in, order, out, textHeight, error, &points)) {
        dialogs.error(pathText(out) + cp1254(" yazılamadı: ") + error);
        return false;
    }
    dialogs.info(
        std::to_string(points) + cp1254(" nokta ") + pathText(out) + cp1254(" dosyasına yazıldı."),
        cp1254("İşlem Sonu"));
    return true;
}

std::filesystem::path DXF_DONUSTUR(Dialogs& dialogs) {
    FileDialogRequest request;
    request.title = cp1254("DXF'e Dönüştürülecek Koordinat Dosyasını Seçiniz");
    request.filter = cp1254("Nokta Y X Z (poligon, KOORDINAT, YXZ)|*.*|Nokta X Y Z (XYZ)|*.*|");
    request.flags = kFileMustExist;
    request.mode = FileDialogMode::Open;
    const FileDialogResult chosen = dialogs.chooseFile(request);
    if (chosen.path.empty()) return {};
    const AxisOrder order = chosen.filterIndex == 2 ? AxisOrder::NameXYZ : AxisOrder::NameYXZ;
    const std::filesystem::path out = dxfNameFor(chosen.path);
    const std::string outText = pathText(out);
    if (samePath(out, chosen.path)) {
        dialogs.error(outText + cp1254(" bu işlemde okunan dosya: üzerine kayıt edilemez."));
        return {};
    }
    std::error_code ec;
    if (std::filesystem::exists(out, ec)) {
        const MessageResult answer = dialogs.message(
            {outText + cp1254(" zaten var.\rDeğiştirmek istiyor musunuz?"),
             cp1254("DXF'e Dönüştür"), MessageIcon::Question, MessageButtons::OkCancel});
        if (answer != MessageResult::Ok) return {};
    }
    return dxfFromCoordinateFile(dialogs, chosen.path, order, out, 0) ? out
                                                                      : std::filesystem::path();
}

}  // namespace velkar::drawing
