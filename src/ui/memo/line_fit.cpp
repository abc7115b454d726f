#include "ui/memo/line_fit.h"

#include <QFontMetricsF>

namespace velmora {

namespace {
// Kerning and hinting move a line's width by far less than this.
constexpr qreal kRelativeMargin = 0.1;
constexpr qreal kAbsoluteMargin = 8;
}  // namespace

LineFit::LineFit(const QFont& font, qreal lineWidth) : lineWidth_(lineWidth) {
    const QFontMetricsF metrics(font);
    for (std::size_t i = 0; i < advances_.size(); ++i)
        advances_[i] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(0x20 + i)));
}

bool LineFit::surelyFits(QStringView paragraph) const {
    qreal width = 0;
    for (const QChar c : paragraph) {
        const char16_t code = c.unicode();
        if (code < 0x20 || code >= 0x7F) return false;
        width += advances_[code - 0x20];
    }
    return width * (1 + kRelativeMargin) + kAbsoluteMargin <= lineWidth_;
}

}  // namespace velmora
