#include "ui/export/export_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>

#include "documents/document_paths.h"
#include "smf/build_midi_file.h"
#include "ui/dialogs/user_prompts.h"
#include "ui/document/document.h"
#include "ui/memo/memo_edit.h"
#include "ui/performance/performance.h"
#include "ui/settings/engine_texts.h"

#ifdef VELMORA_HAVE_SOUND
#include "sound/audio_file_format.h"
#endif

namespace velmora {

namespace {

constexpr int kPollMs = 50;
constexpr int kProgressDelayMs = 300;  // quick exports show no progress at all

// The export's error in the window's language.
QString exportErrorText(const std::string& error) {
    if (error == kEmptyTextMessage) return QObject::tr("テキストが空なので書き出せません");
#ifdef VELMORA_HAVE_SOUND
    if (error == kWavTooLongMessage)
        return QObject::tr(
            "曲が長すぎて WAV ファイルにできません。ファイルの種類で FLAC、Ogg Vorbis か MP3 を選んでください");
#endif
    return withDetail(QObject::tr("書き出せませんでした。"), error);
}

// The extension a dialog filter such as "FLAC (*.flac)" names, with the dot.
QString filterExtension(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) return {};
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
    return filter.mid(star + 1, end < 0 ? -1 : end - star - 1);
}

}  // namespace

ExportCommands::ExportCommands(QWidget& window, MemoEdit& memo, const Document& document,
                               Performance& performance, UserPrompts& prompts, SaveDialogState& saveDialog,
                               Notice notice)
    : QObject(&window),
      window_(window),
      memo_(memo),
      document_(document),
      performance_(performance),
      prompts_(prompts),
      saveDialog_(saveDialog),
      notice_(std::move(notice)) {}

void ExportCommands::showWritten(const std::string& path) {
    notice_(tr("%1 を書き出しました").arg(QString::fromStdString(path)));
    prompts_.showInformation(tr("完了しました"));
}

std::optional<std::string> ExportCommands::chooseTarget(const QString& extension, const QStringList& filters) {
    // A text without a name proposes a visible name in the user's home folder.
    saveDialog_.fileName = document_.hasName()
                               ? QString::fromStdString(proposedExportName(document_.path(), extension.toStdString()))
                               : tr("無題") + extension;
    if (!document_.hasName() && saveDialog_.directory.isEmpty()) saveDialog_.directory = QDir::homePath();
    saveDialog_.defaultSuffix = extension.mid(1);
    saveDialog_.filters = filters;
    const std::optional<QString> chosen = prompts_.chooseFileToSave(saveDialog_);
    // The dialog goes back to texts whatever the outcome, so that a later Save
    // as does not give a text the export's extension.
    saveDialog_.defaultSuffix = "txt";
    saveDialog_.filters.clear();
    if (!chosen) return std::nullopt;
    QFileInfo target(*chosen);
    const QString chosenExtension = filters.contains(saveDialog_.selectedFilter)
                                        ? filterExtension(saveDialog_.selectedFilter) : extension;
    if (target.suffix().isEmpty()) target.setFile(*chosen + chosenExtension);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    return target.filePath().toStdString();
}

void ExportCommands::exportMidi() {
    const std::optional<std::string> target = chooseTarget(".mid");
    if (!target) return;
    run(*target, tr("MIDI ファイルを書き出しています…"), [&](SeededRandom& random, ExportOutcome& outcome) {
        return startMidiExport(exportRequestFor(memo_.geometry(), performance_.options(), performance_.state()), random,
                               *target, outcome);
    });
}

void ExportCommands::exportAudio() {
#ifdef VELMORA_HAVE_SOUND
    QStringList filters;
    for (const AudioFileFormatInfo& info : audioFileFormats()) filters << QString::fromUtf8(info.dialogFilter);
    if (!filters.contains(audioFilter_)) audioFilter_ = filters.first();
    saveDialog_.selectedFilter = audioFilter_;
    const std::optional<std::string> target = chooseTarget(filterExtension(audioFilter_), filters);
    if (!target) return;
    if (filters.contains(saveDialog_.selectedFilter)) audioFilter_ = saveDialog_.selectedFilter;
    // A name that carries a known sound-file extension is written in that
    // format; any other name in the chosen filter's.
    const AudioFileFormat format = audioFileFormatForPath(*target).value_or(
        audioFileFormatForFilter(audioFilter_.toStdString()).value_or(AudioFileFormat::Wav));
    const std::string title =
        document_.hasName() ? QFileInfo(QString::fromStdString(document_.path())).completeBaseName().toStdString()
                            : std::string();
    const QString label = tr("%1 ファイルを書き出しています…").arg(audioFileFormatInfo(format).name);
    run(*target, label, [&](SeededRandom& random, ExportOutcome& outcome) {
        return startAudioExport(exportRequestFor(memo_.geometry(), performance_.options(), performance_.state()), random,
                                {{}, *target, format, performance_.output().settings().soundfont, title}, outcome);
    });
#endif
}

void ExportCommands::run(const std::string& target, const QString& label, const Starter& start) {
    // The export draws its random choices from a copy of the performance's
    // generator, off this thread, and hands the advanced generator back.
    SeededRandom random = performance_.random();
    ExportOutcome outcome;
    notice_({});  // a notice of an earlier export would speak of this one
    {
        const std::unique_ptr<BackgroundTask> task = start(random, outcome);
        waitWithProgress(*task, label);
    }  // the progress is gone before any message
    performance_.random() = random;
    switch (outcome.status) {
        case ExportOutcome::Status::Written:
            showWritten(target);
            break;
        case ExportOutcome::Status::Failed:
            prompts_.showError(exportErrorText(outcome.error));
            break;
        case ExportOutcome::Status::Cancelled:
            notice_(tr("書き出しを取り消しました"));
            break;
    }
}

void ExportCommands::waitWithProgress(BackgroundTask& task, const QString& label) {
    QProgressDialog progress(label, tr("キャンセル"), 0, 1000, &window_);
    progress.setWindowTitle("Velmora");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoReset(false);
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        if (progress.wasCanceled()) task.cancel();
        if (!progress.wasCanceled()) progress.setValue(task.permille());
        if (task.finished()) wait.quit();
    });
    poll.start(kPollMs);
    if (!task.finished()) wait.exec();
    task.join();
}

}  // namespace velmora
