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
        return p_.pitch.present ? std::llabs(row.pitch - p_.pitch.value.micro) : 0;
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
    Error error_;
};

}  // namespace torveld::designation::detail
