#include "qt_test_support.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

// The leak checker of sanitizer builds: fontconfig keeps its configuration and caches for the
// life of the process (Qt's font database reads them once); they are not leaks of this program.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace torveld::platform::qt::test {

void ensureApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "qt_platform_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the test process
}

PdfPage readPdf(const QString& path) {
    PdfPage page;
    QProcess process;
    process.start(QStringLiteral(TORVELD_PDFTOTEXT),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return page;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());

    static const QRegularExpression pageTag(
        QString::fromUtf8(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    if (const auto match = pageTag.match(html); match.hasMatch()) {
        page.width = match.captured(1).toDouble();
        page.height = match.captured(2).toDouble();
    }
    static const QRegularExpression wordTag(QString::fromUtf8(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = wordTag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        QString text = match.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        page.words.push_back({text.toStdString(), match.captured(1).toDouble(),
                              match.captured(2).toDouble(), match.captured(3).toDouble(),
                              match.captured(4).toDouble()});
    }
    return page;
}

QString testFolder(const std::string& name) {
    QDir dir(QStringLiteral(TORVELD_TEST_OUTPUT_DIR "/out/") + QString::fromStdString(name));
    dir.removeRecursively();
    dir.mkpath(QStringLiteral("."));
    return dir.absolutePath();
}

}  // namespace torveld::platform::qt::test
