#include "qt_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <string>

namespace torveld::platform::qt {
namespace {

constexpr std::string_view kStandIn = "DejaVu Sans";

// Where Debian's fonts-wine puts the free Tahoma. Only its regular file: Qt emboldens it for
// bold text, which looks as Tahoma Bold should; Wine's own bold file draws as thin as the
// regular one.
constexpr std::array<const char*, 2> kTahomaFiles = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/lib/wine/fonts/tahoma.ttf",
};

bool fontsInstalled = false;

// The families the font database holds once the application fonts are in. Asking the list
// is cheap; QFontDatabase::hasFamily on a family that is not installed has fontconfig resolve
// its aliases, several milliseconds each time, which was a fifth of the desktop start-up.
const QStringList& knownFamilies() {
    static const QStringList families = QFontDatabase::families();
    return families;
}

bool known(const QString& family) {
    return knownFamilies().contains(family, Qt::CaseInsensitive);
}

}  // namespace

void installFonts() {
    if (fontsInstalled || QGuiApplication::instance() == nullptr) return;
    fontsInstalled = true;
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
        for (const char* file : kTahomaFiles) {
            if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0) break;
        }
    }
    const QString standIn = QString::fromLatin1(kStandIn.data(), kStandIn.size());
    for (const char* face : {"Tahoma", "Verdana"}) {
        const QString family = QString::fromLatin1(face);
        if (!known(family)) QFont::insertSubstitution(family, standIn);
    }
}

QString resolvedFamily(std::string_view face) {
    installFonts();
    // Each face is looked up once: the answer stays the same once the fonts are installed.
    static std::map<std::string, QString, std::less<>> resolved;
    if (const auto found = resolved.find(face); found != resolved.end()) return found->second;
    QString family = fromText(face);
    if (family.isEmpty() || !known(family)) {
        family = QString::fromLatin1(kStandIn.data(), static_cast<qsizetype>(kStandIn.size()));
    }
    resolved.emplace(std::string(face), family);
    return family;
}

int pixelsForPoints(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

QFont widgetFont(std::string_view face, double points, int weight) {
    installFonts();
    QFont font;
    font.setFamilies({resolvedFamily(face), QString::fromLatin1(kStandIn.data(), kStandIn.size())});
    font.setPixelSize(pixelsForPoints(points));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    // The window's texts are Latin only: their glyphs come straight from the font's character
    // map, without kerning, as the classic Windows text drawing has them. Shaping each label and
    // field was a tenth of the first paint.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

int normalLineSpacing(const QFont& font) {
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return std::max(QFontMetrics(font).lineSpacing(), static_cast<int>(std::lround(pixels * 1.2)));
}

bool DevicePixelText::needed(const QPainter& painter) {
    const QTransform device = painter.deviceTransform();
    return device.type() == QTransform::TxScale && device.m11() > 0 &&
           qFuzzyCompare(device.m11(), device.m22()) && !qFuzzyCompare(device.m11(), 1.0);
}

DevicePixelText::DevicePixelText(QPainter& painter) : painter_(painter) {
    if (!needed(painter)) return;
    const QTransform device = painter.deviceTransform();
    active_ = true;
    scale_ = device.m11();
    painter.save();
    // The world transform after which only the device's translation is left.
    painter.setWorldTransform(QTransform::fromTranslate(device.dx(), device.dy()) *
                              device.inverted() * painter.worldTransform());
    painter.setFont(map(painter.font()));
}

DevicePixelText::~DevicePixelText() {
    if (active_) painter_.restore();
}

QRect DevicePixelText::map(const QRect& rect) const {
    if (!active_) return rect;
    return QRectF(rect.x() * scale_, rect.y() * scale_, rect.width() * scale_,
                  rect.height() * scale_)
        .toRect();
}

QPointF DevicePixelText::map(const QPointF& point) const {
    return active_ ? point * scale_ : point;
}

QFont DevicePixelText::map(const QFont& font) const {
    if (!active_) return font;
    QFont scaled(font);
    if (font.pixelSize() > 0) {
        scaled.setPixelSize(std::max(1, qRound(font.pixelSize() * scale_)));
    } else {
        scaled.setPointSizeF(font.pointSizeF() * scale_);
    }
    return scaled;
}

QString fromText(std::string_view text) {
    // Nearly every text is plain ASCII, which reads the same in either encoding.
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid()) {
        return cp1252.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toText(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace torveld::platform::qt
