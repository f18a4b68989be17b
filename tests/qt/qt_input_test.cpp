// The text side of keyboard search and tips on the Qt platform, with odd and random input:
// whatever is typed and whatever the entries hold, the search names a matching entry or none,
// and a tip keeps its words.
#include <gtest/gtest.h>

#include <QStringList>
#include <climits>
#include <random>

#include "qt_input.h"

namespace torveld::platform::qt {
namespace {

TEST(FindEntry, PassesOverLeadingBlanksFromTheStartRoundPastTheEnd) {
    const QStringList sizes{"  0 - 80", "  1 - 72", "  1/4 - 28", "  1/2 - 20", "  1 1/8 - 12"};
    EXPECT_EQ(findEntry(sizes, "1/2", 0), 3);
    EXPECT_EQ(findEntry(sizes, "1", 2), 2);
    EXPECT_EQ(findEntry(sizes, "1 1", 0), 4);
    EXPECT_EQ(findEntry(sizes, "0", 1), 0) << "round past the end";
    EXPECT_EQ(findEntry(sizes, "  1", 0), -1) << "blanks typed first match nothing";
    EXPECT_EQ(findEntry(sizes, "", 0), -1);
    EXPECT_EQ(findEntry({}, "1", 0), -1);
    EXPECT_EQ(findEntry(sizes, "1/2", INT_MAX), 3) << "a start outside begins at the top";
    EXPECT_EQ(findEntry(sizes, "1/2", -7), 3);
    EXPECT_EQ(findEntry({"  M10 - 1.5"}, "m10", 0), 0) << "letters in either case";
}

// Random entries and random typing, lone surrogates among them: the search names an entry that
// starts with the typed text, or none when no entry does.
TEST(FindEntry, RandomInputNamesAMatchingEntryOrNone) {
    std::mt19937 rng(20240611);
    const QString alphabet = QString::fromUtf8(" \t/-.0123456789MmxX\u00b0\u00e9\U0001F600");
    const auto randomText = [&](int longest) {
        QString text;
        const int length = static_cast<int>(rng() % static_cast<unsigned>(longest + 1));
        for (int i = 0; i < length; ++i) text += alphabet.at(rng() % alphabet.size());
        return text;
    };
    const auto matches = [](QString entry, const QString& typed) {
        while (!entry.isEmpty() && entry.front().isSpace()) entry.remove(0, 1);
        return !typed.isEmpty() && entry.startsWith(typed, Qt::CaseInsensitive);
    };
    for (int round = 0; round < 20000; ++round) {
        QStringList entries;
        const int count = static_cast<int>(rng() % 8);
        for (int i = 0; i < count; ++i) entries.push_back(randomText(6));
        const QString typed = randomText(3);
        const int found = findEntry(entries, typed, static_cast<int>(rng() % 12) - 2);
        if (found >= 0) {
            ASSERT_LT(found, count) << round;
            ASSERT_TRUE(matches(entries[found], typed)) << round;
        } else {
            for (const QString& entry : entries) ASSERT_FALSE(matches(entry, typed)) << round;
        }
    }
}

TEST(WrappedTip, KeepsEveryWordInLinesOfTheWidth) {
    EXPECT_EQ(wrappedTip(""), "");
    EXPECT_EQ(wrappedTip("short tip"), "short tip");
    EXPECT_EQ(wrappedTip("aaaa bbbb cccc", 9), "aaaa bbbb\ncccc");
    EXPECT_EQ(wrappedTip("averyverylongword x", 5), "averyverylongword\nx");
}

}  // namespace
}  // namespace torveld::platform::qt
