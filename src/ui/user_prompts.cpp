#include "ui/user_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

namespace {
const QString kTitle = QStringLiteral("Velmora");
}

QString withFullStop(const QString& text) { return text + '.'; }

std::optional<QString> DesktopPrompts::chooseFileToOpen() {
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), openDirectory_);
    if (path.isEmpty()) return std::nullopt;
    openDirectory_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> DesktopPrompts::chooseFileToSave(const SaveDialogState& state) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the window asks itself where it should
    if (!state.directory.isEmpty()) dialog.setDirectory(state.directory);
    dialog.setDefaultSuffix(state.defaultSuffix);
    dialog.selectFile(state.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

OverwriteAnswer DesktopPrompts::askOverwrite() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"),
                    QStringLiteral("ファイルが存在します　上書きしますか？"), QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return OverwriteAnswer::Yes;
    if (box.clickedButton() == no) return OverwriteAnswer::No;
    return OverwriteAnswer::Cancel;
}

void DesktopPrompts::showError(const QString& text) {
    QMessageBox::critical(parent_, kTitle, withFullStop(text));
}

void DesktopPrompts::showInformation(const QString& text) { QMessageBox::information(parent_, kTitle, text); }

bool DesktopPrompts::askQuitWithoutSaving(const QString& question) {
    return QMessageBox::question(parent_, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace velmora
