#include "ui/settings/file_error_texts.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

QString translated(const char* text) { return QCoreApplication::translate("FileErrorTexts", text); }

QString systemReason(int error) {
    switch (error) {
        case ENOSPC:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "ディスクに空きがありません"));
        case EDQUOT:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "ディスクの使用量の割り当てを超えました"));
        case EFBIG:
            return translated(
                QT_TRANSLATE_NOOP("FileErrorTexts", "ファイルが大きすぎます（ファイルサイズの上限）"));
        case EACCES:
        case EPERM:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "アクセスが許可されていません"));
        case EROFS:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "読み取り専用のファイルシステムです"));
        case ENOENT:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "そのフォルダまたはファイルはありません"));
        case ENOTDIR:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "途中の名前がフォルダではありません"));
        case EISDIR:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "フォルダです"));
        case ENAMETOOLONG:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "名前が長すぎます"));
        case EIO:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "入出力エラーが起きました"));
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

}  // namespace

QString fileReasonText(const FileError& error) {
    if (!error.hasProblem()) return {};
    const QString about = QString::fromStdString(error.about());
    switch (error.problem()) {
        case FileProblem::System:
            return systemReason(error.systemError());
        case FileProblem::Folder:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "フォルダです"));
        case FileProblem::BlockDevice:
            return translated(
                QT_TRANSLATE_NOOP("FileErrorTexts", "ブロックデバイス（ディスク）には書き込みません"));
        case FileProblem::HardLinks:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts",
                                                "このファイルには別の名前（ハードリンク）があります。置き換え"
                                                "るとその名前から切り離されます"));
        case FileProblem::ReadOnly:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "読み取り専用のファイルです"));
        case FileProblem::OwnerNotKept:
            return translated(QT_TRANSLATE_NOOP(
                                  "FileErrorTexts",
                                  "別のユーザーかグループ（%1）のファイルです。新しいファイルでは持ち主を保て"
                                  "ないので、そのままにしました"))
                .arg(about);
        case FileProblem::FolderRefusesNewFiles:
            return translated(QT_TRANSLATE_NOOP(
                                  "FileErrorTexts",
                                  "フォルダ %1 には新しいファイルを作れません（%2）。ファイルはその隣に作る新"
                                  "しいファイルで置き換えます"))
                .arg(about, systemReason(error.systemError()));
        case FileProblem::NoReader:
            return translated(QT_TRANSLATE_NOOP("FileErrorTexts", "読み出すプロセスがありません"));
        case FileProblem::Removed:
            return translated(QT_TRANSLATE_NOOP(
                "FileErrorTexts", "書き込み中のファイルが、フォルダごとか単独で削除されました"));
        case FileProblem::IsInput:
            return translated(
                QT_TRANSLATE_NOOP("FileErrorTexts",
                                  "書き出しのために読むファイル（テキスト、その設定ファイルかサウンドフォン"
                                  "ト）です。何も書き込みませんでした"));
    }
    return QString::fromStdString(error.detail());
}

}  // namespace velmora
