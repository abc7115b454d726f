#include "ui/export/export_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include "documents/document_paths.h"
#include "documents/file_error.h"
#include "documents/output_target.h"
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

QString failedLead() { return QObject::tr("書き出せませんでした。"); }

// A file that cannot be written, and why, under the export's lead.
QString exportFileErrorText(const FileError& error) {
    return failedLead() + QStringLiteral("\n\n") + fileErrorText(error);
}

// The export's error in the window's language.
QString exportErrorText(const ExportOutcome& outcome) {
    if (outcome.fileError) return exportFileErrorText(*outcome.fileError);
    const std::string& error = outcome.error;
    if (error == kEmptyTextMessage) return QObject::tr("テキストが空なので書き出せません");
    if (error == kLilyPondMissingMessage)
        return QObject::tr(
            "PDF の楽譜は LilyPond で組版します。lilypond パッケージを入れるか、"
            "ファイルの種類で MusicXML を選んでください");
#ifdef VELMORA_HAVE_SOUND
    if (error == kWavTooLongMessage)
        return QObject::tr(
            "曲が長すぎて WAV ファイルにできません。ファイルの種類で FLAC、Ogg Vorbis か MP3 を選んでください");
#endif
    return withDetail(failedLead(), error);
}

// The files an export reads, which it must never replace: the text, its
// settings file and the soundfont.
std::vector<ProtectedInput> exportInputs(const std::string& textPath, const std::string& soundfont) {
    std::vector<ProtectedInput> inputs;
    if (!textPath.empty()) {
        inputs.push_back({"the text", textPath});
        inputs.push_back({"the text's settings file", textSettingsPath(textPath)});
    }
    if (!soundfont.empty()) inputs.push_back({"the soundfont", soundfont});
    return inputs;
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

std::optional<std::string> ExportCommands::chooseTarget(const QString& title, const QString& extension,
                                                        const QStringList& filters) {
    // A text without a name proposes a visible name in the user's home folder.
    saveDialog_.fileName = document_.hasName()
                               ? QString::fromStdString(proposedExportName(document_.path(), extension.toStdString()))
                               : tr("無題") + extension;
    if (!document_.hasName() && saveDialog_.directory.isEmpty()) saveDialog_.directory = QDir::homePath();
    saveDialog_.defaultSuffix = extension.mid(1);
    saveDialog_.filters = filters;
    saveDialog_.title = title;
    const std::optional<QString> chosen = prompts_.chooseFileToSave(saveDialog_);
    // The dialog goes back to texts whatever the outcome, so that a later Save
    // as does not give a text the export's extension.
    saveDialog_.defaultSuffix = "txt";
    saveDialog_.filters.clear();
    saveDialog_.title.clear();
    if (!chosen) return std::nullopt;
    QFileInfo target(*chosen);
    const QString chosenExtension = filters.contains(saveDialog_.selectedFilter)
                                        ? filterExtension(saveDialog_.selectedFilter) : extension;
    if (target.suffix().isEmpty()) target.setFile(*chosen + chosenExtension);
    saveDialog_.directory = target.absolutePath();
    saveDialog_.fileName = target.fileName();
    return target.filePath().toStdString();
}

std::optional<std::string> ExportCommands::chooseTarget(const QString& title, const QStringList& filters,
                                                        QString& lastFilter) {
    if (!filters.contains(lastFilter)) lastFilter = filters.first();
    saveDialog_.selectedFilter = lastFilter;
    std::optional<std::string> target = chooseTarget(title, filterExtension(lastFilter), filters);
    if (target && filters.contains(saveDialog_.selectedFilter)) lastFilter = saveDialog_.selectedFilter;
    return target;
}

void ExportCommands::exportMidi() {
    const std::optional<std::string> target =
        chooseTarget(tr("MIDI ファイルに書き出す"), ".mid", {tr("MIDI ファイル (*.mid)")});
    if (!target) return;
    ExportRequest request = exportRequestFor(memo_.geometry(), performance_.options(), performance_.state());
    if (midiLyrics_) request.lyrics = MidiLyrics::Utf8;
    run(*target, tr("MIDI ファイルを書き出しています…"), [&](SeededRandom& random, ExportOutcome& outcome) {
        return startMidiExport(std::move(request), random, *target, outcome);
    });
}

void ExportCommands::exportScore() {
    const QStringList filters = {tr("MusicXML (*.musicxml)"), tr("圧縮 MusicXML (*.mxl)"), tr("PDF (*.pdf)")};
    const std::optional<std::string> target = chooseTarget(tr("楽譜に書き出す"), filters, scoreFilter_);
    if (!target) return;
    // A name with a score extension chooses the kind; any other gets the filter's.
    const ScoreFormat format = scoreFormatForPath(*target).value_or(
        scoreFormatForPath(filterExtension(scoreFilter_).toStdString()).value_or(ScoreFormat::MusicXml));
    const QString titleSource = QString::fromStdString(document_.hasName() ? document_.path() : *target);
    ScoreTarget score{*target, format, QFileInfo(titleSource).completeBaseName().toStdString()};
    run(*target, tr("楽譜を書き出しています…"), [&](SeededRandom& random, ExportOutcome& outcome) {
        return startScoreExport(
            exportRequestFor(memo_.geometry(), performance_.options(), performance_.state()), random,
            std::move(score), outcome);
    });
}

void ExportCommands::exportAudio() {
#ifdef VELMORA_HAVE_SOUND
    QStringList filters;
    for (const AudioFileFormatInfo& info : audioFileFormats()) filters << QString::fromUtf8(info.dialogFilter);
    const std::optional<std::string> target =
        chooseTarget(tr("音声ファイルに書き出す"), filters, audioFilter_);
    if (!target) return;
    // A name that carries a known sound-file extension is written in that
    // format; any other name in the chosen filter's.
    const AudioFileFormat format = audioFileFormatForPath(*target).value_or(
        audioFileFormatForFilter(audioFilter_.toStdString()).value_or(AudioFileFormat::Wav));
    const std::string title =
        document_.hasName() ? QFileInfo(QString::fromStdString(document_.path())).completeBaseName().toStdString()
                            : std::string();
    const QString label = tr("%1 ファイルを書き出しています…").arg(audioFileFormatInfo(format).name);
    run(*target, label, [&](SeededRandom& random, ExportOutcome& outcome) {
        return startAudioExport(
            exportRequestFor(memo_.geometry(), performance_.options(), performance_.state()), random,
            {{}, *target, format, performance_.output().settings().soundfont, title}, outcome);
    });
#endif
}

void ExportCommands::run(const std::string& target, const QString& label, const Starter& start) {
    // The same refusals as every output's, before any work.
    try {
        checkOutputTarget(target, exportInputs(document_.hasName() ? document_.path() : std::string(),
                                               performance_.output().settings().soundfont));
    } catch (const FileError& error) {
        prompts_.showError(exportFileErrorText(error));
        return;
    }
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
            prompts_.showError(exportErrorText(outcome));
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
