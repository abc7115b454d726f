#include "ui/dialogs/instrument_ranges.h"

#include <QCoreApplication>
#include <cstdio>

namespace velmora {

const std::array<InstrumentRange, kInstrumentRangeCount> InstrumentRanges = {{
    {1, "Acoustic Grand Piano", 21, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "グランドピアノ")},
    {2, "Bright Acoustic Piano", 21, 108,
     QT_TRANSLATE_NOOP("InstrumentRanges", "明るく歯切れのよいグランドピアノ")},
    {3, "Electric Grand Piano", 21, 108,
     QT_TRANSLATE_NOOP("InstrumentRanges", "エレクトリック・グランドピアノ")},
    {4, "Honky-tonk Piano", 21, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "調子の外れた酒場のピアノ")},
    {5, "Electric Piano1", 28, 103, QT_TRANSLATE_NOOP("InstrumentRanges", "エレクトリックピアノ(ローズ系)")},
    {6, "Electric Piano2", 28, 103, QT_TRANSLATE_NOOP("InstrumentRanges", "エレクトリックピアノ(FM系)")},
    {7, "Harpsichord", 41, 89, QT_TRANSLATE_NOOP("InstrumentRanges", "ハープシコード(チェンバロ)")},
    {8, "Clavi", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "クラビネット")},
    {9, "Celesta", 60, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "チェレスタ(鍵盤付きの鉄琴)")},
    {10, "Glockenspiel", 72, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "グロッケン(鉄琴)")},
    {11, "Music Box", 60, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "オルゴール")},
    {12, "Vibraphone", 53, 89, QT_TRANSLATE_NOOP("InstrumentRanges", "ビブラフォン")},
    {13, "Marimba", 48, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "マリンバ")},
    {14, "Xylophone", 65, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "シロフォン(木琴)")},
    {15, "Tubular Bells", 60, 77, QT_TRANSLATE_NOOP("InstrumentRanges", "チューブラーベル(鐘)")},
    {16, "Dulcimer", 60, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "ダルシマー(打弦楽器)")},
    {17, "Drawbar Organ", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "ドローバーオルガン")},
    {18, "Percussive Organ", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "パーカッシブオルガン")},
    {19, "Rock Organ", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "ロックオルガン")},
    {20, "Church Organ", 21, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "チャーチオルガン(パイプオルガン)")},
    {21, "Reed Organ", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "リードオルガン(足踏みオルガン)")},
    {22, "Accordion", 53, 89, QT_TRANSLATE_NOOP("InstrumentRanges", "アコーディオン")},
    {23, "Harmonica", 60, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "ハーモニカ")},
    {24, "Tango Accordion", 53, 89,
     QT_TRANSLATE_NOOP("InstrumentRanges", "タンゴアコーディオン(バンドネオン)")},
    {25, "Acoustic Guitar(nylon)", 40, 84,
     QT_TRANSLATE_NOOP("InstrumentRanges", "ナイロン弦ギター(クラシックギター)")},
    {26, "Acoustic Guitar(steel)", 40, 84,
     QT_TRANSLATE_NOOP("InstrumentRanges", "スチール弦ギター(フォークギター)")},
    {27, "Electric Guitar(jazz)", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "ジャズギター")},
    {28, "Electric Guitar(clean)", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "エレキギター(クリーン)")},
    {29, "Electric Guitar(muted)", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "エレキギター(ミュート)")},
    {30, "Overdriven Guitar", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "オーバードライブギター")},
    {31, "Distortion Guitar", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "ディストーションギター")},
    {32, "Guitar harmonics", 40, 86, QT_TRANSLATE_NOOP("InstrumentRanges", "ギターハーモニクス")},
    {33, "Acoustic Bass", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "ウッドベース")},
    {34, "Electric Bass(finger)", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "エレキベース(指弾き)")},
    {35, "Electric Bass(pick)", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "エレキベース(ピック弾き)")},
    {36, "Fretless Bass", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "フレットレスベース")},
    {37, "Slap Bass 1", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "スラップベース1")},
    {38, "Slap Bass 2", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "スラップベース2")},
    {39, "Synth Bass 1", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセベース1")},
    {40, "Synth Bass 2", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセベース2")},
    {41, "Violin", 55, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "バイオリン")},
    {42, "Viola", 48, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "ビオラ")},
    {43, "Cello", 36, 72, QT_TRANSLATE_NOOP("InstrumentRanges", "チェロ")},
    {44, "Contrabass", 28, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "コントラバス")},
    {45, "Tremolo Strings", 28, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "トレモロ弦楽合奏")},
    {46, "Pizzicato Strings", 28, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "ピチカート弦楽合奏")},
    {47, "Orchestral Harp", 23, 103, QT_TRANSLATE_NOOP("InstrumentRanges", "ハープ")},
    {48, "Timpani", 36, 57, QT_TRANSLATE_NOOP("InstrumentRanges", "ティンパニ")},
    {49, "String Ensemble 1", 28, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "弦楽合奏1")},
    {50, "String Ensemble 2", 28, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "弦楽合奏2(ゆっくり立ち上がる)")},
    {51, "SynthStrings 1", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセストリングス1")},
    {52, "SynthStrings 2", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセストリングス2")},
    {53, "Choir Aahs", 48, 79, QT_TRANSLATE_NOOP("InstrumentRanges", "合唱(アー)")},
    {54, "Voice Oohs", 48, 79, QT_TRANSLATE_NOOP("InstrumentRanges", "声(ウー)")},
    {55, "Synth Voice", 48, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセボイス")},
    {56, "Orchestra Hit", 48, 72, QT_TRANSLATE_NOOP("InstrumentRanges", "オーケストラヒット")},
    {57, "Trumpet", 58, 94, QT_TRANSLATE_NOOP("InstrumentRanges", "トランペット")},
    {58, "Trombone", 34, 75, QT_TRANSLATE_NOOP("InstrumentRanges", "トロンボーン")},
    {59, "Tuba", 29, 55, QT_TRANSLATE_NOOP("InstrumentRanges", "チューバ")},
    {60, "Muted Trumpet", 58, 82, QT_TRANSLATE_NOOP("InstrumentRanges", "ミュートトランペット")},
    {61, "French Horn", 41, 77, QT_TRANSLATE_NOOP("InstrumentRanges", "フレンチホルン(ホルン)")},
    {62, "Brass Section", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "ブラスセクション(金管合奏)")},
    {63, "SynthBrass 1", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセブラス1")},
    {64, "SynthBrass 2", 36, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "シンセブラス2")},
    {65, "Soprano Sax", 54, 87, QT_TRANSLATE_NOOP("InstrumentRanges", "ソプラノサックス")},
    {66, "Alto Sax", 49, 80, QT_TRANSLATE_NOOP("InstrumentRanges", "アルトサックス")},
    {67, "Tenor Sax", 42, 75, QT_TRANSLATE_NOOP("InstrumentRanges", "テナーサックス")},
    {68, "Baritone Sax", 37, 68, QT_TRANSLATE_NOOP("InstrumentRanges", "バリトンサックス")},
    {69, "Oboe", 58, 91, QT_TRANSLATE_NOOP("InstrumentRanges", "オーボエ")},
    {70, "English Horn", 52, 81,
     QT_TRANSLATE_NOOP("InstrumentRanges", "イングリッシュホルン(コールアングレ)")},
    {71, "Bassoon", 34, 72, QT_TRANSLATE_NOOP("InstrumentRanges", "ファゴット(バスーン)")},
    {72, "Clarinet", 50, 91, QT_TRANSLATE_NOOP("InstrumentRanges", "クラリネット")},
    {73, "Piccolo", 74, 108, QT_TRANSLATE_NOOP("InstrumentRanges", "ピッコロ")},
    {74, "Flute", 60, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "フルート")},
    {75, "Recorder", 60, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "リコーダー")},
    {76, "Pan Flute", 60, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "パンフルート")},
    {77, "Blown Bottle", 60, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "瓶を吹き鳴らす音")},
    {78, "Shakuhachi", 55, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "尺八")},
    {79, "Whistle", 60, 96, QT_TRANSLATE_NOOP("InstrumentRanges", "口笛")},
    {80, "Ocarina", 60, 84, QT_TRANSLATE_NOOP("InstrumentRanges", "オカリナ")},
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
    // the description is a literal of the table above, so it ends in a NUL
    line += QCoreApplication::translate("InstrumentRanges", range.description.data()).toStdString();
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
