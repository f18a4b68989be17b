// The CAD export: Fusion 360's XML read back by a real XML parser and checked against the
// format's structure (tests/data/cad/fusion360_structure.txt), its numbers and Inventor's rows
// against the published limits (tests/data/published/), and the checks a thread passes.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "cad_export.h"
#include "published_csv.h"

namespace torveld::query::cad {
namespace {

using testing::PublishedTable;
using Row = std::map<std::string, std::string>;

std::string exported(SeriesId id, std::vector<std::string> classes = {},
                     ValueChoice value = ValueChoice::Mean,
                     FileFormat format = FileFormat::Fusion360) {
    Request r{id, {}, std::move(classes), value, "", "2.2"};
    const Exported file = exportThreads(r, format);
    EXPECT_TRUE(file.ok()) << file.error;
    return file.text;
}

double number(const std::string& text) {
    double value = NAN;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Whether a published row is in error (published/ANOMALIES.csv, cad/published_exceptions.csv).
bool inError(const std::string& file, const std::string& designation) {
    static const PublishedTable anomalies("published/ANOMALIES.csv");
    static const PublishedTable exceptions("cad/published_exceptions.csv");
    for (const Row& a : anomalies.rows()) {
        if (a.at("designation") == designation) return true;
    }
    for (const Row& e : exceptions.rows()) {
        if (e.at("file") == file && e.at("designation") == designation) return true;
    }
    return false;
}

// Torveld's tables are the standards' and differ from the published table by a unit of its
// last place in a few cells (tests/special/published_test.cpp lists them): that much is allowed.
double unitOf(SeriesId id) {
    return (id == series::ISO_COARSE || id == series::ISO_FINE ? 1e-3 : 1e-4) + 1e-9;
}

// The published key of a designation: "1/4-20 UNC", "1/4-16 Acme", ISO by size and pitch.
std::string keyOf(const std::string& size, const std::string& designation, const std::string& pitch,
                  bool metric) {
    if (metric) return size + "x" + pitch;
    std::string key = designation;
    if (const auto at = key.find("ACME"); at != std::string::npos) key.replace(at, 4, "Acme");
    return key;
}

// The structure file: path -> how often it stands under its parent ("Pitch|TPI" for either).
std::map<std::string, std::string> structure() {
    std::ifstream in(std::string(TORVELD_TEST_DATA_DIR) + "/cad/fusion360_structure.txt");
    std::map<std::string, std::string> out;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            out[line.substr(0, line.find(' '))] = line.substr(line.find(' ') + 1);
    }
    return out;
}

// Every element of `node` is a path of the structure, and each path under it stands as often
// as the structure says; an element with no path below it holds text only.
void checkNode(pugi::xml_node node, const std::string& path,
               const std::map<std::string, std::string>& s) {
    std::map<std::string, int> counts;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string name = child.name();
        if (name == "Pitch" || name == "TPI") name = "Pitch|TPI";
        const std::string childPath = path.empty() ? name : path + "/" + name;
        ASSERT_TRUE(s.count(childPath) > 0) << childPath << " is not an element of the format";
        ++counts[childPath];
        checkNode(child, childPath, s);
    }
    bool parent = false;
    for (const auto& [p, count] : s) {
        const std::size_t from = path.empty() ? 0 : path.size() + 1;
        if ((!path.empty() && p.rfind(path + "/", 0) != 0) || p.find('/', from) != p.npos) continue;
        parent = true;
        const int n = counts[p];
        EXPECT_TRUE(count == "1" ? n == 1 : count == "+" ? n >= 1 : n <= 1) << p << ": " << n;
    }
    if (!parent) {
        EXPECT_NE(node.first_child().type(), pugi::node_element) << path;
    }
}

TEST(FusionFile, FollowsTheFormatsStructure) {
    // The series and the form's included angle.
    const std::pair<SeriesId, double> cases[] = {{series::UNC, 60},  {series::ISO_FINE, 60},
                                                 {series::BSW, 55},  {series::BA, 47.5},
                                                 {series::ACME, 29}, {series::UNC_STI, 60}};
    const auto s = structure();
    ASSERT_FALSE(s.empty());
    for (const auto& [id, angle] : cases) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(exported(id).c_str()));
        const pugi::xml_node type = doc.child("ThreadType");
        SCOPED_TRACE(type.child_value("Name"));
        checkNode(doc, "", s);
        EXPECT_STREQ(type.child_value("Unit"), tableUnit(id) == DisplayUnit::Inch ? "in" : "mm");
        EXPECT_EQ(type.child("Angle").text().as_double(), angle);
        EXPECT_EQ(type.child_value("Name"), "Torveld " + std::string(seriesById(id).name) + " 2.2");
        EXPECT_STREQ(type.child_value("Name"), type.child_value("CustomName"));
        std::set<std::string> sizes;
        for (pugi::xml_node size : type.children("ThreadSize")) {
            EXPECT_TRUE(sizes.insert(size.child_value("Size")).second) << size.child_value("Size");
        }
    }
}

