// The look of the Qt windows: Fusion on every desktop, the drop-down list dropping below its box,
// and the line-edit panels and radio indicators drawn once per look and then copied.
#pragma once

#include <QPixmap>
#include <QProxyStyle>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace torveld::platform::qt {

class TorveldStyle final : public QProxyStyle {
  public:
    TorveldStyle();
    ~TorveldStyle() override;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

    // Line-edit panels and radio indicators come from a pixmap cache keyed on everything their
    // drawing depends on (size, state, direction, colours, pixel ratio): the main window has 46
    // fields and 25 radios in a few looks, and Fusion draws each with anti-aliased paths.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

    // Texts on a painter that scales are drawn in device pixels (DevicePixelText): captions,
    // radios, buttons, the drop-down box, list headers and the rows of the lists.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

    // The number of looks drawn and kept.
    std::size_t cachedLooks() const { return looks_.size(); }

  private:
    // Everything a cached primitive's drawing depends on.
    struct PrimitiveLook {
        int element = 0;
        QSize size;
        unsigned state = 0;
        int direction = 0;
        qreal ratio = 1;
        int lineWidth = 0;
        int midLineWidth = 0;
        int features = 0;
        std::array<QRgb, QPalette::NColorRoles> colours{};
        bool operator==(const PrimitiveLook& other) const;
    };
    static constexpr std::size_t kMaxLooks = 64;

    // The pixmap drawn for a look, or nullptr when it is still to be drawn.
    const QPixmap* find(const PrimitiveLook& look) const;
    void keep(const PrimitiveLook& look, const QPixmap& pixmap) const;
    bool drawCached(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                    const QWidget* widget) const;

    mutable std::vector<std::pair<PrimitiveLook, QPixmap>> looks_;
};

}  // namespace torveld::platform::qt
