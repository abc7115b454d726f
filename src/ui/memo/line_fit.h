#pragma once

#include <QFont>
#include <QStringView>
#include <array>

namespace velmora {

// Tells, without laying it out, that a paragraph of plain ASCII letters is
// surely narrower than the memo's line: the sum of its characters' advances,
// with a margin for kerning and rounding, is below the width. Laying out the
// lines of a text of megabytes takes seconds; most lines of such texts fit.
// Anything else (other characters, tabs, a paragraph near the width) is left
// to the real layout.
class LineFit {
public:
    LineFit(const QFont& font, qreal lineWidth);

    bool surelyFits(QStringView paragraph) const;

private:
    std::array<qreal, 0x7F - 0x20> advances_{};  // ' ' .. '~'
    qreal lineWidth_;
};

}  // namespace velmora
