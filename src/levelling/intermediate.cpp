#include "levelling/intermediate.h"

#include "platform/cp1254.h"
#include "platform/numbers.h"

namespace velkar::levelling {
namespace {

double reading(const ResultTable& table, int row, ReadingSelection readings) {
    const double first = leadingNumber(table.cell(row, 2));
    const double second = leadingNumber(table.cell(row, 3));
    switch (readings) {
        case ReadingSelection::First:
            return first;
        case ReadingSelection::Second:
            return second;
        case ReadingSelection::Both:
            break;
    }
    return (first + second) / 2;
}

}  // namespace

std::optional<IntermediateDifference> araKotFarki(Dialogs& dialogs, const ResultTable& table,
                                                  ReadingSelection readings,
                                                  const std::string& startPoint,
                                                  const std::string& endPoint) {
    const std::string start = trimBlanks(startPoint);
    const std::string end = trimBlanks(endPoint);
    if (start.empty()) dialogs.info(cp1254(" Başlangıç Noktasını Giriniz.."));
    if (end.empty()) dialogs.info(cp1254(" Son Noktayı Giriniz.."));
    if (start.empty() || end.empty()) return std::nullopt;

    IntermediateDifference r;
    bool inside = false;
    int row = 1;
    while (row < table.rowCount()) {
        const std::string name = trimBlanks(table.cell(row, 0));
        if (!inside && name == start) {
            inside = true;
            ++row;  // the first station of the stretch begins right after the start point's row
        } else if (inside && name == end) {
            inside = false;
            ++row;
            continue;
        } else if (!inside) {
            ++row;
            continue;
        }
        if (row >= table.rowCount()) break;
        r.backsightTotal += reading(table, row, readings);
        r.foresightTotal += reading(table, row + 1, readings);
        row += 2;
    }
    r.backsightLabel = cp1254("Geri Mira Toplamı....: ") + standardNumberText(r.backsightTotal);
    r.foresightLabel = cp1254("ileri Mira Toplamı...: ") + standardNumberText(r.foresightTotal);
    r.differenceLabel =
        cp1254("Kot Farkı .......: ") + standardNumberText(r.backsightTotal - r.foresightTotal);
    return r;
}

}  // namespace velkar::levelling
