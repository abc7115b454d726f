#include "roll/qt/roll_picture.h"

#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

#include "documents/file_error.h"
#include "documents/safe_file_writer.h"
#include "roll/qt/roll_painter.h"
#include "roll/roll_note_stream.h"
#include "roll/roll_drawing.h"
#include "roll/roll_svg.h"

namespace velmora {

namespace {

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The export's bytes are not wanted, only its notes.
class DiscardedMidi final : public SmfSink {
public:
    void append(const std::uint8_t*, std::size_t) override {}
    bool canPatch() const override { return true; }
};

// QImageWriter's output: the safe writer, whose failure is kept to be thrown.
class SafeWriterDevice final : public QIODevice {
public:
    explicit SafeWriterDevice(SafeFileWriter& out) : out_(out) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    const std::optional<FileError>& failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        try {
            out_.write(data, static_cast<std::size_t>(size));
        } catch (const FileError& error) {
            failure_ = error;
            return -1;
        }
        return size;
    }

private:
    SafeFileWriter& out_;
    std::optional<FileError> failure_;
};

void writePng(SafeFileWriter& out, const RollLayout& layout, const RollPage& page, double scrollX) {
    const int height = static_cast<int>(std::ceil(layout.height()));
    QImage image(page.width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        throw FileError::creating(out.target(), "not enough memory for a picture of " + std::to_string(page.width) +
                                                    " x " + std::to_string(height) + " pixels");
    }
    {
        QPainter painter(&image);
        paintRoll(painter, layout, scrollX, page.width);
    }
    SafeWriterDevice device(out);
    QImageWriter writer(&device, "png");
    if (!writer.write(image)) {
        if (device.failure()) throw *device.failure();
        throw FileError::creating(out.target(), "PNG: " + writer.errorString().toStdString());
    }
}

void writeSvg(SafeFileWriter& out, const RollLayout& layout, const RollPage& page, double scrollX) {
    SvgRollCanvas canvas(out, page.width, static_cast<int>(std::ceil(layout.height())), "Velmora");
    drawRoll(canvas, layout, scrollX, page.width);
    canvas.finish();
}

std::string scratchFolderFor(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

}  // namespace

bool isRollPictureName(const std::string& path) {
    const std::string extension = lowerExtension(path);
    return extension == ".png" || extension == ".svg";
}

std::vector<std::string> writeRollPictures(const ExportRequest& request, RandomSource& rng, const std::string& path,
                                           const RollPageOptions& options, const std::vector<ProtectedInput>& inputs) {
    if (request.playLines.empty()) throw ExportError(kEmptyTextMessage);
    const bool svg = lowerExtension(path) == ".svg";
    SafeWriteOptions writeOptions;
    writeOptions.inputs = inputs;
    checkOutputTarget(path, inputs);  // before the music is made

    // Sounding notes carry the key shift; so does the axis' name base.
    RollNoteStream notes(request.options.grid.meterKind, request.options.noteNameBase(), scratchFolderFor(path),
                         path);
    DiscardedMidi discarded;
    SmfStreamLimits limits;
    limits.maxChunkLength = std::numeric_limits<std::uint64_t>::max();  // no MIDI file is made
    writeMidiFile(request, rng, discarded, limits, &notes);
    notes.finish();

    const RollPagePlan plan = planRollPages(notes.summary(), options);
    // Every page's name passes the check before the first page is drawn: a
    // refusal does not come after some pages were written.
    if (plan.pages.size() > 1) {
        for (std::size_t index = 0; index < plan.pages.size(); ++index) {
            checkOutputTarget(rollPageName(path, index, plan.pages.size()), inputs);
        }
    }
    std::vector<std::string> written;
    for (std::size_t index = 0; index < plan.pages.size(); ++index) {
        const RollPage& page = plan.pages[index];
        const RollModel model = notes.notesFor(page.firstStep, page.endStep - 1);
        const RollLayout layout(model, plan.stepWidth, kRollPictureRowHeight);
        const double scrollX = layout.stepX(page.firstStep) - RollLayout::kAxisWidth;
        const std::string name = rollPageName(path, index, plan.pages.size());
        SafeFileWriter out(name, writeOptions);
        if (svg) {
            writeSvg(out, layout, page, scrollX);
        } else {
            writePng(out, layout, page, scrollX);
        }
        out.commit();
        written.push_back(name);
    }
    return written;
}

}  // namespace velmora
