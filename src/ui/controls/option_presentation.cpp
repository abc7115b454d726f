#include "ui/controls/option_presentation.h"

#include <QtGlobal>
#include <array>

namespace velmora {

namespace {

// The same two hints serve the backing and the solo instrument's limits.
const char* const kHighLimitHint =
    QT_TRANSLATE_NOOP("velmora::MainWindow", "高域制限 値以上の高音をオクターブ下げる73..100　３点ハが84");
const char* const kLowLimitHint =
    QT_TRANSLATE_NOOP("velmora::MainWindow", "低域制限 値以下の低音をオクターブあげる 40..60　1点ハが60");
const char* const kMelodyVolumeHint =
    QT_TRANSLATE_NOOP("velmora::MainWindow", "メロディのボリューム  2chでは上のボリューム");
const char* const kKeyShiftHint = QT_TRANSLATE_NOOP("velmora::MainWindow", "キーを上げ下げする");

constexpr OptionPresentation checkBox(OptionId id, const char* caption, const char* hint = nullptr,
                                      bool startsDisabled = false) {
    return {id, ControlKind::CheckBox, caption, hint, nullptr, 1, startsDisabled};
}
constexpr OptionPresentation spinEdit(OptionId id, int step = 1, const char* label = nullptr,
                                      const char* hint = nullptr, const char* labelHint = nullptr) {
    return {id, ControlKind::NumberField, label, hint, labelHint, step, false};
}
constexpr OptionPresentation instrument(OptionId id, const char* hint, bool startsDisabled) {
    return {id, ControlKind::InstrumentCombo, nullptr, hint, nullptr, 1, startsDisabled};
}

// The repeat switch's caption has a full-width hyphen (U+FF0D) where the long
// vowel mark would be: the text is kept exactly as the window shows it.
constexpr std::array<OptionPresentation, kOptionCount> kPresentations{{
    checkBox(OptionId::RepeatAtEnd, QT_TRANSLATE_NOOP("velmora::MainWindow", "リピ－ト")),
    instrument(OptionId::BackingInstrument, QT_TRANSLATE_NOOP("velmora::MainWindow", "単独楽器　2ｃｈ　では伴奏"),
               false),
    instrument(OptionId::SoloInstrument, QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器　2ｃｈのみ使用"),
               true),
    spinEdit(OptionId::MelodyVelocity, 10, "Vol.", kMelodyVolumeHint, kMelodyVolumeHint),
    spinEdit(OptionId::ChordVelocity, 10, nullptr,
             QT_TRANSLATE_NOOP("velmora::MainWindow", "伴奏のボリューム 2chでは下のボリューム")),
    spinEdit(OptionId::TickMs, 10, QT_TRANSLATE_NOOP("velmora::MainWindow", "テンポ")),
    spinEdit(OptionId::BackingReverb, 10),
    spinEdit(OptionId::MelodyReverb, 10),
    {.id = OptionId::ScalePattern,
     .kind = ControlKind::PatternGroup,
     .caption = QT_TRANSLATE_NOOP("velmora::MainWindow", "パターン")},
    spinEdit(OptionId::BackingHighNote),
    spinEdit(OptionId::BackingLowNote),
    spinEdit(OptionId::SoloHighNote),
    spinEdit(OptionId::SoloLowNote),
    spinEdit(OptionId::KeyShift, 1, "Key", kKeyShiftHint, kKeyShiftHint),
    {.id = OptionId::RhythmItem,
     .kind = ControlKind::RhythmCombo,
     .caption = QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム")},
    checkBox(OptionId::ChordsAtWordStarts, QT_TRANSLATE_NOOP("velmora::MainWindow", "語頭で和音を鳴らす")),
    checkBox(OptionId::TonicOnE, QT_TRANSLATE_NOOP("velmora::MainWindow", "E に主音を割り当て"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "ドレミをミファソとかラシドとかに読み替える")),
    checkBox(OptionId::ThickChords, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音を厚くする")),
    checkBox(OptionId::BackingHighEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "高"), kHighLimitHint),
    checkBox(OptionId::BackingLowEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "低"), kLowLimitHint),
    checkBox(OptionId::SoloHighEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "高"), kHighLimitHint, true),
    checkBox(OptionId::SoloLowEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "低"), kLowLimitHint, true),
    checkBox(OptionId::RhythmFromFirstCharacter, QT_TRANSLATE_NOOP("velmora::MainWindow", "曲頭調整"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "チェックで音の出だしをリズムの始まりにする")),
    checkBox(OptionId::TwoChannels, "2Ch",
             QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器と伴奏楽器とに分ける")),
    checkBox(OptionId::UnassignedLettersStartWords,
             QT_TRANSLATE_NOOP("velmora::MainWindow", "未割当ての文字後も"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "未割当てのアルｆベット後も和音を鳴らす")),
    checkBox(OptionId::SkipRestsOnBeats, QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム拍の空音を飛ばす"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "リズムの先頭で無理やり音を鳴らす")),
    checkBox(OptionId::OctaveDown, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音をオクターブ下げる")),
    spinEdit(OptionId::RhythmCorrection, 1, QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム補正"), nullptr,
             QT_TRANSLATE_NOOP("velmora::MainWindow", "大きいほどリズムが安定しますが変化に乏しくなることも")),
}};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kPresentations.size(); ++i) {
        if (kPresentations[i].id != static_cast<OptionId>(i)) return false;
    }
    return true;
}
static_assert(inIdOrder(), "the window's option controls are listed in OptionId order");

}  // namespace

std::span<const OptionPresentation> optionPresentations() { return kPresentations; }

const OptionPresentation& optionPresentation(OptionId id) {
    return kPresentations[static_cast<std::size_t>(id)];
}

}  // namespace velmora
