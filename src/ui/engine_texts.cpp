#include "ui/engine_texts.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <iterator>

#include "documents/file_error.h"
#include "ui/file_error_texts.h"

namespace velmora {

namespace {

constexpr const char* kContext = "EngineTexts";

// Every text the engine and the mapping tables hand to the window. The words
// must stay as the core libraries spell them: they are the catalogue's keys.
constexpr const char* kEngineTexts[] = {
    // the transport's status panel and its overrun message
    QT_TRANSLATE_NOOP("EngineTexts", "[!] 工事中　少々お待ちください"),
    QT_TRANSLATE_NOOP("EngineTexts", "演奏中"),
    QT_TRANSLATE_NOOP("EngineTexts", "休憩中"),
    QT_TRANSLATE_NOOP("EngineTexts", "ロード中"),
    QT_TRANSLATE_NOOP("EngineTexts",
                      "処理が間に合わず停止しました。もっとテンポを落とすか、MIDIのバッファを増やして下さい"),
    // the rhythm list
    QT_TRANSLATE_NOOP("EngineTexts", "調整なし"),
    QT_TRANSLATE_NOOP("EngineTexts", "16拍（4拍子）"),
    QT_TRANSLATE_NOOP("EngineTexts", "12拍（3拍子）"),
    QT_TRANSLATE_NOOP("EngineTexts", "8拍（4拍子）"),
    QT_TRANSLATE_NOOP("EngineTexts", "6拍（3拍子）"),
    QT_TRANSLATE_NOOP("EngineTexts", "4拍（4拍子）"),
    QT_TRANSLATE_NOOP("EngineTexts", "4拍（2拍子）"),
    // the pattern names
    QT_TRANSLATE_NOOP("EngineTexts", "ファニー"),
    QT_TRANSLATE_NOOP("EngineTexts", "ファンタジック"),
    QT_TRANSLATE_NOOP("EngineTexts", "ジプシー音階"),
    QT_TRANSLATE_NOOP("EngineTexts", "全音階"),
    QT_TRANSLATE_NOOP("EngineTexts", "呂旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "律旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "琉球旋法"),
    QT_TRANSLATE_NOOP("EngineTexts", "メジャー風"),
    QT_TRANSLATE_NOOP("EngineTexts", "マイナー風"),
    QT_TRANSLATE_NOOP("EngineTexts", "ブルース風"),
    QT_TRANSLATE_NOOP("EngineTexts", "より自然なサウンド（かも知れない）"),
    QT_TRANSLATE_NOOP("EngineTexts", "スパニッシュスケール"),
};

bool isCommandLineAdvice(const QString& part) {
    return part.contains(QLatin1String("--")) || part.contains(QLatin1String("apt install"));
}

}  // namespace

QString engineText(const std::string& text) {
    const bool known = std::any_of(std::begin(kEngineTexts), std::end(kEngineTexts),
                                   [&text](const char* entry) { return text == entry; });
    if (!known) return QString::fromStdString(text);
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
    return reason.isEmpty() ? fileErrorLead(*fileError) : fileErrorLead(*fileError) + QStringLiteral("\n\n") + reason;
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
