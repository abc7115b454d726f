#pragma once

#include <string>

namespace velmora {

// What the transport shows: which controls take input, the captions of its
// buttons, status panel 1 and the colour of the two display panels. A user
// interface copies these onto its widgets whenever the transport says so.
struct TransportDisplay {
    std::string playCaption = "Play";
    std::string linePlayCaption = "LinePlay";
    std::string pauseCaption = "Pause";
    bool playEnabled = true;      // BitBtn2
    bool linePlayEnabled = true;  // BitBtn5
    bool openEnabled = true;      // BitBtn1
    bool saveAsEnabled = true;    // BitBtn3
    bool saveEnabled = true;      // BitBtn6
    bool paternEnabled = true;
    bool gakkiEnabled = true;
    bool retonicEnabled = true;
    bool ctopryzmEnabled = true;
    bool c2chanEnabled = true;
    bool soloEnabled = false;  // follows the two-channel switch when idle
    bool presetsEnabled = true;  // pre1..pre6
    bool acceptDrops = true;
    std::string status;   // status panel 1
    bool panelsLit = false;  // Panel1/Panel2: light green while performing, else the button face

    static constexpr unsigned kLitPanelColour = 0xC0DCC0;   // as a BGR colour reference
    static constexpr unsigned kButtonFaceColour = 0x8000000F;
};

// The system's own texts.
inline constexpr const char* kStatusPreparing = "[!] 工事中　少々お待ちください";
inline constexpr const char* kStatusPlaying = "演奏中";
inline constexpr const char* kStatusResting = "休憩中";
inline constexpr const char* kStatusLoading = "ロード中";
inline constexpr const char* kOverrunMessage =
    "処理が間に合わず停止しました。もっとテンポを落とすか、MIDIのバッファを増やして下さい";
inline constexpr const char* kElapsedZero = "00 : 00";

}  // namespace velmora
