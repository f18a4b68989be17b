// Reading a designation: the stages of stages.h, chained.
#include "designation.h"

#include "stages.h"

namespace torveld::designation {

Result read(std::string_view utf8, const ReadOptions& options) {
    using detail::errorAt;
    using detail::numberText;
    if (utf8.size() > kMaxInputBytes) {
        return errorAt(kMaxInputBytes, utf8.size() - kMaxInputBytes,
                       "the designation is " + numberText(utf8.size()) + " bytes long; at most " +
                           numberText(kMaxInputBytes) + " are read");
    }
    detail::Token tokens[detail::kMaxTokens];
    std::size_t count = 0;
    detail::LexFailure failure;
    if (!detail::lex(utf8, tokens, count, failure)) {
        return errorAt(failure.offset, failure.length, std::move(failure.message));
    }
    if (count == 1) {
        return errorAt(0, utf8.size(),
                       "the designation is empty; write one as 1/4-20 UNC, 10-32 UNF or M10x1.5");
    }
    detail::Parsed parsed;
    Error error;
    if (!detail::parse(utf8, tokens, count, parsed, error)) return error;
    return detail::resolve(utf8, parsed, options);
}

std::optional<SpecialSize> basicSize(SeriesId series, int row) {
    if (!isValidSeries(series) || row < 0 || row >= sizeCount(series)) return std::nullopt;
    const SeriesFamily family = seriesById(series).family;
    if (family == SeriesFamily::TaperPipe || family == SeriesFamily::StraightPipe ||
        family == SeriesFamily::BritishPipe || family == SeriesFamily::BritishTaper ||
        family == SeriesFamily::BA) {
        return std::nullopt;  // a nominal pipe size or a BA number, not a diameter
    }
    const auto rows = detail::rowsOf(series);
    if (static_cast<std::size_t>(row) >= rows.size()) return std::nullopt;
    const detail::RowValues& v = rows[static_cast<std::size_t>(row)];
    if (v.size <= 0 || v.pitch <= 0) return std::nullopt;
    return SpecialSize{static_cast<double>(v.size) / detail::kMicro,
                       static_cast<double>(v.pitch) / detail::kMicro};
}

}  // namespace torveld::designation
