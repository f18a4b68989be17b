// The engine against every cell of the project's limit tables that the table generator derived
// by formula. The generator writes, beside the tables, a manifest of where each cell comes from
// (src/data/generated/limit_cell_sources.csv): the test takes the thread, class and quantity of
// each cell from it and asks the engine, so that two independent implementations of the
// standards (the Python generator and this engine) must agree cell for cell.
//
//   formula          must agree exactly;
//   published-input  a formula applied to a published cell of the same row (the REF minor from the
//                    published maximum major diameter, UNJ minor limits from published pitch
//                    limits): must agree exactly wherever the engine agrees with that published
//                    cell;
//   stated           the product's stated reference values: within one unit, listed below;
//   published        copies of the published tables: checked against those in published_test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "limit_tables.h"
#include "special_test_support.h"

namespace torveld {
namespace {

using Row = std::map<std::string, std::string>;

const LimitTable* tableNamed(const std::string& name) {
    for (const LimitTable* t : limits::kAll)
        if (name == t->name) return t;
    return nullptr;
}

struct Tally {
    int formula = 0;
    int publishedInput = 0;
    int followsPublished = 0;  // published-input cells whose input the engine does not share
    int stated = 0;
};

// The product's stated values that are not the formula's (limit_tables_unified.cpp and
// limit_tables_iso.cpp name them): UNC 1/4-20 2B pitch maximum 0.2223 (the formula's chain with
// the published tolerance gives 0.2224), ISO M10 4h d3 min 8.018 (8.017).
const char* const kStated[] = {"UNC 2A/2B/9/8", "ISO COARSE close/18/4"};

TEST(SpecialOwnTables, EveryFormulaDerivedCellIsReproduced) {
    const std::vector<Row> manifest =
        testing::readCsv(std::string(TORVELD_GENERATED_DIR) + "/limit_cell_sources.csv");
    ASSERT_GT(manifest.size(), 10000u) << "cannot read the manifest of cell sources";
    Tally tally;
    std::map<std::string, int> byTable;
    for (const Row& cell : manifest) {
        const std::string& source = cell.at("source");
        const std::string& quantity = cell.at("quantity");
        if (source == "published" || quantity == "not_read") continue;
        const LimitTable* table = tableNamed(cell.at("table"));
        ASSERT_NE(table, nullptr) << cell.at("table");
        const int row = std::stoi(cell.at("row"));
        const int column = std::stoi(cell.at("column"));
        ASSERT_LT(row, table->rows);
        ASSERT_LT(column, table->columns);
        const float stored = table->stored(row, column);
        const std::optional<special::Series> series = special::seriesFromCode(cell.at("series"));
        ASSERT_TRUE(series) << cell.at("series");
        const double diameter = testing::csvNumber(cell, "diameter").value_or(0.0);
        const double pitch = testing::csvNumber(cell, "pitch").value_or(0.0);
        const special::Result result =
            testing::calculateOne(*series, diameter, pitch, cell.at("class"));
        const std::string where = cell.at("table") + " row " + cell.at("row") + " column " +
                                  cell.at("column") + " (" + cell.at("series") + " " +
                                  cell.at("diameter") + "-" + cell.at("pitch") + " " +
                                  cell.at("class") + " " + quantity + ")";
        ASSERT_TRUE(result.ok()) << where << ": " << result.refusal;
        const std::optional<special::Limit> limit =
            testing::limitOf(result, cell.at("class"), quantity);
        ASSERT_TRUE(limit) << where << ": the engine gives no value";
        const bool same = static_cast<float>(limit->value()) == stored;
        if (source == "stated") {
            ++tally.stated;
            const std::string key =
                cell.at("table") + "/" + cell.at("row") + "/" + cell.at("column");
            EXPECT_TRUE(std::find(std::begin(kStated), std::end(kStated), key) != std::end(kStated))
                << where << " is stated but not listed";
            const double unit = std::pow(10.0, -limit->decimals);
            EXPECT_LE(std::fabs(limit->value() - stored), 1.2 * unit) << where;
            continue;
        }
        if (source == "published-input") {
            ++tally.publishedInput;
            const std::string& input = cell.at("input");
            if (!same) {
                // The cell was computed from a published value; it may differ only where the
                // engine differs from that published value.
                int inputColumn = -1;
                for (const Row& other : manifest) {
                    if (other.at("table") == cell.at("table") &&
                        other.at("row") == cell.at("row") &&
                        other.at("class") == cell.at("class") && other.at("quantity") == input) {
                        inputColumn = std::stoi(other.at("column"));
                        break;
                    }
                }
                ASSERT_GE(inputColumn, 0) << where << ": no input " << input;
                const std::optional<special::Limit> engineInput =
                    testing::limitOf(result, cell.at("class"), input);
                ASSERT_TRUE(engineInput) << where;
                const bool inputDiffers =
                    static_cast<float>(engineInput->value()) != table->stored(row, inputColumn);
                EXPECT_TRUE(inputDiffers) << where << ": engine " << limit->text() << ", table "
                                          << stored << ", although both have the same " << input;
                if (inputDiffers) ++tally.followsPublished;
            }
            continue;
        }
        ++tally.formula;
        ++byTable[cell.at("table")];
        EXPECT_TRUE(same) << where << ": engine " << limit->text() << ", table " << stored;
    }
    std::printf("formula-derived cells compared: %d", tally.formula);
    for (const auto& [name, count] : byTable) std::printf(" | %s %d", name.c_str(), count);
    std::printf(
        "\nformula on published input: %d (%d follow a published value the engine "
        "differs from); stated: %d\n",
        tally.publishedInput, tally.followsPublished, tally.stated);
    EXPECT_EQ(tally.stated, 2);
    EXPECT_GT(tally.formula, 3500);
}

}  // namespace
}  // namespace torveld