// Each diameter is the mean of the published limits, or the maximum- or minimum-material limit;
// the internal major of the series that give it no maximum its minimum. Inventor's rows hold the
// limits themselves in the spreadsheet's columns.
TEST(CadFiles, DiametersAndRowsOfThePublishedLimits) {
    struct Case {
        const char* file;
        SeriesId series;
        std::vector<std::string> classes;  // computed by the engine where the tables lack them
        bool internalMajorMax;             // whether the standard limits the internal major
    };
    const Case cases[] = {
        {"published/UNC_2A2B.csv", series::UNC, {}, false},
        {"published/UNF_3A3B.csv", series::UNF, {"2A", "3A", "2B", "3B"}, false},
        {"published/UNC_1A1B.csv", series::UNC, {"1A", "1B"}, false},
        {"published/ISO_M_6g6H.csv", series::ISO_COARSE, {}, false},
        {"published/ISO_M_6g6H.csv", series::ISO_FINE, {"6g", "6H"}, false},
        {"published/ACME_2G.csv", series::ACME, {}, true},
        // Autodesk's own metric file: the means of unrounded ISO 965 limits (0.8196, 0.7666),
        // within the 0.001 mm that ISO 965-2 rounds them to.
        {"cad/fusion_shipped.csv", series::ISO_COARSE, {"6g"}, false},
    };
    // Fusion: MajorDia, PitchDia, MinorDia by side; Inventor: the columns after each class.
    const char* diameters[2][3][2] = {
        {{"ext_major_max", "ext_major_min"}, {"ext_pitch_max", "ext_pitch_min"}, {}},
        {{"int_major_max", "int_major_min"},
         {"int_pitch_max", "int_pitch_min"},
         {"int_minor_max", "int_minor_min"}}};
    const char* elements[] = {"MajorDia", "PitchDia", "MinorDia"};
    for (const Case& c : cases) {
        const PublishedTable table(c.file);
        const bool metric = tableUnit(c.series) == DisplayUnit::Metric;
        int compared = 0;
        for (const ValueChoice choice :
             {ValueChoice::Mean, ValueChoice::MaxMaterial, ValueChoice::MinMaterial}) {
            pugi::xml_document doc;
            ASSERT_TRUE(doc.load_string(exported(c.series, c.classes, choice).c_str()));
            for (pugi::xml_node size : doc.child("ThreadType").children("ThreadSize")) {
                for (pugi::xml_node d : size.children("Designation")) {
                    const std::string key =
                        keyOf(size.child_value("Size"), d.child_value("ThreadDesignation"),
                              d.child_value("Pitch"), metric);
                    const Row* row = table.row(key);
                    if (row == nullptr || inError(c.file, key)) continue;
                    for (pugi::xml_node t : d.children("Thread")) {
                        const int side = std::string(t.child_value("Gender")) == "internal";
                        if (t.child_value("Class") != row->at(side ? "class_int" : "class_ext")) {
                            continue;
                        }
                        for (int i = 0; i < 3; ++i) {
                            if (diameters[side][i][0] == nullptr) continue;
                            const double hi = PublishedTable::number(*row, diameters[side][i][0])
                                                  .value_or(NAN);  // none for some internal majors
                            const double lo =
                                PublishedTable::number(*row, diameters[side][i][1]).value_or(NAN);
                            const bool onlyMin = side == 1 && i == 0 && !c.internalMajorMax;
                            const double expected =
                                onlyMin                       ? lo
                                : choice == ValueChoice::Mean ? (hi + lo) / 2
                                : (choice == ValueChoice::MaxMaterial) == (side == 0) ? hi
                                                                                      : lo;
                            EXPECT_NEAR(t.child(elements[i]).text().as_double(), expected,
                                        unitOf(c.series))
                                << key << " " << t.child_value("Class") << " " << elements[i];
                            ++compared;
                        }
                    }
                }
            }
        }
        EXPECT_GE(compared, std::min<int>(60, 6 * static_cast<int>(table.rows().size()))) << c.file;
        // Inventor: size, designation, CTD, pitch, then class and six limits per side.
        std::istringstream rows(
            exported(c.series, c.classes, ValueChoice::Mean, FileFormat::InventorCsv));
        std::string line;
        std::getline(rows, line);
        EXPECT_EQ(line.rfind("Size,Designation,CTD,", 0), 0u) << line;
        while (std::getline(rows, line)) {
            std::vector<std::string> cells;
            std::stringstream in(line);
            for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
            cells.resize(19);
            const std::string key = keyOf(cells[0], cells[1], cells[3], metric);
            const Row* row = table.row(key);
            if (row == nullptr || inError(c.file, key) || row->at("class_ext") != cells[4] ||
                row->at("class_int") != cells[11]) {
                continue;
            }
            for (int side = 0; side < 2; ++side) {
                for (int i = 0; i < 3; ++i) {
                    for (int m = 0; m < 2; ++m) {
                        const char* column = diameters[side][i][m];
                        const std::string& cell = cells[5 + 7 * side + 2 * i + m];
                        if (column == nullptr || cell.empty()) continue;
                        const auto published = PublishedTable::number(*row, column);
                        ASSERT_TRUE(published) << key << " " << column;
                        EXPECT_NEAR(number(cell), *published, unitOf(c.series)) << key << column;
                    }
                }
            }
        }
    }
}

