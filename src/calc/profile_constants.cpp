#include "profile_constants.h"

#include <array>

#include "trapezoidal_profile.h"

namespace torveld {

namespace {

constexpr std::optional<double> none = std::nullopt;

// The BA thread depth. The 47.5 degree BA form is truncated by radii at crest and root so that
// its basic depth is 0.6 P (the major-to-minor difference of every BA basic size, for example
// 0 BA: (6.0 - 4.8) / 2 = 0.6 x 1.0 mm); both thread heights of BA show this depth.
constexpr double kBaThreadDepth = 0.6;

// Indexed by ThreadForm. Wire factors: best wire, offset, multiplier; then heights, flats, radii.
// The Acme external flat depends on the maximum major diameter and is computed with the limits
// of size; the taper pipe flats are the crest flats of PipeCrestFlats.
constexpr std::array<ProfileConstants, 13> kProfiles{{
    {ThreadForm::Unified60, 0.57735, 0.866025404, 3.0, 0.613435, 0.541265877, 0.125, 0.25, none,
     none, none, none},
    {ThreadForm::NPSM, 0.57735, 0.866025404, 3.0, 0.64952, 0.541265877, 0.125, 0.25, none, none,
     none, none},
    {ThreadForm::NPSL, 0.57735, 0.866025404, 3.0, none, none, none, none, none, none, none, none},
    {ThreadForm::UNJ, 0.57735, 0.866025404, 3.0, 0.57735, 0.48714, 0.125, 0.3125, none, none,
     0.18042, 0.15011},
    {ThreadForm::UNM, 0.57735, 0.866025404, 3.0, 0.52, 0.52, 0.125, 0.27456, none, 0.158, none,
     none},
    // The taper pipe form uses 0.866025 (six decimals) in its wire offset.
    {ThreadForm::TaperPipe, 0.57735, 0.866025, 3.0, 0.8, 0.8, none, none, none, none, none, none},
    {ThreadForm::Acme29, 0.516455, 1.93336, 4.9939, 0.5, 0.5, none, 0.37069, none, none, none,
     none},
    {ThreadForm::StubAcme, 0.516455, 1.93336, 4.9939, 0.3, 0.3, 0.4635, 0.4635, none, none, none,
     none},
    {ThreadForm::Whitworth55, 0.56369, 0.960491, 3.1657, 0.640327, 0.640327, none, none, 0.137329,
     0.137329, none, none},
    {ThreadForm::BA47, 0.54626, 1.13634, 3.48275, kBaThreadDepth, kBaThreadDepth, none, none,
     0.1808346, 0.1808346, none, none},
    {ThreadForm::InsertTapping, none, none, none, none, none, none, none, none, none, none, none},
    // ISO 7-1 lays the 55 degree form on the cone: h = 0.640327 P as the parallel form, r =
    // 0.137278 P (not 0.137329). The wire values are those of the 55 degree form; as on NPT, the
    // pitch diameter they give is the one at the plane of the wires.
    {ThreadForm::BritishTaper55, 0.56369, 0.960491, 3.1657, 0.640327, 0.640327, none, none,
     0.137278, 0.137278, none, none},
    // The trapezoidal heights and radii depend on the crest clearance ac of the pitch, not on P
    // alone: applyProfile sets them (trapezoidal_profile.h).
    {ThreadForm::Trapezoidal30, trapezoidal::kBestWire, trapezoidal::kWireOffset,
     trapezoidal::kWireMultiplier, none, none, none, none, none, none, none, none},
}};

constexpr bool indexedByForm() {
    for (std::size_t i = 0; i < kProfiles.size(); ++i) {
        if (static_cast<std::size_t>(kProfiles[i].form) != i) return false;
    }
    return true;
}
static_assert(indexedByForm(), "kProfiles must be indexed by ThreadForm");

// NPT: 0.038 P is the minimum flat of every size.
constexpr std::array<PipeCrestFlats, 5> kPipeCrestFlats{{
    {27.0, 0.111, 0.038, 0.108, 0.054},
    {18.0, 0.102, 0.038, 0.09, 0.054},
    {14.0, 0.09, 0.038, 0.07, 0.042},
    {11.5, 0.084, 0.038, 0.069, 0.046},
    {8.0, 0.072, 0.038, 0.064, 0.048},
}};

void setIf(Length& field, const std::optional<double>& factor, double pitch) {
    if (factor) field = *factor * pitch;
}

}  // namespace

void applyProfile(ThreadForm form, ThreadResults& r) {
    const ProfileConstants& k = profileConstants(form);
    const double p = r.pitch;
    if (k.bestWire && k.wireOffset && k.wireMultiplier) {
        r.bestWire = *k.bestWire * p;
        r.wireOffset = *k.wireOffset * p;
        r.wireConstant = *k.wireMultiplier * *r.bestWire - *r.wireOffset;
    }
    setIf(r.extHeight, k.extHeight, p);
    setIf(r.intHeight, k.intHeight, p);
    setIf(r.extFlat, k.extFlat, p);
    setIf(r.intFlat, k.intFlat, p);
    setIf(r.crestRadius, k.crestRadius, p);
    setIf(r.rootRadius, k.rootRadius, p);
    setIf(r.rootRadiusMax, k.rootRadiusMax, p);
    setIf(r.rootRadiusMin, k.rootRadiusMin, p);
    if (form == ThreadForm::Trapezoidal30) {
        // h3 = H4 = 0.5 P + ac; R1 max = 0.5 ac (crest), R2 max = ac (root).
        if (const std::optional<double> ac = trapezoidal::crestClearance(p)) {
            r.extHeight = trapezoidal::kOverlapHeight * p + *ac;
            r.intHeight = r.extHeight;
            r.crestRadius = 0.5 * *ac;
            r.rootRadiusMax = *ac;
        }
    }
}

const ProfileConstants& profileConstants(ThreadForm form) {
    return kProfiles[static_cast<std::size_t>(form)];
}

const PipeCrestFlats* pipeCrestFlats(double threadsPerInch) {
    for (const PipeCrestFlats& row : kPipeCrestFlats) {
        if (row.threadsPerInch == threadsPerInch) return &row;
    }
    return nullptr;
}

}  // namespace torveld
