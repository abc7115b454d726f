// What the window reads off the memo's text: the estimated playing time and
// the notes of the characters under the mouse pointer.
#include <QLabel>

#include "documents/cp932_text.h"
#include "engine/time_estimate.h"
#include "ui/memo/memo_edit.h"
#include "ui/window/main_window.h"

namespace velmora {

namespace {

constexpr int kPointerDisplayLength = 8;

}  // namespace

void MainWindow::showTimeEstimate() {
    if (c_.memo->document()->isEmpty()) return;
    const QString estimate =
        QString::fromStdString(updateTimeEstimate(static_cast<std::uint32_t>(memoBytes_.textBytes()),
                                                  static_cast<std::uint32_t>(options().timerInterval())));
    if (c_.estimatedTime->text() != estimate) c_.estimatedTime->setText(estimate);
}

void MainWindow::showNotesUnderPointer(QPoint position) {
    c_.memo->setFocus();
    const int index = c_.memo->cursorForPosition(position).position();
    if (index == lastPointerIndex_) return;
    lastPointerIndex_ = index;

    // The upper-cased text is made only for the bytes shown, from the pointer on.
    const std::string upperText = memoBytes_.upperTextAt(*c_.memo->document(), index, kPointerDisplayLength);
    std::size_t at = 0;
    const PerformanceOptions& o = options();
    std::string names;
    bool trailByte = false;
    for (int taken = 0; taken < kPointerDisplayLength; ++taken) {
        const auto byte = at < upperText.size() ? static_cast<std::uint8_t>(upperText[at]) : std::uint8_t{0};
        // Only '0'..'Z' are named; the bytes of a two-byte character are not.
        if (!trailByte && byte >= 0x30 && byte <= 0x5A)
            names += o.noteName(byte, performance_->random());
        else
            names += ' ';
        trailByte = !trailByte && isCp932LeadByte(byte);
        if (++at >= upperText.size()) break;
    }
    c_.pointerNotes->setText(QString::fromStdString(names));
}

}  // namespace velmora
