#include "thread_results.h"

namespace torveld {

namespace {

Length* externalLimit(ExternalLimits& e, Limit limit) {
    switch (limit) {
        case Limit::MajorMax:
            return &e.majorMax;
        case Limit::MajorMin:
            return &e.majorMin;
        case Limit::MajorMean:
            return &e.majorMean;
        case Limit::PitchMax:
            return &e.pitchMax;
        case Limit::PitchMin:
            return &e.pitchMin;
        case Limit::MinorRef:
            return &e.minorRef;
        case Limit::MinorMax:
            return &e.minorMax;
        case Limit::MinorMin:
            return &e.minorMin;
        case Limit::WiresMax:
            return &e.wiresMax;
        case Limit::WiresMin:
            return &e.wiresMin;
        case Limit::MinorMean:
            break;
    }
    return nullptr;
}

Length* internalLimit(InternalLimits& i, Limit limit) {
    switch (limit) {
        case Limit::MajorMax:
            return &i.majorMax;
        case Limit::MajorMin:
            return &i.majorMin;
        case Limit::PitchMax:
            return &i.pitchMax;
        case Limit::PitchMin:
            return &i.pitchMin;
        case Limit::MinorMax:
            return &i.minorMax;
        case Limit::MinorMin:
            return &i.minorMin;
        case Limit::MinorMean:
            return &i.minorMean;
        case Limit::MajorMean:
        case Limit::MinorRef:
        case Limit::WiresMax:
        case Limit::WiresMin:
            break;
    }
    return nullptr;
}

}  // namespace

Length* limitOf(ThreadResults& r, ClassRecord record, Limit limit) {
    switch (record) {
        case ClassRecord::ExtNormal:
            return externalLimit(r.extNormal, limit);
        case ClassRecord::ExtClose:
            return externalLimit(r.extClose, limit);
        case ClassRecord::IntNormal:
            return internalLimit(r.intNormal, limit);
        case ClassRecord::IntClose:
            return internalLimit(r.intClose, limit);
    }
    return nullptr;
}

const Length* limitOf(const ThreadResults& r, ClassRecord record, Limit limit) {
    return limitOf(const_cast<ThreadResults&>(r), record, limit);
}

}  // namespace torveld
