// The sound output: chosen in a dialog or by dropping a soundfont, made once
// and kept while the program runs.
#include <QPushButton>

#include "ui/main_window.h"
#include "ui/output_dialog.h"

namespace velmora {

void TForm1::outputButtonClick() {
    OutputDialog dialog(outputSettings_, this);
    if (dialog.exec() == QDialog::Accepted) applyOutputSettings(dialog.settings());
}

void TForm1::applyOutputSettings(const OutputSettings& settings) {
    if (transport_->performing()) return;  // the performance holds the output
    if (outputInjected_) {
        outputSettings_ = settings;
        return;
    }
    OutputChoice choice = makeOutput(settings);
    if (!choice.backend) {
        showNotice("出力を選べません: " + QString::fromStdString(choice.error));
        return;
    }
    port_.setBackend(*choice.backend);
    output_ = std::move(choice.backend);
    outputSettings_ = settings;
    lastOutputError_.clear();
    showNotice({});
}

void TForm1::takeSoundfont(const std::string& path) {
    OutputSettings settings = outputSettings_;
    settings.soundfont = path;
    applyOutputSettings(settings);
    if (outputSettings_.soundfont == path) showNotice("サウンドフォント: " + QString::fromStdString(path));
}

}  // namespace velmora
