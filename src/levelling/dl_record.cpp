#include "levelling/dl_record.h"

#include "platform/numbers.h"

namespace velkar::levelling {
namespace {

// Divisor for an integer reading of the given mode and unit digit; 0 when the
// instrument defines none (the value is then taken unscaled).
double divisorFor(const std::string& mode, int unitDigit) {
    struct Row {
        int digit;
        double staff, elevation, distance;
    };
    static constexpr Row kRows[] = {
        {1, 1000, 1000, 100},   {2, 10000, 1000, 100},     {3, 100000, 10000, 1000},
        {7, 10000, 10000, 100}, {8, 100000, 100000, 1000},
    };
    for (const Row& row : kRows) {
        if (row.digit != unitDigit) continue;
        if (mode == "MIRA") return row.staff;
        if (mode == "KOT") return row.elevation;
        if (mode == "MESAFE") return row.distance;
    }
    return 0;
}

std::string midText(const std::string& s, size_t from, size_t count) {
    return from < s.size() ? s.substr(from, count) : std::string();
}

struct Sight {
    std::string reading, distance, point;
};

Sight decodeSight(const LevellingRecord& r) {
    const std::string& parameter = r.ALANLAR[1];
    return {KSIL(DL_CEVIR(r.ALANLAR[2], "MIRA", parameter), 5),
            KSIL(DL_CEVIR(r.ALANLAR[3], "MESAFE", parameter), 3), r.ALANLAR[7]};
}

}  // namespace

void DL_SATIR_AYIR(LevellingRecord& r) {
    for (auto& f : r.ALANLAR) clearText(f);
    const std::string& line = r.HAM_SATIR;
    size_t index = 0;
    size_t start = 0;
    while (index < r.ALANLAR.size()) {
        const size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            r.ALANLAR[index] = line.substr(start);
            break;
        }
        r.ALANLAR[index++] = line.substr(start, comma - start);
        start = comma + 1;
    }
}

std::string DL_CEVIR(const std::string& reading, const std::string& mode,
                     const std::string& parameter) {
    double value = leadingNumber(reading);
    const int digit = static_cast<int>(leadingNumber(midText(parameter, 1, 1)));
    const double divisor = divisorFor(mode, digit);
    if (divisor != 0) value /= divisor;
    return standardNumberText(value);
}

void HAMDATACOZ_DL100(LevellingRecord& r) {
    const std::string& code = r.KAYIT_KODU;
    if (code == "c") {
        r.IS_ISMI = r.ALANLAR[2];
        const std::string& date = r.ALANLAR[20];
        r.TARIH_YIL = midText(date, 0, 2);
        r.TARIH_AY = midText(date, 2, 2);
        r.TARIH_GUN = midText(date, 4, 2);
        r.BASLANGIC_NOKTA = r.ALANLAR[18];
        return;
    }
    if (code == "k") {
        const Sight s = decodeSight(r);
        r.ORTA_OKUMA = padLeft(s.reading, 8);
        r.ORTA_MESAFE = padLeft(s.distance, 7);
        r.ORTA_NOKTA = padRight(s.point, 9);
        return;
    }
    std::string *reading = nullptr, *distance = nullptr, *point = nullptr;
    int* present = nullptr;
    if (code == "g") {
        reading = &r.GERI1_OKUMA, distance = &r.GERI1_MESAFE, point = &r.GERI_NOKTA,
        present = &r.GERI1_VAR;
    } else if (code == "h") {
        reading = &r.GERI2_OKUMA, distance = &r.GERI2_MESAFE, point = &r.GERI_NOKTA,
        present = &r.GERI2_VAR;
    } else if (code == "i") {
        reading = &r.ILERI1_OKUMA, distance = &r.ILERI1_MESAFE, point = &r.ILERI_NOKTA,
        present = &r.ILERI1_VAR;
    } else if (code == "j") {
        reading = &r.ILERI2_OKUMA, distance = &r.ILERI2_MESAFE, point = &r.ILERI_NOKTA,
        present = &r.ILERI2_VAR;
    } else {
        return;  // "v", "w", a blanked code and anything unknown carry nothing here
    }
    const Sight s = decodeSight(r);
    *present = 1;
    if (code == "g" && leadingNumber(r.ILK_NOKTA_ALINDI) == 0) {
        r.ILK_NOKTA = s.point;
        r.ILK_NOKTA_ALINDI = "1";
    }
    *reading = padLeft(s.reading, 10);
    *distance = padLeft(s.distance, 10);
    *point = padRight(s.point, 9);
}

bool blocksStation(const LevellingRecord& r) {
    const std::string& parameter = r.ALANLAR[1];
    if (parameter.empty()) return false;
    int value = static_cast<unsigned char>(parameter[0]);
    if (value > 64) value -= 64;
    if (value > 48) value -= 48;
    return value > 3;
}

}  // namespace velkar::levelling
