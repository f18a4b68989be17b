// Fonts and text for the Qt platform: the window and sheet faces, point sizes laid out at 96 dpi,
// and the conversion of the system's byte strings to and from Qt strings.
#pragma once

#include <QFont>
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

// Text of the system: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (the degree
// sign as the single byte 176).
QString fromText(std::string_view text);
// Qt text back to the system's UTF-8.
std::string toText(const QString& text);

}  // namespace torveld::platform::qt
