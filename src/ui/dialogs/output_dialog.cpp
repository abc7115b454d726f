#include "ui/dialogs/output_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
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

QString describedDriver(AudioDriver driver) {
    switch (driver) {
        case AudioDriver::Auto:
            return QCoreApplication::translate("velmora::OutputDialog", "自動");
        case AudioDriver::PulseAudio:
            return QStringLiteral("PulseAudio / PipeWire");
        case AudioDriver::Alsa:
            return QStringLiteral("ALSA");
        case AudioDriver::Jack:
            return QStringLiteral("JACK");
    }
    return {};
}

// The buffer's name and the delay it adds to a typed key, in the window's language.
QString describedBuffer(AudioBuffer buffer) {
    const AudioBufferSize size = audioBufferSize(buffer);
    const int ms = static_cast<int>(size.periodFrames * size.periods * 1000.0 / 44100.0 + 0.5);
    QString name;
    switch (buffer) {
        case AudioBuffer::Low:
            name = QCoreApplication::translate("velmora::OutputDialog", "低遅延");
            break;
        case AudioBuffer::Standard:
            name = QCoreApplication::translate("velmora::OutputDialog", "標準");
            break;
        case AudioBuffer::Safe:
            name = QCoreApplication::translate("velmora::OutputDialog", "安全");
            break;
    }
    return QCoreApplication::translate("velmora::OutputDialog", "%1（約 %2 ms）").arg(name).arg(ms);
}

// A combo box of every choice, its settings name as each item's data; `current`
// selected, or `fallback` when `current` names none.
template <typename Choice, typename Describe, typename Name>
QComboBox* choiceBox(QWidget* parent, const char* objectName, const std::vector<Choice>& choices,
                     const std::string& current, Choice fallback, Describe describe, Name name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    const auto data = [&name](Choice choice) {
        return QString::fromUtf8(name(choice).data(), name(choice).size());
    };
    for (const Choice choice : choices) box->addItem(describe(choice), data(choice));
    const int index = box->findData(QString::fromStdString(current));
    box->setCurrentIndex(index >= 0 ? index : box->findData(data(fallback)));
    return box;
}

}  // namespace
#endif

OutputDialog::OutputDialog(const OutputSettings& current, QWidget* parent, OutputTester tester)
    : QDialog(parent), initial_(current), tester_(std::move(tester)) {
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

    inUse_ = new QLabel(this);
    inUse_->setObjectName("outputInUse");
    inUse_->setWordWrap(true);
    test_ = new QPushButton(QCoreApplication::translate("velmora::OutputDialog", "試聴"), this);
    test_->setObjectName("testSound");
    test_->setToolTip(QCoreApplication::translate(
        "velmora::OutputDialog", "短い音階を鳴らします（前半は伴奏、後半はメロディのチャンネル）"));
    test_->setVisible(static_cast<bool>(tester_));
    connect(test_, &QPushButton::clicked, this, &OutputDialog::playTestSound);
    auto* inUseRow = new QHBoxLayout;
    inUseRow->addWidget(inUse_, 1);
    inUseRow->addWidget(test_);
    setOutputInUse({});

    auto* form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "出力先"), output_);
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "サウンドフォント"), soundfontRow);
#ifdef VELMORA_HAVE_SOUND
    audioDriver_ = choiceBox(this, "audioDriver", audioDrivers(), current.audioDriver, AudioChoice{}.driver,
                             describedDriver, audioDriverName);
    audioBuffer_ = choiceBox(this, "audioBuffer", audioBuffers(), current.audioBuffer, AudioChoice{}.buffer,
                             describedBuffer, audioBufferName);
    audioBuffer_->setToolTip(QCoreApplication::translate(
        "velmora::OutputDialog", "小さいほど打鍵にすぐ応えますが、忙しいマシンでは音が途切れやすくなります"));
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "音声ドライバ"), audioDriver_);
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "バッファ"), audioBuffer_);
    connect(output_, &QComboBox::currentTextChanged, this, &OutputDialog::enableSynthesizerChoices);
    enableSynthesizerChoices();
#endif
    form->addRow(QCoreApplication::translate("velmora::OutputDialog", "使用中"), inUseRow);
    form->addRow(buttons);
}

void OutputDialog::setOutputInUse(const QString& description) {
    inUse_->setText(description.isEmpty()
                        ? QCoreApplication::translate("velmora::OutputDialog", "（まだ開いていません）")
                        : description);
}

void OutputDialog::playTestSound() {
    if (tester_) inUse_->setText(tester_(settings()));
}

// The sound server and the buffer belong to the built-in synthesizer.
void OutputDialog::enableSynthesizerChoices() {
    if (!audioDriver_ || !audioBuffer_) return;
    const bool synthesizer = settings().output == OutputSettings{}.output;
    audioDriver_->setEnabled(synthesizer);
    audioBuffer_->setEnabled(synthesizer);
}

OutputSettings OutputDialog::settings() const {
    OutputSettings chosen = initial_;  // what the dialog does not show stays as it was
    const int index = output_->currentIndex();
    const bool listed = index >= 0 && output_->itemText(index) == output_->currentText();
    chosen.output =
        (listed ? output_->itemData(index).toString() : output_->currentText().trimmed()).toStdString();
    if (chosen.output.empty()) chosen.output = OutputSettings{}.output;
    chosen.soundfont = soundfont_->text().trimmed().toStdString();
    if (audioDriver_) chosen.audioDriver = audioDriver_->currentData().toString().toStdString();
    if (audioBuffer_) chosen.audioBuffer = audioBuffer_->currentData().toString().toStdString();
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
