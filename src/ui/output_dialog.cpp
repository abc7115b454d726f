#include "ui/output_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#ifdef VELMORA_HAVE_SOUND
#include "sound/midi_backend_factory.h"
#endif

namespace velmora {

#ifdef VELMORA_HAVE_SOUND
namespace {

// What an output is, in the window's language; the sound library describes
// its outputs in English for the command line.
QString describedOutput(const MidiOutputEntry& entry) {
    if (entry.name == "fluidsynth")
        return QCoreApplication::translate("velmora::OutputDialog", "内蔵の General MIDI シンセサイザー (FluidSynth)");
    if (entry.name == "port:NAME")
        return QCoreApplication::translate("velmora::OutputDialog", "名前に NAME を含む最初の MIDI 出力ポート");
    if (entry.name == "capture:FILE")
        return QCoreApplication::translate("velmora::OutputDialog", "すべてのメッセージを時刻とともに FILE に書き込む");
    if (entry.name == "none") return QCoreApplication::translate("velmora::OutputDialog", "音を出さない");
    return QString::fromStdString(entry.description);  // a port found now: its system's name for it
}

}  // namespace
#endif

OutputDialog::OutputDialog(const OutputSettings& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("velmora::OutputDialog", "出力"));
    output_ = new QComboBox(this);
    output_->setObjectName("output");
    output_->setEditable(true);  // "capture:FILE" and ports not present now can be typed
    output_->setInsertPolicy(QComboBox::NoInsert);  // Enter confirms the typed name as it stands
#ifdef VELMORA_HAVE_SOUND
    for (const MidiOutputEntry& entry : listMidiOutputs()) {
        output_->addItem(QString::fromStdString(entry.name) + "  —  " + describedOutput(entry),
                         QString::fromStdString(entry.name));
    }
#else
    output_->addItem("none", "none");
#endif
    const QString chosen = QString::fromStdString(current.output);
    const int known = output_->findData(chosen);
    if (known >= 0)
        output_->setCurrentIndex(known);
    else
        output_->setEditText(chosen);

    soundfont_ = new QLineEdit(QString::fromStdString(current.soundfont), this);
    soundfont_->setObjectName("soundfont");
    soundfont_->setPlaceholderText(
        QCoreApplication::translate("velmora::OutputDialog", "（既定の General MIDI サウンドフォント）"));
    soundfont_->setMinimumWidth(320);
    auto* browse = new QPushButton(QCoreApplication::translate("velmora::OutputDialog", "参照…"), this);
    connect(browse, &QPushButton::clicked, this, &OutputDialog::browseSoundfont);
    auto* soundfontRow = new QHBoxLayout;
    soundfontRow->addWidget(soundfont_, 1);
    soundfontRow->addWidget(browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "出力先"), output_);
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "サウンドフォント"), soundfontRow);
    form->addRow(buttons);
}

OutputSettings OutputDialog::settings() const {
    OutputSettings chosen;
    const int index = output_->currentIndex();
    const bool listed = index >= 0 && output_->itemText(index) == output_->currentText();
    chosen.output =
        (listed ? output_->itemData(index).toString() : output_->currentText().trimmed()).toStdString();
    if (chosen.output.empty()) chosen.output = OutputSettings{}.output;
    chosen.soundfont = soundfont_->text().trimmed().toStdString();
    return chosen;
}

void OutputDialog::accept() {
    const QString soundfont = soundfont_->text().trimmed();
    if (!soundfont.isEmpty() && !isSoundfontData(soundfont)) {
        QMessageBox::warning(this, windowTitle(),
                             tr("%1 はサウンドフォント (.sf2 / .sf3) ではありません。").arg(soundfont));
        soundfont_->setFocus();
        return;
    }
    QDialog::accept();
}

void OutputDialog::browseSoundfont() {
    const QString start = soundfont_->text().isEmpty() ? QStringLiteral("/usr/share/sounds/sf2")
                                                       : QFileInfo(soundfont_->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(
        this, QCoreApplication::translate("velmora::OutputDialog", "サウンドフォント"), start,
        QCoreApplication::translate("velmora::OutputDialog", "SoundFont (*.sf2 *.sf3);;すべて (*)"));
    if (!file.isEmpty()) soundfont_->setText(file);
}

}  // namespace velmora
