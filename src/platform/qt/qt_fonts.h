// Fonts and text for the Qt platform: the window and sheet faces, point sizes laid out at 96 dpi,
// and the conversion of the system's byte strings to and from Qt strings.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <string>
#include <string_view>

namespace torveld::platform::qt {

// Makes "Tahoma" and "Verdana" available: Tahoma from Debian's fonts-wine (its regular file; Qt
// emboldens it for bold text), otherwise DejaVu Sans stands in for either face. Needs a
// QGuiApplication; calling it again does nothing.
void installFonts();

// The family a face resolves to after installFonts ("Tahoma", or "DejaVu Sans" as stand-in).
QString resolvedFamily(std::string_view face);

// Pixel size of a point size laid out at 96 dpi: 8..14 pt give 11..19 px.
int pixelsForPoints(double points);

// A widget font: the face at the pixel size of `points` and the given weight (100..900), its
// Latin text drawn without shaping.
QFont widgetFont(std::string_view face, double points, int weight);

// The distance from one line of text to the next in `font`, in its pixels: the font's own line
// spacing, but at least 6/5 of its pixel size, the usual single spacing. The free Tahoma's own
// (10 pixels at 11, 11 emboldened) leaves no room between the letters of one line and the next.
int normalLineSpacing(const QFont& font);

// Text drawn on a painter that scales (a high-density screen, QT_SCALE_FACTOR) is laid out and
// drawn in the device's own pixels, in the font at the device's pixel size. Qt emboldens the
// regular Tahoma file by a share of the font's pixel size before it scales the glyphs, so text
// laid out at the window's size and scaled up would keep only the boldness of the small size
// (half of it at twice the size); at the device's size it is as bold as at 1x.
//
// While an object of this class lives, an active one has switched the painter to device
// pixels and its font to the device's size; the painter is restored when it goes.
class DevicePixelText {
  public:
    explicit DevicePixelText(QPainter& painter);
    ~DevicePixelText();
    DevicePixelText(const DevicePixelText&) = delete;
    DevicePixelText& operator=(const DevicePixelText&) = delete;

    // True when the painter scales evenly by other than 1, so that text is switched.
    static bool needed(const QPainter& painter);
    // True when the painter has been switched.
    bool active() const { return active_; }
    // A rectangle or point of the painter's former coordinates in the switched ones.
    QRect map(const QRect& rect) const;
    QPointF map(const QPointF& point) const;
    // A font of the former coordinates at the device's size.
    QFont map(const QFont& font) const;

  private:
    QPainter& painter_;
    bool active_ = false;
    qreal scale_ = 1;
};

// Text of the system: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (the degree
// sign as the single byte 176).
QString fromText(std::string_view text);
// Qt text back to the system's UTF-8.
std::string toText(const QString& text);

}  // namespace torveld::platform::qt
