#include "ui/dialogs/user_prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace velmora {

namespace {

const QString kTitle = QStringLiteral("Velmora");

// A question box with はい, いいえ and キャンセル; Escape cancels. Returns the
// answer of the button pressed.
template <typename Answer>
Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& question, QMessageBox::Icon icon,
                      Answer yesAnswer, Answer noAnswer, Answer cancelAnswer) {
    QMessageBox box(icon, title, question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QCoreApplication::translate("velmora::DesktopPrompts", "はい(&Y)"),
                                     QMessageBox::YesRole);
    QPushButton* no = box.addButton(QCoreApplication::translate("velmora::DesktopPrompts", "いいえ(&N)"),
                                    QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("velmora::DesktopPrompts", "キャンセル"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return yesAnswer;
    if (box.clickedButton() == no) return noAnswer;
    return cancelAnswer;
}

}  // namespace

QString withFullStop(const QString& text) { return text + '.'; }

QString filterExtension(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) return {};
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
    return filter.mid(star + 1, end < 0 ? -1 : end - star - 1);
}

std::optional<QString> DesktopPrompts::chooseFileToOpen(const QString& directory) {
    if (!directory.isEmpty()) openDirectory_ = directory;
    const QString filters = QObject::tr("テキスト (*.txt)") + QStringLiteral(";;") + QObject::tr("すべてのファイル (*)");
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), openDirectory_, filters);
    if (path.isEmpty()) return std::nullopt;
    openDirectory_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> DesktopPrompts::chooseFileToSave(SaveDialogState& state) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the window asks itself where it should
    if (!state.directory.isEmpty()) dialog.setDirectory(state.directory);
    dialog.setDefaultSuffix(state.defaultSuffix);
    if (!state.title.isEmpty()) dialog.setWindowTitle(state.title);
    if (!state.filters.isEmpty()) {
        dialog.setNameFilters(state.filters);
        dialog.selectNameFilter(state.selectedFilter);
        // A name typed without an extension gets the chosen type's, not the
        // one the dialog opened with.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const QString extension = filterExtension(filter);
            if (!extension.isEmpty()) dialog.setDefaultSuffix(extension.mid(1));
        });
    }
    dialog.selectFile(state.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    state.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

OverwriteAnswer DesktopPrompts::askOverwrite() {
    return askYesNoCancel(
        parent_, QCoreApplication::translate("velmora::DesktopPrompts", "確認"),
        QCoreApplication::translate("velmora::DesktopPrompts", "ファイルが存在します　上書きしますか？"),
        QMessageBox::Question, OverwriteAnswer::Yes, OverwriteAnswer::No, OverwriteAnswer::Cancel);
}

SaveChangesAnswer DesktopPrompts::askSaveChanges(const QString& name) {
    return askYesNoCancel(parent_, kTitle, QObject::tr("「%1」への変更を保存しますか？").arg(name),
                          QMessageBox::Warning, SaveChangesAnswer::Save, SaveChangesAnswer::Discard,
                          SaveChangesAnswer::Cancel);
}

RestoreAnswer DesktopPrompts::askRestore(const QString& name, const QString& savedAt) {
    QMessageBox box(
        QMessageBox::Question, kTitle,
        QObject::tr("「%1」の保存されていない変更が残っています（%2）。復元しますか？").arg(name, savedAt),
        QMessageBox::NoButton, parent_);
    QPushButton* restore = box.addButton(QObject::tr("復元(&R)"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QObject::tr("破棄(&D)"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QObject::tr("後で(&L)"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore) return RestoreAnswer::Restore;
    if (box.clickedButton() == discard) return RestoreAnswer::Discard;
    return RestoreAnswer::Later;
}

bool DesktopPrompts::confirm(const QString& question) {
    return QMessageBox::question(parent_, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void DesktopPrompts::showWarning(const QString& text) { QMessageBox::warning(parent_, kTitle, text); }

void DesktopPrompts::showError(const QString& text) {
    QMessageBox::critical(parent_, kTitle, withFullStop(text));
}

void DesktopPrompts::showInformation(const QString& text) { QMessageBox::information(parent_, kTitle, text); }

bool DesktopPrompts::askQuitWithoutSaving(const QString& question) { return confirm(question); }

}  // namespace velmora
