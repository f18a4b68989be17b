#include "measure_keys.h"

namespace torveld::measure {

std::string_view keyOf(Verdict v) {
    switch (v) {
        case Verdict::Within:
            return "within";
        case Verdict::AboveMax:
            return "above-max";
        case Verdict::BelowMin:
            return "below-min";
        case Verdict::NotJudged:
            break;
    }
    return "not-judged";
}

std::string_view keyOf(WireFormula f) {
    switch (f) {
        case WireFormula::LeadAngle:
            return "lead-angle";
        case WireFormula::Taper:
            return "taper";
        case WireFormula::General:
            break;
    }
    return "general";
}

std::string_view keyOf(Basis b) {
    switch (b) {
        case Basis::Derived:
            return "derived";
        case Basis::Open:
            return "open";
        case Basis::Published:
            break;
    }
    return "published";
}

std::string_view keyOf(Position p) {
    switch (p) {
        case Position::BelowMin:
            return "below-min";
        case Position::AboveMax:
            return "above-max";
        case Position::Within:
            break;
    }
    return "within";
}

std::string_view keyOf(ToleranceBasis b) {
    switch (b) {
        case ToleranceBasis::PitchDiameter:
            return "pitch-diameter";
        case ToleranceBasis::TaperTurns:
            return "taper-turns";
        case ToleranceBasis::CrestDiameter:
            break;
    }
    return "crest-diameter";
}

std::string_view keyOf(Separator s) {
    switch (s) {
        case Separator::FlankAngle:
            return "flank-angle";
        case Separator::CrestShape:
            return "crest-shape";
        case Separator::RootShape:
            return "root-shape";
        case Separator::Taper:
            return "taper";
        case Separator::Pitch:
            return "pitch";
        case Separator::Diameter:
            return "diameter";
        case Separator::WireReading:
            break;
    }
    return "wire-reading";
}

std::string_view keyOf(GaugeKind k) {
    switch (k) {
        case GaugeKind::GoThreadPlug:
            return "go-thread-plug";
        case GaugeKind::NotGoThreadPlug:
            return "not-go-thread-plug";
        case GaugeKind::GoThreadRing:
            return "go-thread-ring";
        case GaugeKind::NotGoThreadRing:
            return "not-go-thread-ring";
        case GaugeKind::GoPlainPlug:
            return "go-plain-plug";
        case GaugeKind::NotGoPlainPlug:
            return "not-go-plain-plug";
        case GaugeKind::GoPlainRing:
            return "go-plain-ring";
        case GaugeKind::NotGoPlainRing:
            break;
    }
    return "not-go-plain-ring";
}

std::string_view keyOf(GaugeStandard s) {
    switch (s) {
        case GaugeStandard::AsmeB12:
            return "asme-b1.2";
        case GaugeStandard::Iso1502:
            return "iso-1502";
        case GaugeStandard::AsmeB1201:
            return "asme-b1.20.1";
        case GaugeStandard::NotGiven:
            break;
    }
    return "not-given";
}

}  // namespace torveld::measure
