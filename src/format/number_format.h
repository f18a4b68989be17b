// Number formatting and units: every length held in inches becomes the text shown or printed.
#pragma once

#include <string>
#include <string_view>

namespace torveld {

// Millimetres per inch: converts millimetre data and thresholds to inches, and inches to
// millimetres for display.
inline constexpr double mmPerInch = 25.4;

// The two units of display.
enum class DisplayUnit { Inch, Metric };

// The unit of display: inches with four places, or millimetres with three.
struct UnitMode {
    double unitFactor = 1.0;  // 1.0 inch display, 25.4 metric display
    double decimals = 4.0;    // a whole number held as a double

    static UnitMode inch() { return UnitMode{1.0, 4.0}; }
    static UnitMode metric() { return UnitMode{mmPerInch, 3.0}; }
    static UnitMode of(DisplayUnit unit) { return unit == DisplayUnit::Metric ? metric() : inch(); }
    bool isMetric() const { return unitFactor == mmPerInch; }
    // `decimals` rounded to the nearest integer, plus a per-field offset (+1 best wire and
    // constant, -1 countersink), kept within 1..6.
    int places(int offset = 0) const;
};

// inches x unitFactor, computed in double precision and rounded to single precision.
float displayValue(double inches, const UnitMode& mode);

// Fixed-point text with `places` decimals (1..6), the last digit chosen by the C library's
// "%.*f" conversion of the exact binary value (an exact half goes to the even digit: .03125 at
// four places is ".0312"); a value from 0 up to below 1 loses the zero before the point.
std::string formatValue(float value, int places);

// formatValue(displayValue(inches), mode.places(offset)): the text of one result field.
std::string formatLength(double inches, const UnitMode& mode, int placesOffset = 0);

// Fixed-width patterns "%d#####.###", "%d####.###", "%d#.###", "%d#.##": the count of '#'
// before the point is the least integer width (padded with spaces), after it the decimals.
// The value keeps double precision and keeps its leading zero.
std::string formatFixed(std::string_view pattern, double value);

// The "DIAMETER" text of a drill-chart row, from its stored decimal-inch value d.
enum class DrillTextMode { StartUp, BackToInch, Metric };
std::string drillDiameterText(double d, DrillTextMode mode);

}  // namespace torveld
