// Angle and distance units of the total-station records, and the
// sexagesimal angles of the degree setting.
//
// An instrument set to degrees writes an angle as DDD.MMSS: 0860312 in a
// record (86.0312) is 86° 03' 12", which is 95.6148 gon, not 86.0312 gon.
// Digits after the seconds are tenths (and hundredths) of a second, so the
// GTS-600/700's 87.47000 is 87° 47' 00.0".  Every computation turns such a
// text into the angle it means before any arithmetic; the format outputs keep
// the text as the instrument wrote it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velkar::conversion {

enum class AngleUnit { Gon, Degree, Unknown };
enum class DistanceUnit { Metre, Feet, Unknown };

// The unit letters of the records: "g" gon, "d" degrees; "m" metres, "f" feet.
// The GTS-600/700 UNITS line writes them in capitals (G, D, M, F): both cases
// are read.  Any other character is an unknown unit.
AngleUnit angleUnitOf(char letter);
DistanceUnit distanceUnitOf(char letter);

// Seconds of arc of a DDD.MMSS text (leading blanks and a sign allowed);
// nothing when its minutes or seconds are 60 or more.  A text without digits
// is 0.
std::optional<double> sexagesimalSeconds(std::string_view text);

// The angle a text means, in gon: gon texts as written, degree texts through
// their seconds of arc (3240" to the gon).  An unknown unit or an invalid
// degree text gives 0: the callers skip such records before.
double angleInGon(std::string_view text, AngleUnit unit);

// The DDD.MMSS text of an angle given in seconds of arc: rounded to whole
// seconds (ties to the even second, decided on the decimal value), brought
// into 0..360 degrees, written like a fixed-decimal number (a blank sign, the
// degrees, ".", minutes and seconds, zeros up to `decimals`, at least 4).
std::string sexagesimalText(double seconds, int decimals);

// A degree text of the instrument with `decimals` (at least 4) decimals:
// digits after the seconds are rounded into whole seconds (ties to even) with
// the carry into minutes and degrees that a sexagesimal number needs
// (89.59595 is 90.0000, where a decimal rounding would give the impossible
// 89.5960).  The sign is kept.  Only for texts sexagesimalSeconds accepts.
std::string roundedSexagesimalText(std::string_view text, int decimals);

}  // namespace velkar::conversion
