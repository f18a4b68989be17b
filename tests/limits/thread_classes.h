// What each row of the metric tables holds, from the class captions the display writes for it,
// and small designation helpers shared by the limit-table tests.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "series.h"

namespace torveld::testing {

// The classes one ISO row carries. A grade of 0 means the row holds no such internal class.
struct IsoPlan {
    int normalInternalGrade;    // first table, columns 6 and 8 (5 or 6; 0: none)
    std::string closeExternal;  // second table, columns 0-4: "4h", "4g6g" or "" (none)
    int closeInternalGrade;     // second table, columns 5 and 6 (4 or 5; 0: none)
};

// ISO COARSE, by the nominal diameter d (mm): above 41 mm 6g/4g6g/6H; from 2.75 mm 6g/4h/6H/5H;
// above 1.2 mm 6g/4h/6H/4H; at or below 1.2 mm 6g/4h/5H/4H.
inline IsoPlan isoCoarsePlan(double d) {
    if (d > 41.0) return {6, "4g6g", 0};
    if (d >= 2.75) return {6, "4h", 5};
    if (d > 1.2) return {6, "4h", 4};
    return {5, "4h", 4};
}

// ISO FINE arrangements: A for P <= 0.21; B for M12x1.5 and M35x1.5; C for 0.24 < P < 0.6,
// P = 1.25, P = 2 up to 33 mm, P = 1.5 below 23 mm, and P <= 1 up to 9 mm; D otherwise.
inline char isoFineArrangement(double d, double p) {
    if (p <= 0.21) return 'A';
    if (p == 1.5 && (d == 12.0 || d == 35.0)) return 'B';
    if ((p > 0.24 && p < 0.6) || p == 1.25 || (d <= 33.0 && p == 2.0) || (d < 23.0 && p == 1.5) ||
        (d <= 9.0 && p <= 1.0))
        return 'C';
    return 'D';
}

inline IsoPlan isoFinePlan(double d, double p) {
    switch (isoFineArrangement(d, p)) {
        case 'A':
            return {0, "4h", 4};
        case 'B':
            return {6, "", 0};
        case 'C':
            if (p < 0.26) return {5, "4h", 4};
            if (p > 0.34 && p < 0.36) return {6, "4h", 4};
            return {6, "4h", 5};
        default:
            return {6, "4g6g", 0};
    }
}

// "M10" -> 10.
inline double metricDiameter(std::string_view designation) {
    return leadingNumber(designation.substr(1));
}

// Inches of a fraction, mixed number or decimal designation ("7/16", "1 1/4", ".4375", "2").
inline double inchDesignation(std::string_view text) {
    double total = 0.0;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view part = text.substr(0, blank);
        const std::size_t slash = part.find('/');
        if (slash == std::string_view::npos) {
            total += leadingNumber(part);
        } else {
            total += leadingNumber(part.substr(0, slash)) / leadingNumber(part.substr(slash + 1));
        }
        if (blank == std::string_view::npos) break;
        text.remove_prefix(blank + 1);
    }
    return total;
}

// "4 1/2" -> "4.5", "11 1/2" -> "11.5"; other pitch texts unchanged.
inline std::string decimalPitch(std::string_view pitchText) {
    if (pitchText == "4 1/2") return "4.5";
    if (pitchText == "11 1/2") return "11.5";
    return std::string(pitchText);
}

inline bool near(double a, double b, double tolerance = 1e-9) {
    return std::fabs(a - b) <= tolerance;
}

}  // namespace torveld::testing
