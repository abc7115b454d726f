// What the user hears of the output and hears about it: the output dialog's
// test sound and choices, and the warnings of an output that loses sound.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <set>

#include "ui/controls/elided_label.h"
#include "ui/settings/engine_texts.h"
#include "ui/dialogs/output_dialog.h"
#include "ui/performance/output_test_sound.h"
#include "ui/performance/output_warning_watch.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

// Records note-ons per channel, names its device and gives a warning when told to.
class ListeningBackend final : public MidiBackend {
public:
    bool open() override { return isOpen = true; }
    void close() override { isOpen = false; }
    void sendShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        if ((status & 0xF0) == 0x90 && data2 > 0) notesOn[status & 0x0F].insert(data1);
    }
    std::string outputDescription() const override { return isOpen ? "Test device" : ""; }
    std::optional<OutputWarning> takeWarning() override { return std::exchange(warning, std::nullopt); }

    bool isOpen = false;
    std::map<int, std::set<int>> notesOn;
    std::optional<OutputWarning> warning;
};

class OutputSoundTest : public WindowTest {
protected:
    std::unique_ptr<MainWindow> openListenedWindow() {
        MainWindowSetup setup;
        setup.settingsFolder = folder.path();
        auto backend = std::make_unique<ListeningBackend>();
        listener = backend.get();
        setup.output = std::move(backend);
        setup.prompts = std::make_unique<ScriptedPrompts>();
        return std::make_unique<MainWindow>(std::move(setup));
    }
    ListeningBackend* listener = nullptr;
};

TEST_F(OutputSoundTest, TheTestSoundPlaysAScaleOnBothChannelsAndNamesTheOutput) {
    const auto window = openListenedWindow();
    QString named;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<OutputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>("testSound")->click();
        QTest::qWait(OutputTestSound::kStepMs * 10);
        named = dialog->findChild<QLabel*>("outputInUse")->text();
        dialog->reject();
    });
    window->controls().outputButton->click();
    EXPECT_EQ(named, "Test device");
    EXPECT_EQ(listener->notesOn[0].size(), 4u) << "the backing channel's half of the scale";
    EXPECT_EQ(listener->notesOn[1].size(), 4u) << "the melody channel's half";
    EXPECT_FALSE(listener->isOpen) << "the output is handed back";
}

TEST_F(OutputSoundTest, TheTestSoundSaysWhyAnOutputCannotSound) {
    MainWindowSetup setup;
    setup.settingsFolder = folder.path();
    setup.output = std::make_unique<RefusingBackend>();
    setup.prompts = std::make_unique<ScriptedPrompts>();
    MainWindow window(std::move(setup));
    QString named;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<OutputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>("testSound")->click();
        named = dialog->findChild<QLabel*>("outputInUse")->text();
        dialog->reject();
    });
    window.controls().outputButton->click();
    EXPECT_EQ(named, "出力を開けません: no device here");
}

TEST_F(OutputSoundTest, AWarningOfTheOutputReachesTheStatusBar) {
    const auto window = openListenedWindow();
    window->controls().memo->setPlainText("abc");
    window->controls().playButton->click();
    listener->warning = OutputWarning{OutputWarning::Kind::PortGone, "Synth:in", {}};
    QTest::qWait(OutputWarningWatch::kCheckMs * 2);
    window->controls().playButton->click();
    EXPECT_EQ(window->controls().statusNotice->toolTip(),
              outputWarningText(OutputWarning{OutputWarning::Kind::PortGone, "Synth:in", {}}));
}

#ifdef VELMORA_HAVE_SOUND
TEST(OutputChoice, TheSynthesizersDriverAndBufferAreChosenForItAlone) {
    OutputSettings current;
    current.audioDriver = "jack";
    current.audioBuffer = "nonsense";  // an unknown name shows the default
    OutputDialog dialog(current, nullptr);
    auto* driver = dialog.findChild<QComboBox*>("audioDriver");
    auto* buffer = dialog.findChild<QComboBox*>("audioBuffer");
    EXPECT_EQ(dialog.settings().audioDriver, "jack");
    EXPECT_EQ(dialog.settings().audioBuffer, "standard") << "the default stands for an unknown name";
    buffer->setCurrentIndex(buffer->findData("safe"));
    EXPECT_EQ(dialog.settings().audioBuffer, "safe");
    dialog.findChild<QComboBox*>("output")->setEditText("port:Synth");
    EXPECT_FALSE(driver->isEnabled());
    EXPECT_FALSE(buffer->isEnabled());
}
#endif

}  // namespace
}  // namespace velmora::testing
