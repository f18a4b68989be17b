#include "class_arrangement.h"

namespace torveld {

namespace {

constexpr double kMmPerInch = 25.4;

constexpr double mm(double millimetres) {
    return millimetres / kMmPerInch;
}

constexpr RecordClasses fixed(std::string_view a, std::string_view b, std::string_view c,
                              std::string_view d) {
    return {RecordClass{a}, RecordClass{b}, RecordClass{c}, RecordClass{d}};
}

// One class on each side, in the upper records, that the standard does not name.
RecordClasses unnamed(std::string_view name) {
    return {RecordClass{name, false}, RecordClass{}, RecordClass{name, false}, RecordClass{}};
}

// ISO COARSE: the tolerance classes of ISO 965-1's medium and fine qualities, by the major
// diameter (a millimetre figure divided by 25.4, compared with the inch value).
RecordClasses isoCoarseClasses(const ThreadResults& values) {
    const double major = values.extNormal.majorMax.value_or(0.0);
    if (major > mm(41)) return fixed("6g", "4g6g", "6H", "");
    if (major >= mm(2.75)) return fixed("6g", "4h", "6H", "5H");
    if (major > mm(1.2)) return fixed("6g", "4h", "6H", "4H");
    return fixed("6g", "4h", "5H", "4H");
}

// ISO FINE: the classes depend on the pitch and the internal major diameter. Every bound is a
// millimetre figure divided by 25.4 and compared with the inch values in double precision;
// "equals" is exact equality of those doubles (the table values are converted the same way).
enum class Arrangement { None, A, B, C, D };

Arrangement chooseArrangement(double p, double n, double c) {
    if (p <= mm(0.21)) return Arrangement::A;
    if ((n == mm(12) && p == mm(1.5)) || (n == mm(35) && p == mm(1.5))) return Arrangement::B;
    if ((p > mm(0.24) && p < mm(0.6)) || p == mm(1.25) || (c <= mm(33) && p == mm(2.0)) ||
        (c < mm(23) && p == mm(1.5)) || (c <= mm(9) && p <= mm(1.0))) {
        return Arrangement::C;
    }
    if (p >= mm(2) || p < mm(1.5) || (c != mm(12) && c != mm(35) && p == mm(1.5))) {
        return Arrangement::D;
    }
    return Arrangement::None;
}

// Arrangement C: the internal classes follow the pitch. The tables hold the pitches 0.25, 0.35
// and 0.5 mm and up there; a pitch between them (a special size's 0.3, 0.4 or 0.45 mm) takes the
// classes of the next smaller tabulated pitch.
std::array<const char*, 2> internalClassesByPitch(double p) {
    if (p <= mm(0.34)) return {"5H", "4H"};
    if (p <= mm(0.49)) return {"6H", "4H"};
    return {"6H", "5H"};
}

std::array<const char*, 4> classesOf(Arrangement arrangement, double pitch) {
    switch (arrangement) {
        case Arrangement::A:  // 0.2 mm pitches: 4h and 4H only below 6g
            return {"6g", "4h", "", "4H"};
        case Arrangement::B:  // M12x1.5 and M35x1.5: 6g and 6H only
            return {"6g", "", "6H", ""};
        case Arrangement::C: {
            const auto internal = internalClassesByPitch(pitch);
            return {"6g", "4h", internal[0], internal[1]};
        }
        case Arrangement::D:
            return {"6g", "4g6g", "6H", ""};
        case Arrangement::None:
            break;
    }
    return {"", "", "", ""};
}

RecordClasses isoFineClasses(const ThreadResults& values) {
    const auto classes = metricFineClasses(values.pitch, values.intNormal.majorMin.value_or(0.0),
                                           values.intClose.majorMin.value_or(0.0));
    if (!classes) return {};
    return fixed((*classes)[0], (*classes)[1], (*classes)[2], (*classes)[3]);
}

}  // namespace

std::optional<std::array<const char*, 4>> metricFineClasses(double pitch, double normalMajorMin,
                                                            double closeMajorMin) {
    const Arrangement arrangement = chooseArrangement(pitch, normalMajorMin, closeMajorMin);
    if (arrangement == Arrangement::None) return std::nullopt;
    return classesOf(arrangement, pitch);
}

RecordClasses recordClasses(SeriesId series, const ThreadResults& values) {
    if (!isValidSeries(series)) return {};
    switch (seriesById(series).display) {
        case DisplayFamily::Unified:
        case DisplayFamily::UNS:
        case DisplayFamily::UNJ:
        case DisplayFamily::NPSM:
        case DisplayFamily::ThreadInsert:
            return fixed("2A", "3A", "2B", "3B");
        case DisplayFamily::Acme:
            return fixed("2G", "4G", "2G", "4G");
        case DisplayFamily::StubAcme:
            return unnamed("2G");
        case DisplayFamily::NPSL:
        case DisplayFamily::UNM:
            return unnamed(seriesById(series).name);
        case DisplayFamily::Whitworth:
            return fixed("Med", "Close", "Med", "Close");
        case DisplayFamily::BA:
            return fixed("Norm", "Close", "Norm", "Close");
        case DisplayFamily::IsoCoarse:
            return isoCoarseClasses(values);
        case DisplayFamily::IsoFine:
            return isoFineClasses(values);
        case DisplayFamily::BritishPipe:
            // ISO 228-1: the external classes B (the wider pitch-diameter tolerance, the normal
            // record) and A (the closer one); the one internal class, which the standard does
            // not name, takes the series' name.
            return {RecordClass{"B"}, RecordClass{"A"}, RecordClass{"G", false}, RecordClass{}};
        case DisplayFamily::BritishTaper:
            // The parallel internal thread Rp, which has limits of size; R and Rc are gauged.
            return {RecordClass{}, RecordClass{}, RecordClass{"Rp", false}, RecordClass{}};
        case DisplayFamily::Trapezoidal:
            // ISO 2903's medium classes.
            return fixed("7e", "", "7H", "");
        case DisplayFamily::TaperPipe:
            break;
    }
    return {};
}

std::array<std::string, 4> specialClasses(SeriesId series, double pitch, double basicMajor) {
    switch (series) {
        case series::UNS:
            return {"2A", "", "2B", ""};
        case series::UN:
            return {"2A", "3A", "2B", "3B"};
        case series::UNJ:
            return {"", "3A", "", "3B"};
        case series::ACME:
            return {"2G", "4G", "2G", "4G"};
        case series::STUB_ACME:
            return {"2G", "", "2G", ""};
        case series::TR:
            return {"7e", "", "7H", ""};
        case series::ISO_FINE: {
            // Internal H positions: both internal records have the basic major as their minimum.
            const auto classes = metricFineClasses(pitch, basicMajor, basicMajor);
            if (!classes) break;
            return {(*classes)[0], (*classes)[1], (*classes)[2], (*classes)[3]};
        }
        default:
            break;
    }
    return {};
}

}  // namespace torveld
