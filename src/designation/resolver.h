// Resolving what was written: the series searched, the table rows that match, a special size
// where none does, and the error that names the nearest sizes otherwise. The lookups are in
// resolving.cpp, the texts of the errors in messages.cpp.
#pragma once

#include <cstdlib>

#include "stages.h"

namespace torveld::designation::detail {

// A table row.
struct Hit {
    SeriesId series = -1;
    int row = -1;
};

struct SeriesList {
    SeriesId ids[series::kCount] = {};
    int count = 0;
    void add(SeriesId id) { ids[count++] = id; }
    bool contains(SeriesId id) const { return std::find(ids, ids + count, id) != ids + count; }
};

inline std::string canonicalOf(Hit h) {
    return canonicalOf(h.series, h.row);
}

class Resolver {
  public:
    Resolver(std::string_view input, const Parsed& p, const ReadOptions& options)
        : input_(input), p_(p), options_(options) {}

    Result resolve();

  private:
    // -- resolving.cpp
    bool metricDesignation() const;
    void chooseSeries();
    bool fail(Span span, std::string message);
    const Span& sizeSpan() const { return p_.size.value.span; }
    Span askedSpan() const;
    std::string asked() const;
    // A number as written, for messages.
    static std::string written(const NumberRead& n) { return clipped(n.text.view()); }
    std::string namedSeries() const;
    bool checkSizeKind();
    // The lead and pitch of a multi-start thread: the number of starts, or why not.
    bool checkStarts();
    // The pitch as written: after "x", or in "(P7)" after the lead of a multi-start thread.
    const NumberRead& pitchRead() const {
        return p_.startPitch.present ? p_.startPitch.value : p_.pitch.value;
    }
    // The series is written before the size (G 1/2, R 1/2, Tr20x4).
    bool namedBeforeSize() const {
        return p_.series.group == SeriesGroup::One && seriesBeforeSize(p_.series.id);
    }
    int sizeValues(SeriesId id, std::int64_t values[2]) const;
    bool sizeMatches(SeriesId id, const RowValues& row) const;
    bool pitchMatches(const RowValues& row) const;
    void search();
    void searchGradedSeries();
    // A series as the designation names it: with the rounded root where UNR was written.
    std::string nameOf(SeriesId id) const;
    // The canonical text of a row, as an error lists it (with the rounded root where UNR was
    // written).
    std::string canonicalOf(Hit h) const;
    SeriesId specialTarget() const;
    Result special(SeriesId target);
    bool specialSize(SeriesId target, std::int64_t& diameter, bool report);
    Result finish(Designation& d, std::int64_t specialSize, std::int64_t specialPitch);
    void specialSeriesFor(SeriesId target);
    bool sizeDistance(SeriesId id, const RowValues& row, std::int64_t& distance) const;
    std::int64_t pitchDistance(const RowValues& row) const {
        return p_.pitch.present ? std::llabs(row.pitch - pitch_) : 0;
    }
    std::vector<Hit> nearestSizes(const SeriesList& within, std::vector<Hit>& sameSize) const;

    // -- messages.cpp
    Result ambiguous();
    Result notTabulated(SeriesId target);
    Result externalOnly(const Designation& d, std::int64_t specialSize, std::int64_t specialPitch);

    static constexpr int kKept = 8;

    std::string_view input_;
    const Parsed& p_;
    const ReadOptions& options_;
    SeriesList series_;
    Hit hits_[kKept];
    Hit first_, preferred_, graded_;
    int total_ = 0, preferredCount_ = 0, gradedCount_ = 0;
    bool gradedReading_ = false;  // UN (UNJ) written, the row found in a graded series
    std::int64_t pitch_ = 0;      // the pitch in millionths (of a multi-start thread, not its lead)
    int starts_ = 1;
    Error error_;
};

}  // namespace torveld::designation::detail
