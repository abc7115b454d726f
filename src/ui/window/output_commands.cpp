// The sound output: chosen in a dialog or by dropping a soundfont, made once
// and kept while the program runs.
#include "ui/dialogs/output_dialog.h"
#include "ui/performance/output_test_sound.h"
#include "ui/roll/roll_panel.h"
#include "ui/settings/engine_texts.h"
#include "ui/window/main_window.h"

namespace velmora {

void MainWindow::chooseOutput() {
    const OutputSettings before = outputSettings();
    OutputTestSound testSound(performance_->output().port());
    OutputDialog dialog(before, this, [this, &testSound](const OutputSettings& settings) {
        return testOutput(settings, testSound);
    });
    dialog.setOutputInUse(QString::fromStdString(performance_->output().rollRecorder().outputDescription()));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    testSound.stop();  // the output is the performance's again
    if (accepted)
        applyOutputSettings(dialog.settings());
    else if (outputSettings() != before)
        applyOutputSettings(before);  // a test took other settings for a while
}

QString MainWindow::testOutput(const OutputSettings& settings, OutputTestSound& testSound) {
    if (performance_->performing()) return tr("演奏中は試聴できません");
    testSound.stop();
    rollPanel_->typing().suspend();  // the test takes the output
    if (settings != outputSettings()) {
        if (const std::optional<std::string> error = performance_->chooseOutput(settings))
            return tr("出力 %1 を選べません: %2")
                .arg(QString::fromStdString(settings.output), technicalDetail(*error));
    }
    const PerformanceOptions& options = performance_->options();
    testSound.start(options.backingProgram(), options.melodyProgram());
    // The roll's recorder opens whatever happens; it keeps the output's own failure.
    if (const std::string failed = performance_->output().rollRecorder().outputOpenError(); !failed.empty()) {
        testSound.stop();
        return tr("出力を開けません: %1").arg(technicalDetail(failed));
    }
    const std::string where = performance_->output().rollRecorder().outputDescription();
    return QString::fromStdString(where.empty() ? settings.output : where);
}

void MainWindow::applyOutputSettings(const OutputSettings& settings) {
    if (performance_->performing()) return;  // the performance holds the output
    rollPanel_->typing().suspend();          // the output it opened goes away
    if (const std::optional<std::string> error = performance_->chooseOutput(settings)) {
        // The reason may name command-line options: it stays in the tooltip.
        showNotice(tr("出力 %1 を選べません").arg(QString::fromStdString(settings.output)),
                   technicalDetail(*error));
        return;
    }
    showNotice({});
}

void MainWindow::takeSoundfont(const std::string& path) {
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
