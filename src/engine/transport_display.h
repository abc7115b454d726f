#pragma once

#include <string>

#include "mapping/translatable_text.h"

namespace velmora {

// What the transport shows: which controls take input, the captions of its
// buttons, status panel 1 and the colour of the two display panels. A user
// interface copies these onto its widgets whenever the transport says so.
struct TransportDisplay {
    std::string playCaption = "Play";
    std::string linePlayCaption = "LinePlay";
    std::string pauseCaption = "Pause";
    bool playEnabled = true;
    bool linePlayEnabled = true;
    bool openEnabled = true;
    bool saveAsEnabled = true;
    bool saveEnabled = true;
    // The options marked lockedWhilePerforming in the option table take no input.
    bool optionsLocked = false;
    bool presetsEnabled = true;  // the six instrument presets
    bool acceptDrops = true;
    std::string status;   // status panel 1
    bool panelsLit = false;  // the two display panels: light green while performing
};

// The system's own texts; the window shows them translated.
inline constexpr const char* kStatusPreparing =
    QT_TRANSLATE_NOOP("EngineTexts", "[!] 工事中　少々お待ちください");
inline constexpr const char* kStatusPlaying = QT_TRANSLATE_NOOP("EngineTexts", "演奏中");
inline constexpr const char* kStatusResting = QT_TRANSLATE_NOOP("EngineTexts", "休憩中");
inline constexpr const char* kStatusLoading = QT_TRANSLATE_NOOP("EngineTexts", "ロード中");
inline constexpr const char* kOverrunMessage = QT_TRANSLATE_NOOP(
    "EngineTexts", "処理が間に合わず停止しました。もっとテンポを落とすか、MIDIのバッファを増やして下さい");
inline constexpr const char* kElapsedZero = "00 : 00";

}  // namespace velmora
