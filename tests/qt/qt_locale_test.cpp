// The desktop program's windows and sheets as whole processes (qt_window_probe): the same to the
// last character and pixel under C.UTF-8 and under the decimal-comma locales de_DE.UTF-8 and
// fr_FR.UTF-8, and as bold at twice the scale as at 1x.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "control_table.h"
#include "qt_test_support.h"

namespace torveld {
namespace {

using platform::qt::test::PdfPage;
using platform::qt::test::readPdf;
using platform::qt::test::testFolder;

// The states the probe writes: the window as it starts and six sizes with decimals.
constexpr int kStates = 7;

struct ProbeRun {
    bool ok = false;
    QString folder;
    QString output;
};

// Runs the probe into a fresh folder under the locale, with extra environment settings.
ProbeRun runProbe(const std::string& name, const QString& locale, const QStringList& extra = {},
                  const QStringList& arguments = {}) {
    ProbeRun run;
    run.folder = testFolder(name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LOCPATH"), QStringLiteral(TORVELD_TEST_LOCPATH));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("LANGUAGE"));
    for (const char* variable : {"LANG", "LC_ALL"}) {
        environment.insert(QString::fromLatin1(variable), locale);
    }
    for (const QString& setting : extra) {
        const qsizetype equals = setting.indexOf(u'=');
        environment.insert(setting.left(equals), setting.mid(equals + 1));
    }
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QStringLiteral(TORVELD_WINDOW_PROBE), QStringList{run.folder} + arguments);
    // Generous for the sanitizer build on a busy machine.
    const bool finished = probe.waitForFinished(300000);
    run.output = QString::fromLocal8Bit(probe.readAll());
    run.ok = finished && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
    return run;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The first line where two texts differ, for the failure message.
std::string firstDifference(const QString& a, const QString& b) {
    const QStringList left = a.split(u'\n');
    const QStringList right = b.split(u'\n');
    for (qsizetype line = 0; line < std::max(left.size(), right.size()); ++line) {
        const QString l = line < left.size() ? left[line] : QStringLiteral("(end)");
        const QString r = line < right.size() ? right[line] : QStringLiteral("(end)");
        if (l != r) {
            return "line " + std::to_string(line + 1) + ": \"" + l.toStdString() + "\" / \"" +
                   r.toStdString() + "\"";
        }
    }
    return "none";
}

// The words of a sheet with their places, one per line.
QString sheetWords(const QString& pdf) {
    const PdfPage page = readPdf(pdf);
    QString words;
    for (const auto& word : page.words) {
        words += QStringLiteral("%1 %2 %3 %4 %5\n")
                     .arg(QString::fromStdString(word.text))
                     .arg(word.xMin, 0, 'f', 2)
                     .arg(word.yMin, 0, 'f', 2)
                     .arg(word.xMax, 0, 'f', 2)
                     .arg(word.yMax, 0, 'f', 2);
    }
    return words;
}

TEST(DesktopLocale, WindowsSheetsAndPdfAreTheSameUnderADecimalComma) {
    const ProbeRun reference = runProbe("locale-C", QStringLiteral("C.UTF-8"));
    ASSERT_TRUE(reference.ok) << reference.output.toStdString();
    const QString referenceTexts = readText(reference.folder + "/texts.txt");
    ASSERT_GT(referenceTexts.count(u'\n'), 5000) << "every text of seven states";
    ASSERT_TRUE(referenceTexts.contains(QStringLiteral("  M10 - 1.5"))) << "the states were shown";

    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(name);
        const QString locale = QString::fromLatin1(name);
        const ProbeRun run = runProbe(std::string("locale-") + name, locale);
        ASSERT_TRUE(run.ok) << run.output.toStdString();
        // The probe really ran under the locale: QApplication switched the C library to it.
        const QStringList seen = readText(run.folder + "/locale.txt").split(u'\n');
        ASSERT_GE(seen.size(), 2);
        ASSERT_EQ(seen[1], "1,5") << "the locale " << name << " was not in force ("
                                  << seen[0].toStdString() << "); LOCPATH=" TORVELD_TEST_LOCPATH;

        const QString texts = readText(run.folder + "/texts.txt");
        EXPECT_EQ(texts, referenceTexts) << firstDifference(referenceTexts, texts);
        for (int state = 0; state < kStates; ++state) {
            SCOPED_TRACE(state);
            for (const char* picture : {"main", "info", "sheet"}) {
                const QString file =
                    QStringLiteral("/%1_%2.png").arg(QLatin1String(picture)).arg(state);
                const QImage expected(reference.folder + file);
                ASSERT_FALSE(expected.isNull()) << file.toStdString();
                EXPECT_EQ(QImage(run.folder + file), expected) << file.toStdString();
            }
            const QString pdf = QStringLiteral("/sheet_%1.pdf").arg(state);
            const QString expectedWords = sheetWords(reference.folder + pdf);
            ASSERT_GT(expectedWords.count(u'\n'), 50) << pdf.toStdString();
            const QString words = sheetWords(run.folder + pdf);
            EXPECT_EQ(words, expectedWords) << firstDifference(expectedWords, words);
        }
    }
}

// The ink of the captions of the main window as it starts: the darkness their letters add to
// their grey, over the rows of their text line, per device-independent pixel.
double captionInk(const QImage& window, int scale) {
    double ink = 0;
    for (const ControlDef& def : mainControls()) {
        if (def.kind != platform::ControlKind::Label || def.caption[0] == '\0' ||
            def.rect.width == 0) {
            continue;
        }
        // The text line: 15 rows from the caption's top, clear of the field below it. The
        // window's thin border puts the client area one pixel in.
        const int left = (def.rect.left + 1) * scale;
        const int top = (def.rect.top + 1) * scale;
        const QRgb grey = window.pixel(left, top);
        for (int y = top; y < top + 15 * scale; ++y) {
            for (int x = left; x < left + def.rect.width * scale; ++x) {
                ink += std::max(0, qGray(grey) - qGray(window.pixel(x, y))) / 255.0;
            }
        }
    }
    return ink / (scale * scale);
}

TEST(DesktopScale, CaptionsAreAsBoldAtTwiceTheScale) {
    const ProbeRun single =
        runProbe("scale-1", QStringLiteral("C.UTF-8"), {}, {QStringLiteral("--start-only")});
    ASSERT_TRUE(single.ok) << single.output.toStdString();
    const ProbeRun twice =
        runProbe("scale-2", QStringLiteral("C.UTF-8"), {QStringLiteral("QT_SCALE_FACTOR=2")},
                 {QStringLiteral("--start-only")});
    ASSERT_TRUE(twice.ok) << twice.output.toStdString();
    const QImage one(single.folder + "/main_0.png");
    const QImage two(twice.folder + "/main_0.png");
    ASSERT_EQ(one.size(), QSize(800, 550));
    ASSERT_EQ(two.size(), QSize(1600, 1100));
    const double ink = captionInk(one, 1);
    ASSERT_GT(ink, 1000) << "the captions' letters";
    EXPECT_NEAR(captionInk(two, 2) / ink, 1.0, 0.08);
}

}  // namespace
}  // namespace torveld
