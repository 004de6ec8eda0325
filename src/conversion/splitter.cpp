#include "conversion/splitter.h"

#include <algorithm>

#include "platform/numbers.h"

namespace velkar::conversion {

void DecodedRecord::clearTextFields() {
    for (std::string* f :
         {&ACIKLAMA, &DUR_NOKTA, &BAK_NOKTA, &CIHAZ_YUK, &REFLEKTOR, &NOKTA, &YATAY_ACI, &DUSEY_ACI,
          &KOT_FARKI, &BAKIS_ACISI, &YATAY_MES, &EGIK_MES, &KOOR_X, &KOOR_Y, &KOOR_Z}) {
        clearText(*f);
    }
}

void DecodedRecord::startFile() {
    angleUnit = backsightAngleUnit = unitsAngle = AngleUnit::Gon;
    distanceUnit = unitsDistance = DistanceUnit::Metre;
    unnamedStations = 0;
}

void SATIR_AYIR(std::string& line, Fields& fields, int& state) {
    line.erase(0,
               std::min(line.find_first_not_of(' '), line.size()));  // in place: lines may be long
    for (auto& f : fields) clearText(f);
    size_t index = 0;
    size_t start = 0;  // the current field's text is line[start, i) (no separator inside)
    auto store = [&](size_t end) {
        if (index < fields.size()) fields[index].assign(line, start, end - start);
    };
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ',' || c == ' ' || c == '\t') {
            store(i);
            if (state == 0) ++index;
            start = i + 1;
            state = 1;
        } else {
            if (state != 0) start = i;  // the text after a separator starts here
            state = 0;
        }
    }
    store(line.size());
}

}  // namespace velkar::conversion
