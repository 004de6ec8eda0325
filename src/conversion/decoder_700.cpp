// GTS-600/700 raw lines: fields separated by commas, blanks or TABs, the
// record keyword first.
//
//   STN,station,instrument height,code        a new station
//   BKB,backsight,,horizontal angle set        the backsight
//   SS|FS,point,reflector height,code          names the next target
//   SD,horizontal angle,vertical angle,slope distance
//   HD,horizontal angle,horizontal distance,height difference
//   UNITS,distance unit,angle unit            M metres / F feet, G gon / D degrees
//
// A measurement thus takes two lines: SS/FS names the target, the SD/HD after
// it carries the values and makes the record writable.  A UNITS line sets the
// units of the lines after it; a file without one is in gon and metres.
// Degrees are written DDD.MMSSs (87.47000 is 87° 47' 00.0").
#include <initializer_list>

#include "conversion/decoders.h"
#include "conversion/splitter.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"

namespace velkar::conversion {
namespace {

char unitLetter(const std::string& field) {
    const std::string t = trimBlanks(field);
    return t.size() == 1 ? t[0] : '\0';
}

// The record takes the units in force; degree angles that are no
// sexagesimal numbers make its angle unit unknown.
AngleUnit unitOfAngles(const DecodedRecord& r, std::initializer_list<const std::string*> angles) {
    if (r.unitsAngle != AngleUnit::Degree) return r.unitsAngle;
    for (const std::string* a : angles) {
        if (!sexagesimalSeconds(*a)) return AngleUnit::Unknown;
    }
    return AngleUnit::Degree;
}

// An angle field with 4 decimals: decimal in gon, whole seconds in degrees.
std::string angleText(const DecodedRecord& r, const std::string& field) {
    return r.angleUnit == AngleUnit::Degree ? roundedSexagesimalText(field, 4) : KSIL(field, 4);
}

}  // namespace

void HAMDATACOZ_700(DecodedRecord& r, Dialogs& dialogs) {
    r.REFLEKTOR_LIMIT = 10.0;
    r.CIHAZ_LIMIT = 10.0;
    r.YENI_DURAK = 0;
    // The split leaves YAZ_DURUMU at 0 or 1: only a record below raises it to 2.
    SATIR_AYIR(r.HAM_SATIR, r.ALANLAR, r.YAZ_DURUMU);
    const Fields& f = r.ALANLAR;
    r.KAYIT_KODU = f[0];
    const std::string& key = f[0];
    if (key == "STN") {
        r.YENI_DURAK = 1;
        r.YAZ_DURUMU = 2;
        r.OLCU_TURU = 0;
        // "STN,,1.540": a station stored without a name.  The splitter takes
        // the two commas for one separator, so its fields come one place early.
        const bool unnamed = r.HAM_SATIR.rfind("STN,,", 0) == 0 && !f[1].empty();
        r.DUR_NOKTA = padRight(unnamed ? "DURAK" + std::to_string(++r.unnamedStations) : f[1], 10);
        r.CIHAZ_YUK = padLeft(f[unnamed ? 1 : 2], 6);
        r.ACIKLAMA = f[unnamed ? 2 : 3];
        r.NOKTA = "1";
        if (leadingNumber(trimBlanks(r.CIHAZ_YUK)) > r.CIHAZ_LIMIT) {
            dialogs.error(cp1254(" Noktasında Cihaz Yüksekliği ") + r.CIHAZ_YUK);
        }
    } else if (key == "UNITS") {
        r.unitsDistance = distanceUnitOf(unitLetter(f[1]));
        r.unitsAngle = angleUnitOf(unitLetter(f[2]));
    } else if (key == "BKB") {
        r.angleUnit = r.backsightAngleUnit = unitOfAngles(r, {&f[3]});
        r.distanceUnit = r.unitsDistance;
        r.YAZ_DURUMU = 2;
        r.OLCU_TURU = 0;
        r.BAK_NOKTA = padRight(f[1], 10);
        r.BAKIS_ACISI = padLeft(f[3], 9);
        r.YATAY_ACI = r.BAKIS_ACISI;
        r.NOKTA = r.BAK_NOKTA;
        r.DUSEY_ACI = "   0.0000";
        r.REFLEKTOR = " 0.000";
        r.EGIK_MES = "     0.000";
        r.YATAY_MES = "     0.000";
        r.KOT_FARKI = "    0.000";
    } else if (key == "SS" || key == "FS") {
        r.NOKTA = padRight(f[1], 10);
        r.REFLEKTOR = padLeft(f[2], 6);
        r.ACIKLAMA = f[3];
    } else if (key == "SD") {
        r.angleUnit = unitOfAngles(r, {&f[1], &f[2]});
        r.distanceUnit = r.unitsDistance;
        r.YAZ_DURUMU = 2;
        r.OLCU_TURU = 1;
        r.YATAY_ACI = padLeft(angleText(r, f[1]), 9);
        r.DUSEY_ACI = padLeft(angleText(r, f[2]), 9);
        r.EGIK_MES = padLeft(KSIL(f[3], 3), 10);
    } else if (key == "HD") {
        r.angleUnit = unitOfAngles(r, {&f[1]});
        r.distanceUnit = r.unitsDistance;
        r.YAZ_DURUMU = 2;
        r.OLCU_TURU = 1;
        r.YATAY_ACI = padLeft(angleText(r, f[1]), 9);
        r.YATAY_MES = padLeft(KSIL(f[2], 3), 10);
        r.KOT_FARKI = padLeft(KSIL(f[3], 3), 9);
    }
    if (leadingNumber(trimBlanks(r.REFLEKTOR)) > r.REFLEKTOR_LIMIT) {
        dialogs.error(cp1254(" Noktasında Reflektör Yüksekliği ") + r.REFLEKTOR +
                      cp1254(" Limit değer..:"));
    }
}

}  // namespace velkar::conversion