// A thread whose diameters are out of order is refused, and so is any file holding it; the
// taper pipe threads are left out with a message; one file holds one unit and one angle.
TEST(CadFiles, FaultsAreAnErrorAndNoText) {
    const PublishedTable faults("cad/faults.csv");
    ASSERT_FALSE(faults.rows().empty());
    for (const Row& row : faults.rows()) {
        Thread t;
        t.className = "6H";
        t.side = row.at("side") == "internal" ? ThreadSide::Internal : ThreadSide::External;
        t.major = number(row.at("major"));
        t.pitch = number(row.at("pitch"));
        t.minor = number(row.at("minor"));
        const std::string fault = threadFault(t);
        const std::string& expected = row.at("fault");
        EXPECT_EQ(fault.empty(), expected.empty()) << row.at("case") << ": " << fault;
        EXPECT_NE(fault.find(expected), std::string::npos) << fault;
        const Family f{"Torveld test 2.2", false, 60, 0, {{"M10", "M10", 1.5, {t}}}};
        for (const Exported& file : {fusionXml(f), inventorCsv(f)}) {
            EXPECT_EQ(file.ok(), expected.empty()) << row.at("case");
            EXPECT_EQ(file.text.empty(), !expected.empty()) << row.at("case");
        }
    }
    const std::tuple<std::vector<std::string>, bool, const char*> requests[] = {
        {{"1/2 NPT", "1/4-20 UNC"}, true, "taper"},
        {{"1/2 NPT"}, false, "taper"},
        {{"1/4-20 UNC", "M10"}, false, "one unit"},
        {{"1/4-20 UNC", "1/4 BSW"}, false, "one flank angle"},
    };
    for (const auto& [designations, written, said] : requests) {
        const Exported file = exportThreads(
            {std::nullopt, designations, {}, ValueChoice::Mean, "", "2.2"}, FileFormat::Fusion360);
        EXPECT_EQ(file.ok(), written) << designations.front();
        EXPECT_EQ(file.text.empty(), !written);
        std::string all = file.error;
        for (const std::string& m : file.messages) all += m;
        EXPECT_NE(all.find(said), std::string::npos) << all;
    }
}

}  // namespace
}  // namespace torveld::query::cad
