#include "roll/qt/roll_picture.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "roll/qt/roll_painter.h"

namespace velmora {

namespace {

// A picture wider than this draws each step narrower, down to a pixel.
constexpr double kWidestPicture = 16000;
constexpr double kPictureRowHeight = 10;  // tall enough to name every row

std::string lowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

void writeRollPicture(const RollModel& model, const std::filesystem::path& path) {
    const std::string extension = lowerExtension(path);
    if (extension != ".png" && extension != ".svg") {
        throw RollPictureError("cannot draw " + path.string() + ": the picture must be a .png or .svg file");
    }
    double stepWidth = RollLayout::kDefaultStepWidth;
    const double steps = std::max<std::int32_t>(1, model.totalSteps + 1);
    if (RollLayout::kAxisWidth + steps * stepWidth > kWidestPicture) {
        stepWidth = std::max(1.0, (kWidestPicture - RollLayout::kAxisWidth) / steps);
    }
    const RollLayout layout(model, stepWidth, kPictureRowHeight);
    const int width = static_cast<int>(std::ceil(layout.width()));
    const int height = static_cast<int>(std::ceil(layout.height()));
    const QString fileName = QString::fromStdString(path.string());

    if (extension == ".svg") {
        QSvgGenerator svg;
        svg.setFileName(fileName);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle("Velmora");
        QPainter painter;
        if (!painter.begin(&svg)) throw RollPictureError("cannot write " + path.string());
        paintRoll(painter, layout, 0, width);
        painter.end();
        return;
    }
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintRoll(painter, layout, 0, width);
    painter.end();
    if (!image.save(fileName, "PNG")) throw RollPictureError("cannot write " + path.string());
}

}  // namespace velmora
