#include "size_list.h"

#include "control_ids.h"

namespace torveld {

void fillSizeList(platform::Windowing& windowing, platform::WindowHandle window, SeriesId series,
                  const std::vector<std::string>& extra) {
    for (int position = windowing.listCount(window, ids::kSizeList) - 1; position >= 0;
         --position) {
        windowing.listDelete(window, ids::kSizeList, position);
    }
    if (isValidSeries(series)) {
        const SizeTable& table = *seriesById(series).sizeTable;
        for (int row = 0; row < table.rowCount; ++row) {
            windowing.listAppend(window, ids::kSizeList, sizeListEntry(table.rows[row]));
        }
    }
    for (const std::string& entry : extra) windowing.listAppend(window, ids::kSizeList, entry);
    windowing.listSelect(window, ids::kSizeList, 0);
}

}  // namespace torveld
