#include "ui/settings/engine_texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <set>

#include "documents/file_error.h"
#include "engine/transport_display.h"
#include "mapping/note_names.h"
#include "mapping/scale_pattern.h"
#include "options/rhythm_grid.h"
#include "ui/settings/file_error_texts.h"

namespace velmora {

namespace {

constexpr const char* kContext = "EngineTexts";

// Whether the engine or the mapping tables hand this text to the window: the
// transport's status texts and overrun message, the rhythm list and the
// pattern names. Each is marked for the catalogue where it is written.
bool isEngineText(const std::string& text) {
    static const std::set<std::string, std::less<>> kTexts = [] {
        std::set<std::string, std::less<>> texts{kStatusPreparing, kStatusPlaying, kStatusResting,
                                                 kStatusLoading, kOverrunMessage};
        for (const std::string& item : rhythmItemTexts()) {
            if (!item.empty()) texts.insert(item);
        }
        for (int pattern = 0; pattern < kPatternCount; ++pattern) texts.insert(patternName(pattern));
        return texts;
    }();
    return kTexts.contains(text);
}

bool isCommandLineAdvice(const QString& part) {
    return part.contains(QLatin1String("--")) || part.contains(QLatin1String("apt install"));
}

}  // namespace

QString engineText(const std::string& text) {
    if (!isEngineText(text)) return QString::fromStdString(text);
    return QCoreApplication::translate(kContext, text.c_str());
}

namespace {

QString fileErrorLead(const FileError& error) {
    const std::string& path = error.path();
    const QString name = QString::fromStdString(path);
    if (error.what() == cannotOpenMessage(path))
        return QCoreApplication::translate("EngineTexts", "ファイル %1 は開けません").arg(name);
    if (error.what() == cannotCreateMessage(path))
        return QCoreApplication::translate("EngineTexts", "ファイル %1 を作成できません").arg(name);
    if (error.what() == cannotWriteMessage(path))
        return QCoreApplication::translate("EngineTexts", "%1 に書き込めません").arg(name);
    return QString::fromStdString(error.what());
}

}  // namespace

QString fileErrorText(const std::exception& error) {
    const auto* fileError = dynamic_cast<const FileError*>(&error);
    if (fileError == nullptr) return QString::fromStdString(error.what());
    const QString reason = fileReasonText(*fileError);
    return reason.isEmpty() ? fileErrorLead(*fileError)
                            : fileErrorLead(*fileError) + QStringLiteral("\n\n") + reason;
}

QString technicalDetail(const std::string& reason) {
    // The advice follows the reason after "; " or ": ", and sometimes ", or ".
    QString text = QString::fromStdString(reason);
    for (const QString& separator : {QStringLiteral("; "), QStringLiteral(", or "), QStringLiteral(": ")}) {
        QStringList parts = text.split(separator);
        while (parts.size() > 1 && isCommandLineAdvice(parts.last())) parts.removeLast();
        text = parts.join(separator);
    }
    if (isCommandLineAdvice(text)) {
        // advice inside one sentence ("... choose another output with --output"): keep what precedes it
        const qsizetype cut = text.indexOf(QLatin1String(" or choose"));
        text = cut > 0 ? text.left(cut) : QString();
    }
    return text;
}

QString outputWarningText(const OutputWarning& warning) {
    const QString subject = QString::fromStdString(warning.subject);
    const QString reason = QString::fromStdString(warning.reason);
    switch (warning.kind) {
        case OutputWarning::Kind::StalledAudio:
            return QCoreApplication::translate("EngineTexts",
                                               "音声出力がメッセージを受け付けなくなりました（ドライバ %1 "
                                               "が止まったか終了しました）。音が抜けています")
                .arg(subject);
        case OutputWarning::Kind::PortSendFailed:
            return QCoreApplication::translate(
                       "EngineTexts",
                       "MIDI ポート %1 がメッセージを受け付けなくなりました（%2）。音が抜けています")
                .arg(subject, reason);
        case OutputWarning::Kind::PortGone:
            return QCoreApplication::translate("EngineTexts",
                                               "MIDI ポート %1 がなくなりました。音が抜けています")
                .arg(subject);
        case OutputWarning::Kind::CaptureNotWritten:
            return QCoreApplication::translate("EngineTexts",
                                               "キャプチャファイル %1 を書き込めませんでした（%2）")
                .arg(subject, reason);
    }
    return QString::fromStdString(warning.what());
}

QString withDetail(const QString& lead, const std::string& reason) {
    QString detail = technicalDetail(reason);
    // The error box gives the message its full stop; a reason that ends with one would show two.
    while (detail.endsWith('.')) detail.chop(1);
    return detail.isEmpty() ? lead : lead + QStringLiteral("\n\n") + detail;
}

}  // namespace velmora
