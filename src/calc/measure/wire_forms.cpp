#include "wire_forms.h"

#include <cmath>
#include <numbers>

namespace torveld::measure {

namespace forms {

// Published factors: the wire makers' tables as the thread-measuring formula cards print them
// (60 degree 0.505182 / 1.010363 P, 55 degree 0.50568 / 0.82573 P, 29 degree 0.487263 /
// 0.650013 P). The rule that reproduces the 60 and 29 degree factors to the sixth decimal: the
// smallest wire's top lies level with the crest, the largest touches the flank at the crest's
// edge. With y the height of the crest (edge) above the apex of the thread groove's V,
// smallest = 2 y / (1 + csc a) and largest = 2 y sin a / cos^2 a. Derived rows apply it to
// their own crest.
constexpr std::string_view kPublished = "the wire makers' tables (published)";
// NPT crests are truncated 0.033 P to 0.096 P (crest flats 0.038 P to 0.111 P, the NPT and NPTF
// flats of profile_constants.cpp): the smallest wire from the highest crest (y = H - 0.0329 P),
// the largest from the lowest crest edge (y = H - 0.0961 P).
constexpr std::string_view kNptRange =
    "derived from the NPT crest truncation (0.033 P to 0.096 P) by the rule of the published 60 "
    "and 29 degree factors; not published";
constexpr std::string_view kBspTaperRange =
    "the published 55 degree parallel factors: the taper form is the same profile laid on the "
    "cone (derived)";
// BA: depth 0.6 P, crest and root radius 0.1808346 P. The smallest wire by the crest rule
// (y = 0.868172 P); the largest touching at the flank's tangent point with the crest radius
// (y = 0.760172 P). That tangent rule gives 0.8527 P on the 55 degree form, above the published
// 0.82573 P, so the BA largest is open.
constexpr std::string_view kBaRange =
    "derived: smallest by the crest rule of the published factors; largest from the tangent "
    "point of flank and crest radius, a rule that gives the 55 degree form 3 per cent more than "
    "its published factor (open)";
// Stub Acme: height 0.3 P, the crest 0.15 P above the pitch line (Acme: 0.25 P).
constexpr std::string_view kStubRange =
    "derived from the Stub Acme height (0.3 P) by the rule of the published 60 and 29 degree "
    "factors; the published 29 degree range is that of the full-height Acme";
// Trapezoidal: height 0.5 P, the crest 0.25 P above the pitch line, as Acme.
constexpr std::string_view kTrapezoidalRange =
    "derived from the trapezoidal height (0.5 P) by the rule of the published 60 and 29 degree "
    "factors; not published";

using K = FormKind;
using C = Crest;
using R = Root;
using B = Basis;

// Name, included angle, kind, crest, root, smallest wire and basis, largest wire and basis,
// lead-angle term by default, source of the wire range.
// clang-format off
const WireForm kSixty{"60 degree", 60.0, K::Parallel, C::Flat, R::Flat, 0.505182, B::Published, 1.010363, B::Published, false, kPublished};
const WireForm kSixtyUnj{"60 degree UNJ", 60.0, K::Parallel, C::Flat, R::ControlledRadius, 0.505182, B::Published, 1.010363, B::Published, false, kPublished};
const WireForm kSixtyUnm{"60 degree UNM", 60.0, K::Parallel, C::Flat, R::Rounded, 0.505182, B::Published, 1.010363, B::Published, false, kPublished};
const WireForm kSixtyTaper{"60 degree taper", 60.0, K::Taper, C::Flat, R::Flat, 0.555411, B::Derived, 1.026529, B::Derived, false, kNptRange};
const WireForm kFiftyFive{"55 degree", 55.0, K::Parallel, C::Rounded, R::Rounded, 0.50568, B::Published, 0.82573, B::Published, false, kPublished};
const WireForm kFiftyFiveTaper{"55 degree taper", 55.0, K::Taper, C::Rounded, R::Rounded, 0.50568, B::Derived, 0.82573, B::Derived, false, kBspTaperRange};
const WireForm kFortySevenHalf{"47.5 degree", 47.5, K::Parallel, C::Rounded, R::Rounded, 0.498525, B::Derived, 0.730855, B::Open, false, kBaRange};
const WireForm kAcme{"29 degree", 29.0, K::Parallel, C::Flat, R::Flat, 0.487263, B::Published, 0.650013, B::Published, true, kPublished};
const WireForm kStubAcme{"29 degree stub", 29.0, K::Parallel, C::Flat, R::Flat, 0.447214, B::Derived, 0.596588, B::Derived, true, kStubRange};
const WireForm kTrapezoidal{"30 degree", 30.0, K::Parallel, C::Flat, R::Flat, 0.486466, B::Derived, 0.656339, B::Derived, true, kTrapezoidalRange};
// clang-format on

}  // namespace forms

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kAngleMatch = 0.25;

// The rows an angle and kind name.
constexpr const WireForm* kByAngle[] = {
    &forms::kSixty,          &forms::kSixtyTaper, &forms::kFiftyFive,  &forms::kFiftyFiveTaper,
    &forms::kFortySevenHalf, &forms::kAcme,       &forms::kTrapezoidal};

}  // namespace

double WireForm::halfAngle() const {
    return includedAngle * 0.5 * kDegree;
}

double WireForm::bestWire() const {
    return 0.5 / std::cos(halfAngle());
}

double WireForm::wireFactor() const {
    return 1.0 + 1.0 / std::sin(halfAngle());
}

double WireForm::pitchFactor() const {
    return 0.5 / std::tan(halfAngle());
}

const WireForm* wireFormOf(ThreadForm form, std::string_view* why) {
    switch (form) {
        case ThreadForm::Unified60:
        case ThreadForm::NPSM:
        case ThreadForm::NPSL:
            return &forms::kSixty;
        case ThreadForm::UNJ:
            return &forms::kSixtyUnj;
        case ThreadForm::UNM:
            return &forms::kSixtyUnm;
        case ThreadForm::TaperPipe:
            return &forms::kSixtyTaper;
        case ThreadForm::Acme29:
            return &forms::kAcme;
        case ThreadForm::StubAcme:
            return &forms::kStubAcme;
        case ThreadForm::Whitworth55:
            return &forms::kFiftyFive;
        case ThreadForm::BritishTaper55:
            return &forms::kFiftyFiveTaper;
        case ThreadForm::Trapezoidal30:
            return &forms::kTrapezoidal;
        case ThreadForm::BA47:
            return &forms::kFortySevenHalf;
        case ThreadForm::InsertTapping:
            if (why != nullptr)
                *why =
                    "the tapped hole for a screw-thread insert is an internal thread only: it is "
                    "gauged with thread plugs, not measured over wires";
            return nullptr;
    }
    if (why != nullptr) *why = "not a thread form of the catalogue";
    return nullptr;
}

const WireForm* wireFormOf(double includedAngle, FormKind kind) {
    if (!std::isfinite(includedAngle)) return nullptr;
    for (const WireForm* f : kByAngle) {
        if (f->kind == kind && std::fabs(f->includedAngle - includedAngle) <= kAngleMatch) return f;
    }
    return nullptr;
}

bool isTaperSeries(SeriesId series) {
    if (!isValidSeries(series)) return false;
    const WireForm* form = wireFormOf(seriesById(series).form);
    return form != nullptr && form->kind == FormKind::Taper;
}

}  // namespace torveld::measure
