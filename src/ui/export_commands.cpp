// Exports of the text: a Standard MIDI File, and with the synthesizer a WAV file.
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include "documents/document_paths.h"
#include "smf/build_midi_file.h"
#include "ui/main_window.h"
#include "ui/memo_edit.h"
#include "ui/music_export.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/wav_renderer.h"
#endif

namespace velmora {

namespace {

constexpr const char* kDoneMessage = "完了しました";

}  // namespace

void TForm1::showWritten(const std::string& path) {
    showNotice(tr("%1 を書き出しました").arg(QString::fromStdString(path)));
    prompts_->showInformation(kDoneMessage);
}

std::optional<std::string> TForm1::chooseExportTarget(const char* extension) {
    // A text without a name proposes a visible name in the user's home folder.
    saveDialog_.fileName = document_.hasName()
                               ? QString::fromStdString(proposedExportName(document_.path(), extension))
                               : tr("無題") + extension;
    if (!document_.hasName() && saveDialog_.directory.isEmpty()) saveDialog_.directory = QDir::homePath();
    saveDialog_.defaultSuffix = QString(extension).mid(1);
    const std::optional<QString> chosen = prompts_->chooseFileToSave(saveDialog_);
    // The dialog goes back to texts whatever the outcome, so that a later Save
    // as does not give a text the export's extension.
    saveDialog_.defaultSuffix = "txt";
    if (!chosen) return std::nullopt;
    QFileInfo target(*chosen);
    if (target.suffix().isEmpty()) target.setFile(*chosen + extension);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    return target.filePath().toStdString();
}

void TForm1::BitBtn7Click() {
    const std::optional<std::string> target = chooseExportTarget(".mid");
    if (!target) return;
    try {
        exportMidiFile(*target, exportRequestFor(c_.Memo1->geometry(), options(), performance_->state()),
                       performance_->random());
    } catch (const std::exception& error) {
        prompts_->showError(QString::fromStdString(error.what()));
        return;
    }
    showWritten(*target);
}

void TForm1::waitWithProgress(BackgroundTask& task, const QString& label) {
    QProgressDialog progress(label, "キャンセル", 0, 1000, this);
    progress.setWindowTitle("Velmora");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        if (progress.wasCanceled()) task.cancel();
        if (!progress.wasCanceled()) progress.setValue(task.permille());
        if (task.finished()) wait.quit();
    });
    poll.start(50);
    wait.exec();
    task.join();
    progress.reset();
}

void TForm1::wavButtonClick() {
#ifdef VELMORA_HAVE_SOUND
    const std::optional<std::string> target = chooseExportTarget(".wav");
    if (!target) return;
    std::vector<std::uint8_t> midiFile;
    try {
        midiFile = BuildMidiFile(exportRequestFor(c_.Memo1->geometry(), options(), performance_->state()),
                                 performance_->random());
    } catch (const std::exception& error) {
        prompts_->showError(QString::fromStdString(error.what()));
        return;
    }

    // The render runs on a worker thread; this thread keeps the window (and a
    // running performance) alive and shows the progress.
    WavRenderResult result;
    const std::unique_ptr<BackgroundTask> render =
        startWavRender(std::move(midiFile), *target, outputSettings().soundfont, result);
    waitWithProgress(*render, "WAV ファイルを書き出しています…");

    if (result.status == WavRenderResult::Status::Written)
        showWritten(*target);
    else if (result.status == WavRenderResult::Status::Failed)
        prompts_->showError(QString::fromStdString(result.error));
#endif
}

}  // namespace velmora
