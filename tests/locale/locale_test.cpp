// The numbers do not depend on the process locale. The desktop runs in the user's locale (the
// toolkit switches the C library to it at start), and most of Europe writes a decimal comma:
// every number read or written must still use the point.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "drill_chart.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "number_format.h"
#include "recording_print_preview.h"
#include "series.h"
#include "window_digest.h"

namespace torveld {
namespace {

const char* const kCommaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8"};

// Switches the C library's locale for the life of the object and back to "C" after it.
class ProcessLocale {
  public:
    explicit ProcessLocale(const char* name) : active_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~ProcessLocale() { std::setlocale(LC_ALL, "C"); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;

    // True when the locale is in force and really writes a decimal comma, so that a test that
    // passes under it has been tested.
    bool writesDecimalComma() const {
        if (!active_) return false;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        return std::string(buffer) == "1,5";
    }

  private:
    bool active_;
};

std::string missingLocale(const char* name) {
    const char* path = std::getenv("LOCPATH");
    return std::string("the locale ") + name +
           " is not available (LOCPATH=" + (path ? path : "unset") +
           "); the suite makes it with localedef";
}

TEST(ProcessLocale, NumbersAreReadAndWrittenWithAPoint) {
    for (const char* name : kCommaLocales) {
        ProcessLocale locale(name);
        ASSERT_TRUE(locale.writesDecimalComma()) << missingLocale(name);
        SCOPED_TRACE(name);

        EXPECT_EQ(leadingNumber("1.5"), 1.5);
        EXPECT_EQ(leadingNumber(".0135"), 0.0135);
        EXPECT_EQ(leadingNumber("  0.080 "), 0.08);
        EXPECT_EQ(leadingNumber("NO DATA"), 0.0);
        EXPECT_EQ(pitchTextValue("11 1/2"), 11.5);
        // M10 x 1.5 coarse: the pitch is 1.5 mm, .0591 in.
        const SizeRow m10 = sizeRow(series::ISO_COARSE, 18);
        ASSERT_EQ(m10.designation, "M10");
        EXPECT_DOUBLE_EQ(m10.pitchInches, 1.5 / 25.4);
        EXPECT_EQ(formatLength(m10.pitchInches, UnitMode::inch()), ".0591");
        EXPECT_EQ(formatLength(m10.pitchInches, UnitMode::metric()), "1.500");
        EXPECT_EQ(formatFixed("%d#####.###", 25.25), "   25.250");
        EXPECT_EQ(drillDiameterText(0.0135, DrillTextMode::StartUp), "     .0135");
        EXPECT_EQ(drillDiameterText(1.0, DrillTextMode::Metric), "  25.400");
    }
}

// Every size of every series in both units, with the information window open and a data sheet
// printed for each: the windows and the sheets are the same under a decimal-comma locale as
// under "C", to the last character.
struct Sweep {
    std::vector<std::uint64_t> digests;
    std::vector<std::string> places;
};

Sweep sweepEverySize() {
    platform::HeadlessWindowing ui({1024, 768});
    platform::RecordingPrintPreview printing;
    MainWindow main(ui, printing);
    main.startUp();
    ui.attach(&main);
    ui.click(main.window(), ids::kInfo);

    Sweep sweep;
    const auto record = [&](std::string place) {
        robustness::Digest digest;
        digest.add(robustness::windowDigest(*ui.window(main.window())));
        digest.add(robustness::windowDigest(*ui.window(main.infoWindow().handle())));
        ui.click(main.window(), ids::kPrint);
        digest.add(robustness::documentDigest(printing.documents().back()));
        sweep.digests.push_back(digest.value());
        sweep.places.push_back(std::move(place));
    };
    for (SeriesId id = 0; id < series::kCount; ++id) {
        ui.click(main.window(), seriesRadioId(id));
        for (int row = 0; row < sizeCount(id); ++row) {
            ui.select(main.window(), ids::kSizeList, row);
            for (int unit : {ids::kInches, ids::kMillimeters}) {
                ui.click(main.window(), unit);
                record(std::string(seriesById(id).name) + " row " + std::to_string(row) +
                       (unit == ids::kInches ? " inch" : " mm"));
            }
        }
    }
    return sweep;
}

TEST(ProcessLocale, EveryWindowAndSheetIsTheSameUnderADecimalComma) {
    const Sweep reference = sweepEverySize();
    ASSERT_GT(reference.digests.size(), 2000u);
    for (const char* name : kCommaLocales) {
        ProcessLocale locale(name);
        ASSERT_TRUE(locale.writesDecimalComma()) << missingLocale(name);
        const Sweep under = sweepEverySize();
        ASSERT_EQ(under.digests.size(), reference.digests.size());
        int differing = 0;
        for (std::size_t i = 0; i < under.digests.size() && differing < 10; ++i) {
            if (under.digests[i] != reference.digests[i]) {
                ++differing;
                ADD_FAILURE() << name << ": " << reference.places[i] << " differs from C";
            }
        }
    }
}

// The MEASURE window under a decimal-comma locale: the numbers typed are read with their point,
// and every text it writes (limits, verdicts, gauges, candidates) is the same as under "C".
std::uint64_t measureWindowDigest() {
    platform::HeadlessWindowing ui({1024, 768});
    platform::RecordingPrintPreview printing;
    MainWindow main(ui, printing);
    main.startUp();
    ui.attach(&main);
    ui.select(main.window(), ids::kSizeList, 9);  // 1/4-20 UNC
    ui.click(main.window(), ids::kMeasure);
    const platform::WindowHandle w = main.measureWindow().handle();
    const auto enter = [&](int id, const char* text) {
        ui.type(w, id, text);
        ui.key(w, {platform::keys::kReturn, false});
    };
    enter(MeasureWindow::kWireEntryId, ".0289");
    enter(MeasureWindow::kReadingEntryId, "0.2603 in");
    enter(MeasureWindow::kDiameterEntryId, "6.32 mm");
    enter(MeasureWindow::kPitchEntryId, "1.27 mm");
    EXPECT_EQ(main.measureWindow().inputs().wire, 0.0289);
    EXPECT_FALSE(main.measureWindow().identification().designations.empty());
    robustness::Digest digest;
    digest.add(robustness::windowDigest(*ui.window(w)));
    ui.click(main.window(), ids::kMillimeters);
    digest.add(robustness::windowDigest(*ui.window(w)));
    return digest.value();
}

TEST(ProcessLocale, TheMeasureWindowReadsAndWritesAPoint) {
    const std::uint64_t reference = measureWindowDigest();
    for (const char* name : kCommaLocales) {
        ProcessLocale locale(name);
        ASSERT_TRUE(locale.writesDecimalComma()) << missingLocale(name);
        EXPECT_EQ(measureWindowDigest(), reference) << name;
    }
}

}  // namespace
}  // namespace torveld
