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
const char* const kHighLimitNoteHint =
    QT_TRANSLATE_NOOP("velmora::MainWindow", "この音番号以上の高音をオクターブ下げる");
const char* const kLowLimitNoteHint =
    QT_TRANSLATE_NOOP("velmora::MainWindow", "この音番号以下の低音をオクターブ上げる");

constexpr OptionPresentation checkBox(OptionId id, const char* caption, const char* hint = nullptr,
                                      bool startsDisabled = false) {
    return {id, ControlKind::CheckBox, caption, hint, nullptr, 1, startsDisabled};
}
constexpr OptionPresentation spinEdit(OptionId id, int step = 1, const char* label = nullptr,
                                      const char* hint = nullptr, const char* labelHint = nullptr) {
    return {id, ControlKind::NumberField, label, hint, labelHint, step, false};
}
// The row with what screen readers say for its control.
constexpr OptionPresentation spoken(OptionPresentation row, const char* name,
                                    const char* description = nullptr) {
    row.spokenName = name;
    row.spokenDescription = description;
    return row;
}
constexpr OptionPresentation instrument(OptionId id, const char* hint, bool startsDisabled) {
    return {id, ControlKind::InstrumentCombo, nullptr, hint, nullptr, 1, startsDisabled};
}

// The repeat switch's caption has a full-width hyphen (U+FF0D) where the long
// vowel mark would be: the text is kept exactly as the window shows it.
constexpr std::array<OptionPresentation, kOptionCount> kPresentations{{
    spoken(checkBox(OptionId::RepeatAtEnd, QT_TRANSLATE_NOOP("velmora::MainWindow", "リピ－ト")), nullptr,
           QT_TRANSLATE_NOOP("velmora::MainWindow", "テキストの終わりで初めから繰り返す")),
    spoken(instrument(OptionId::BackingInstrument,
                      QT_TRANSLATE_NOOP("velmora::MainWindow", "単独楽器　2ｃｈ　では伴奏"), false),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器（2Chでは伴奏楽器）")),
    spoken(instrument(OptionId::SoloInstrument,
                      QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器　2ｃｈのみ使用"), true),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器"),
           QT_TRANSLATE_NOOP("velmora::MainWindow",
                             "2Chでだけ使うソロ楽器。コンテキストメニューにソロのプリセット")),
    spoken(spinEdit(OptionId::MelodyVelocity, 10, "Vol.", kMelodyVolumeHint, kMelodyVolumeHint),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "メロディのボリューム")),
    spoken(spinEdit(OptionId::ChordVelocity, 10, nullptr,
                    QT_TRANSLATE_NOOP("velmora::MainWindow", "伴奏のボリューム 2chでは下のボリューム")),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "伴奏のボリューム")),
    spoken(spinEdit(OptionId::TickMs, 10, QT_TRANSLATE_NOOP("velmora::MainWindow", "テンポ")), nullptr,
           QT_TRANSLATE_NOOP("velmora::MainWindow", "1音の長さ（ミリ秒）。大きいほど遅い")),
    spoken(spinEdit(OptionId::BackingReverb, 10), QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器のリバーブ"),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器（2Chでは伴奏楽器）の残響の深さ")),
    spoken(spinEdit(OptionId::MelodyReverb, 10),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器のリバーブ"),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器の残響の深さ")),
    {.id = OptionId::ScalePattern,
     .kind = ControlKind::PatternGroup,
     .caption = QT_TRANSLATE_NOOP("velmora::MainWindow", "パターン"),
     .spokenDescription = QT_TRANSLATE_NOOP("velmora::MainWindow", "文字を音に割り当てる音階")},
    spoken(spinEdit(OptionId::BackingHighNote),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器の高域制限の音"), kHighLimitNoteHint),
    spoken(spinEdit(OptionId::BackingLowNote), QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器の低域制限の音"),
           kLowLimitNoteHint),
    spoken(spinEdit(OptionId::SoloHighNote),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器の高域制限の音"), kHighLimitNoteHint),
    spoken(spinEdit(OptionId::SoloLowNote),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器の低域制限の音"), kLowLimitNoteHint),
    spoken(spinEdit(OptionId::KeyShift, 1, "Key", kKeyShiftHint, kKeyShiftHint),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "キー（半音）")),
    {.id = OptionId::RhythmItem,
     .kind = ControlKind::RhythmCombo,
     .caption = QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム"),
     .spokenDescription = QT_TRANSLATE_NOOP("velmora::MainWindow", "リズムの拍の数と拍子")},
    spoken(checkBox(OptionId::ChordsAtWordStarts,
                    QT_TRANSLATE_NOOP("velmora::MainWindow", "語頭で和音を鳴らす")),
           nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "単語の頭ごとに和音を鳴らす")),
    checkBox(OptionId::TonicOnE, QT_TRANSLATE_NOOP("velmora::MainWindow", "E に主音を割り当て"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "ドレミをミファソとかラシドとかに読み替える")),
    spoken(checkBox(OptionId::ThickChords, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音を厚くする")),
           nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音の音を増やす")),
    spoken(checkBox(OptionId::BackingHighEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "高"),
                    kHighLimitHint),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器の高域制限")),
    spoken(
        checkBox(OptionId::BackingLowEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "低"), kLowLimitHint),
        QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器の低域制限")),
    spoken(checkBox(OptionId::SoloHighEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "高"), kHighLimitHint,
                    true),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器の高域制限")),
    spoken(checkBox(OptionId::SoloLowEnabled, QT_TRANSLATE_NOOP("velmora::MainWindow", "低"), kLowLimitHint,
                    true),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器の低域制限")),
    checkBox(OptionId::RhythmFromFirstCharacter, QT_TRANSLATE_NOOP("velmora::MainWindow", "曲頭調整"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "チェックで音の出だしをリズムの始まりにする")),
    spoken(checkBox(OptionId::TwoChannels, "2Ch",
                    QT_TRANSLATE_NOOP("velmora::MainWindow", "ソロ楽器と伴奏楽器とに分ける")),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "2Ch（ソロと伴奏）")),
    spoken(checkBox(OptionId::UnassignedLettersStartWords,
                    QT_TRANSLATE_NOOP("velmora::MainWindow", "未割当ての文字後も"),
                    QT_TRANSLATE_NOOP("velmora::MainWindow", "未割当てのアルｆベット後も和音を鳴らす")),
           QT_TRANSLATE_NOOP("velmora::MainWindow", "未割当ての文字後も和音")),
    checkBox(OptionId::SkipRestsOnBeats, QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム拍の空音を飛ばす"),
             QT_TRANSLATE_NOOP("velmora::MainWindow", "リズムの先頭で無理やり音を鳴らす")),
    spoken(checkBox(OptionId::OctaveDown, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音をオクターブ下げる")),
           nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "和音を1オクターブ低く鳴らす")),
    spinEdit(
        OptionId::RhythmCorrection, 1, QT_TRANSLATE_NOOP("velmora::MainWindow", "リズム補正"), nullptr,
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

const char* spokenName(const OptionPresentation& shown) {
    return shown.spokenName != nullptr ? shown.spokenName : shown.caption;
}

const char* spokenDescription(const OptionPresentation& shown) {
    if (shown.spokenDescription != nullptr) return shown.spokenDescription;
    return shown.hint != nullptr ? shown.hint : shown.labelHint;
}

}  // namespace velmora
