#include "ui/instrument_ranges.h"

#include <cstdio>

namespace velmora {

const std::array<InstrumentRange, kInstrumentRangeCount> InstrumentRanges = {{
    {1, "Acoustic Grand Piano", 21, 108, "グランドピアノ"},
    {2, "Bright Acoustic Piano", 21, 108, "明るく歯切れのよいグランドピアノ"},
    {3, "Electric Grand Piano", 21, 108, "エレクトリック・グランドピアノ"},
    {4, "Honky-tonk Piano", 21, 108, "調子の外れた酒場のピアノ"},
    {5, "Electric Piano1", 28, 103, "エレクトリックピアノ(ローズ系)"},
    {6, "Electric Piano2", 28, 103, "エレクトリックピアノ(FM系)"},
    {7, "Harpsichord", 41, 89, "ハープシコード(チェンバロ)"},
    {8, "Clavi", 36, 96, "クラビネット"},
    {9, "Celesta", 60, 108, "チェレスタ(鍵盤付きの鉄琴)"},
    {10, "Glockenspiel", 72, 108, "グロッケン(鉄琴)"},
    {11, "Music Box", 60, 84, "オルゴール"},
    {12, "Vibraphone", 53, 89, "ビブラフォン"},
    {13, "Marimba", 48, 84, "マリンバ"},
    {14, "Xylophone", 65, 96, "シロフォン(木琴)"},
    {15, "Tubular Bells", 60, 77, "チューブラーベル(鐘)"},
    {16, "Dulcimer", 60, 84, "ダルシマー(打弦楽器)"},
    {17, "Drawbar Organ", 36, 96, "ドローバーオルガン"},
    {18, "Percussive Organ", 36, 96, "パーカッシブオルガン"},
    {19, "Rock Organ", 36, 96, "ロックオルガン"},
    {20, "Church Organ", 21, 108, "チャーチオルガン(パイプオルガン)"},
    {21, "Reed Organ", 36, 96, "リードオルガン(足踏みオルガン)"},
    {22, "Accordion", 53, 89, "アコーディオン"},
    {23, "Harmonica", 60, 84, "ハーモニカ"},
    {24, "Tango Accordion", 53, 89, "タンゴアコーディオン(バンドネオン)"},
    {25, "Acoustic Guitar(nylon)", 40, 84, "ナイロン弦ギター(クラシックギター)"},
    {26, "Acoustic Guitar(steel)", 40, 84, "スチール弦ギター(フォークギター)"},
    {27, "Electric Guitar(jazz)", 40, 86, "ジャズギター"},
    {28, "Electric Guitar(clean)", 40, 86, "エレキギター(クリーン)"},
    {29, "Electric Guitar(muted)", 40, 86, "エレキギター(ミュート)"},
    {30, "Overdriven Guitar", 40, 86, "オーバードライブギター"},
    {31, "Distortion Guitar", 40, 86, "ディストーションギター"},
    {32, "Guitar harmonics", 40, 86, "ギターハーモニクス"},
    {33, "Acoustic Bass", 28, 55, "ウッドベース"},
    {34, "Electric Bass(finger)", 28, 55, "エレキベース(指弾き)"},
    {35, "Electric Bass(pick)", 28, 55, "エレキベース(ピック弾き)"},
    {36, "Fretless Bass", 28, 55, "フレットレスベース"},
    {37, "Slap Bass 1", 28, 55, "スラップベース1"},
    {38, "Slap Bass 2", 28, 55, "スラップベース2"},
    {39, "Synth Bass 1", 28, 55, "シンセベース1"},
    {40, "Synth Bass 2", 28, 55, "シンセベース2"},
    {41, "Violin", 55, 96, "バイオリン"},
    {42, "Viola", 48, 84, "ビオラ"},
    {43, "Cello", 36, 72, "チェロ"},
    {44, "Contrabass", 28, 55, "コントラバス"},
    {45, "Tremolo Strings", 28, 96, "トレモロ弦楽合奏"},
    {46, "Pizzicato Strings", 28, 96, "ピチカート弦楽合奏"},
    {47, "Orchestral Harp", 23, 103, "ハープ"},
    {48, "Timpani", 36, 57, "ティンパニ"},
    {49, "String Ensemble 1", 28, 96, "弦楽合奏1"},
    {50, "String Ensemble 2", 28, 96, "弦楽合奏2(ゆっくり立ち上がる)"},
    {51, "SynthStrings 1", 36, 96, "シンセストリングス1"},
    {52, "SynthStrings 2", 36, 96, "シンセストリングス2"},
    {53, "Choir Aahs", 48, 79, "合唱(アー)"},
    {54, "Voice Oohs", 48, 79, "声(ウー)"},
    {55, "Synth Voice", 48, 84, "シンセボイス"},
    {56, "Orchestra Hit", 48, 72, "オーケストラヒット"},
    {57, "Trumpet", 58, 94, "トランペット"},
    {58, "Trombone", 34, 75, "トロンボーン"},
    {59, "Tuba", 29, 55, "チューバ"},
    {60, "Muted Trumpet", 58, 82, "ミュートトランペット"},
    {61, "French Horn", 41, 77, "フレンチホルン(ホルン)"},
    {62, "Brass Section", 36, 96, "ブラスセクション(金管合奏)"},
    {63, "SynthBrass 1", 36, 96, "シンセブラス1"},
    {64, "SynthBrass 2", 36, 96, "シンセブラス2"},
    {65, "Soprano Sax", 54, 87, "ソプラノサックス"},
    {66, "Alto Sax", 49, 80, "アルトサックス"},
    {67, "Tenor Sax", 42, 75, "テナーサックス"},
    {68, "Baritone Sax", 37, 68, "バリトンサックス"},
    {69, "Oboe", 58, 91, "オーボエ"},
    {70, "English Horn", 52, 81, "イングリッシュホルン(コールアングレ)"},
    {71, "Bassoon", 34, 72, "ファゴット(バスーン)"},
    {72, "Clarinet", 50, 91, "クラリネット"},
    {73, "Piccolo", 74, 108, "ピッコロ"},
    {74, "Flute", 60, 96, "フルート"},
    {75, "Recorder", 60, 96, "リコーダー"},
    {76, "Pan Flute", 60, 96, "パンフルート"},
    {77, "Blown Bottle", 60, 96, "瓶を吹き鳴らす音"},
    {78, "Shakuhachi", 55, 84, "尺八"},
    {79, "Whistle", 60, 96, "口笛"},
    {80, "Ocarina", 60, 84, "オカリナ"},
}};

std::string instrumentRangeLine(const InstrumentRange& range) {
    char head[16];
    std::snprintf(head, sizeof head, "%d(%02XH)", range.program, static_cast<unsigned>(range.program - 1));
    std::string line = head;
    line += " \t";
    line += range.name;
    line += " \t";
    line += std::to_string(range.lowNote) + "-" + std::to_string(range.highNote);
    line += " \t";
    line += range.description;
    return line;
}

std::string instrumentRangeTableText() {
    std::string text;
    for (const InstrumentRange& range : InstrumentRanges) {
        if (!text.empty()) text += '\n';
        text += instrumentRangeLine(range);
    }
    return text;
}

}  // namespace velmora
