// The sound output: chosen in a dialog or by dropping a soundfont, made once
// and kept while the program runs.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/engine_texts.h"
#include "ui/main_window.h"
#include "ui/output_dialog.h"

namespace velmora {

void TForm1::outputButtonClick() {
    OutputDialog dialog(outputSettings(), this);
    if (dialog.exec() == QDialog::Accepted) applyOutputSettings(dialog.settings());
}

void TForm1::applyOutputSettings(const OutputSettings& settings) {
    if (performance_->performing()) return;  // the performance holds the output
    if (const std::optional<std::string> error = performance_->chooseOutput(settings)) {
        // The reason may name command-line options: it stays in the tooltip.
        showNotice(tr("出力 %1 を選べません").arg(QString::fromStdString(settings.output)));
        c_.statusNotice->setToolTip(technicalDetail(*error));
        return;
    }
    showNotice({});
}

void TForm1::takeSoundfont(const std::string& path) {
    if (!isSoundfontData(QString::fromStdString(path))) {
        prompts_->showError(tr("%1 はサウンドフォントではありません").arg(QString::fromStdString(path)));
        return;
    }
    OutputSettings settings = outputSettings();
    settings.soundfont = path;
    applyOutputSettings(settings);
    if (outputSettings().soundfont == path)
        showNotice(tr("サウンドフォント: ") + QString::fromStdString(path));
}

}  // namespace velmora
