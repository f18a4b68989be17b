#include "qt_style.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <array>
#include <cmath>

#include "qt_fonts.h"

namespace torveld::platform::qt {
namespace {

// Colours of every role in the option's current colour group.
std::array<QRgb, QPalette::NColorRoles> coloursOf(const QPalette& palette) {
    std::array<QRgb, QPalette::NColorRoles> colours{};
    const QPalette::ColorGroup group = palette.currentColorGroup();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        colours[static_cast<std::size_t>(role)] =
            palette.brush(group, static_cast<QPalette::ColorRole>(role)).color().rgba();
    }
    return colours;
}

// Only plain colours and whole-pixel placements: a textured brush, a scaled painter or a panel
// inside a combined control is drawn directly.
bool cacheable(QStyle::PrimitiveElement element, const QStyleOption& option,
               const QPainter& painter, const QWidget* widget) {
    const QTransform& transform = painter.transform();
    if (option.rect.isEmpty() || transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::round(transform.dx()) ||
        transform.dy() != std::round(transform.dy())) {
        return false;
    }
    if (element == QStyle::PE_PanelLineEdit) {
        if (qstyleoption_cast<const QStyleOptionFrame*>(&option) == nullptr) return false;
        const QWidget* parent = widget != nullptr ? widget->parentWidget() : nullptr;
        if (qobject_cast<const QComboBox*>(parent) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(parent) != nullptr) {
            return false;
        }
    }
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const QBrush& brush = option.palette.brush(group, static_cast<QPalette::ColorRole>(role));
        if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) return false;
    }
    return true;
}

}  // namespace

TorveldStyle::TorveldStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

TorveldStyle::~TorveldStyle() = default;

bool TorveldStyle::PrimitiveLook::operator==(const PrimitiveLook& other) const {
    return element == other.element && size == other.size && state == other.state &&
           direction == other.direction && ratio == other.ratio && lineWidth == other.lineWidth &&
           midLineWidth == other.midLineWidth && features == other.features &&
           colours == other.colours;
}

const QPixmap* TorveldStyle::find(const PrimitiveLook& look) const {
    for (const auto& [known, pixmap] : looks_) {
        if (known == look) return &pixmap;
    }
    return nullptr;
}

void TorveldStyle::keep(const PrimitiveLook& look, const QPixmap& pixmap) const {
    // A few looks are in use at a time; should colours keep changing, start afresh.
    if (looks_.size() >= kMaxLooks) looks_.clear();
    looks_.emplace_back(look, pixmap);
}

int TorveldStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void TorveldStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                const QPalette& palette, bool enabled, const QString& text,
                                QPalette::ColorRole textRole) const {
    const DevicePixelText device(*painter);
    QProxyStyle::drawItemText(painter, device.map(rect), flags, palette, enabled, text, textRole);
}

void TorveldStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
    if (element != CE_ItemViewItem || item == nullptr || item->text.isEmpty() ||
        !DevicePixelText::needed(*painter)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The row's background, selection and focus as they are; its text in device pixels, where
    // and in the colour the base style puts it.
    QStyleOptionViewItem blank(*item);
    blank.text.clear();
    QProxyStyle::drawControl(element, &blank, painter, widget);

    const int margin = pixelMetric(PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area =
        subElementRect(SE_ItemViewItemText, item, widget).adjusted(margin, 0, -margin, 0);
    QPalette::ColorGroup group =
        (item->state & State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && (item->state & State_Active) == 0) group = QPalette::Inactive;
    QPalette palette = item->palette;
    palette.setCurrentColorGroup(group);
    const QPalette::ColorRole role =
        (item->state & State_Selected) != 0 ? QPalette::HighlightedText : QPalette::Text;
    const QString text =
        QFontMetrics(item->font).elidedText(item->text, item->textElideMode, area.width());
    painter->save();
    painter->setFont(item->font);
    drawItemText(painter, area, static_cast<int>(item->displayAlignment) | Qt::TextSingleLine,
                 palette, (item->state & State_Enabled) != 0, text, role);
    painter->restore();
}

void TorveldStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if ((element == PE_PanelLineEdit || element == PE_IndicatorRadioButton) &&
        drawCached(element, option, painter, widget)) {
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool TorveldStyle::drawCached(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (option == nullptr || painter == nullptr || painter->device() == nullptr ||
        !cacheable(element, *option, *painter, widget)) {
        return false;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    PrimitiveLook look;
    look.element = static_cast<int>(element);
    look.size = option->rect.size();
    look.state = static_cast<unsigned>(option->state);
    look.direction = static_cast<int>(option->direction);
    look.ratio = ratio;
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
        look.lineWidth = frame->lineWidth;
        look.midLineWidth = frame->midLineWidth;
        look.features = static_cast<int>(frame->features);
    }
    look.colours = coloursOf(option->palette);
    if (const QPixmap* cached = find(look)) {
        painter->drawPixmap(option->rect.topLeft(), *cached);
        return true;
    }
    // Drawn into a pixmap of its own and kept afterwards: the base style may call back into
    // this style while it draws.
    const QSize size = option->rect.size();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter cachePainter(&pixmap);
        cachePainter.setRenderHints(painter->renderHints());
        // A copy of the option of its own type (style options have no virtual destructor),
        // placed at the pixmap's origin.
        const auto drawAtOrigin = [&](auto copy) {
            copy.rect = QRect(QPoint(0, 0), size);
            QProxyStyle::drawPrimitive(element, &copy, &cachePainter, widget);
        };
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
            drawAtOrigin(QStyleOptionFrame(*frame));
        } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            drawAtOrigin(QStyleOptionButton(*button));
        } else {
            drawAtOrigin(QStyleOption(*option));
        }
    }
    keep(look, pixmap);
    painter->drawPixmap(option->rect.topLeft(), pixmap);
    return true;
}

}  // namespace torveld::platform::qt
