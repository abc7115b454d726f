#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "documents/settings.h"
#include "engine/rhythm_grid.h"
#include "engine/transport_display.h"
#include "ui/engine_texts.h"
#include "ui/gm_program_names.h"
#include "ui/control_factory.h"
#include "ui/elided_label.h"
#include "ui/main_controls.h"
#include "ui/memo_edit.h"
#include "ui/roll_view.h"
#include "ui/spin_edit.h"

namespace velmora {

namespace {

const char* const kHighLimitHint =
    QT_TRANSLATE_NOOP("velmora::TForm1", "高域制限 値以上の高音をオクターブ下げる73..100　３点ハが84");
const char* const kLowLimitHint =
    QT_TRANSLATE_NOOP("velmora::TForm1", "低域制限 値以下の低音をオクターブあげる 40..60　1点ハが60");

// The preset buttons' hints and the solo menu's captions until the preset
// dialog is attached: the instruments the presets apply.
QString presetName(int program) {
    const QStringList names = gmProgramNameList();
    return program >= 0 && program < names.size() ? names.at(program) : QString();
}

void buildInstrumentPanel(MainControls& c) {
    QFrame* panel = c.Panel2;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    c.solo = instrumentCombo(panel, "solo", 74,
                             QCoreApplication::translate("velmora::TForm1", "ソロ楽器　2ｃｈのみ使用"));
    c.solo->setEnabled(false);
    c.solo->setContextMenuPolicy(Qt::CustomContextMenu);
    c.chicut2 = checkBox(panel, "chicut2", QCoreApplication::translate("velmora::TForm1", "高"), false,
                         QCoreApplication::translate("velmora::TForm1", kHighLimitHint));
    c.chicut2->setEnabled(false);
    c.shicuts = spinEdit(panel, "shicuts", 60, 100, 85);
    c.clowcut2 = checkBox(panel, "clowcut2", QCoreApplication::translate("velmora::TForm1", "低"), false,
                          QCoreApplication::translate("velmora::TForm1", kLowLimitHint));
    c.clowcut2->setEnabled(false);
    c.slowcuts = spinEdit(panel, "slowcuts", 36, 72, 54);
    c.SpinEdit1 = spinEdit(panel, "SpinEdit1", 0, 127, 0, 10);

    c.gakki = instrumentCombo(panel, "gakki", 0,
                              QCoreApplication::translate("velmora::TForm1", "単独楽器　2ｃｈ　では伴奏"));
    c.chicut = checkBox(panel, "chicut", QCoreApplication::translate("velmora::TForm1", "高"), false,
                        QCoreApplication::translate("velmora::TForm1", kHighLimitHint));
    c.shicut = spinEdit(panel, "shicut", 60, 100, 85);
    c.clowcut = checkBox(panel, "clowcut", QCoreApplication::translate("velmora::TForm1", "低"), false,
                         QCoreApplication::translate("velmora::TForm1", kLowLimitHint));
    c.slowcut = spinEdit(panel, "slowcut", 36, 72, 54);
    c.SpinEdit3 = spinEdit(panel, "SpinEdit3", 0, 127, 0, 10);

    grid->addWidget(c.solo, 0, 0, 1, 3);
    grid->addWidget(c.chicut2, 0, 3);
    grid->addWidget(c.shicuts, 0, 4);
    grid->addWidget(c.clowcut2, 0, 5);
    grid->addWidget(c.slowcuts, 0, 6);
    grid->addWidget(c.SpinEdit1, 0, 7);
    grid->addWidget(c.gakki, 1, 0, 1, 3);
    grid->addWidget(c.chicut, 1, 3);
    grid->addWidget(c.shicut, 1, 4);
    grid->addWidget(c.clowcut, 1, 5);
    grid->addWidget(c.slowcut, 1, 6);
    grid->addWidget(c.SpinEdit3, 1, 7);

    c.C2chan = checkBox(panel, "C2chan", "2Ch", false,
                        QCoreApplication::translate("velmora::TForm1", "ソロ楽器と伴奏楽器とに分ける"));
    auto* volumeLabel = named(new QLabel("Vol.", panel), "Label2");
    volumeLabel->setToolTip(
        QCoreApplication::translate("velmora::TForm1", "メロディのボリューム  2chでは上のボリューム"));
    c.volsolo = spinEdit(panel, "volsolo", 30, 127, 127, 10);
    c.volsolo->setToolTip(
        QCoreApplication::translate("velmora::TForm1", "メロディのボリューム  2chでは上のボリューム"));
    c.volback = spinEdit(panel, "volback", 30, 127, 110, 10);
    c.volback->setToolTip(
        QCoreApplication::translate("velmora::TForm1", "伴奏のボリューム 2chでは下のボリューム"));
    c.Label8 = whiteLabel(panel, "Label8", "");
    QFont noteFont = c.Label8->font();
    noteFont.setPixelSize(15);
    c.Label8->setFont(noteFont);
    c.Label8->setFixedSize(79, 19);
    c.Label8->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.Button1 =
        button(panel, "Button1", "?", QCoreApplication::translate("velmora::TForm1", "楽器の音域表示"));
    c.Button1->setFixedWidth(24);
    auto* reverbLabel = named(new QLabel("Reverb", panel), "Label5");

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    bottom->addWidget(c.C2chan);
    bottom->addWidget(volumeLabel);
    bottom->addWidget(c.volsolo);
    bottom->addWidget(c.volback);
    bottom->addWidget(c.Label8);
    bottom->addWidget(c.Button1);
    bottom->addStretch();
    grid->addLayout(bottom, 2, 0, 1, 7);
    grid->addWidget(reverbLabel, 2, 7, Qt::AlignCenter);
    grid->setColumnStretch(8, 1);
}

QWidget* buildPresetButtons(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 2, 0, 0);
    grid->setSpacing(2);
    static const char* const names[6] = {"pre1", "pre2", "pre3", "pre4", "pre5", "pre6"};
    for (int i = 0; i < 6; ++i) {
        auto* preset = button(box, names[i], QString::number(i + 1),
                              presetName(PresetSelections{}.backing[static_cast<std::size_t>(i)]));
        preset->setFixedSize(24, 24);
        c.pre[static_cast<std::size_t>(i)] = preset;
        grid->addWidget(preset, i / 3, i % 3);
    }
    grid->setRowStretch(2, 1);
    return box;
}

QGroupBox* buildPatternGroup(QWidget* parent, MainControls& c) {
    c.paternBox =
        named(new QGroupBox(QCoreApplication::translate("velmora::TForm1", "パターン"), parent), "paternBox");
    c.patern = new QButtonGroup(c.paternBox);
    c.patern->setObjectName("patern");
    auto* grid = new QGridLayout(c.paternBox);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    for (int i = 0; i < 12; ++i) {
        auto* item = new QRadioButton(QString::number(i + 1), c.paternBox);
        item->setObjectName(QStringLiteral("patern%1").arg(i + 1));
        c.patern->addButton(item, i);
        grid->addWidget(item, i / 4, i % 4);
    }
    c.patern->button(0)->setChecked(true);
    return c.paternBox;
}

QWidget* buildCommandButtons(QWidget* parent, MainControls& c) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    c.BitBtn1 =
        button(row, "BitBtn1", "Open", QCoreApplication::translate("velmora::TForm1", "開く (Ctrl+O)"));
    c.BitBtn3 = button(row, "BitBtn3", "Save as",
                       QCoreApplication::translate("velmora::TForm1", "名前をつけて保存 (Ctrl+Shift+S)"));
    c.BitBtn6 =
        button(row, "BitBtn6", "Save", QCoreApplication::translate("velmora::TForm1", "上書き保存 (Ctrl+S)"));
    c.BitBtn2 = button(row, "BitBtn2", "Play", "Play/Stop (F5)");
    c.BitBtn5 = button(row, "BitBtn5", "LinePlay", "LinePlay/Stop (F6)");
    c.BitBtn4 = button(row, "BitBtn4", "Pause", "Pause/Continue (F7)");
    c.BitBtn7 = button(row, "BitBtn7", "Midi",
                       QCoreApplication::translate("velmora::TForm1", "MIDIファイルとして保存する"));
    c.wavButton = button(row, "wavButton", "Wav",
                         QCoreApplication::translate("velmora::TForm1", "WAVファイルとして保存する"));
    c.outputButton =
        button(row, "outputButton", QCoreApplication::translate("velmora::TForm1", "出力…"),
               QCoreApplication::translate("velmora::TForm1", "音の出力先とサウンドフォントを選ぶ"));
    for (QPushButton* command : {c.BitBtn1, c.BitBtn3, c.BitBtn6}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.BitBtn2, c.BitBtn5, c.BitBtn4}) layout->addWidget(command);
    layout->addSpacing(4);
    for (QPushButton* command : {c.BitBtn7, c.wavButton, c.outputButton}) layout->addWidget(command);
    fitCaptions(c.BitBtn2, {"Play", "Stop"});
    fitCaptions(c.BitBtn5, {"LinePlay", "Stop"});
    fitCaptions(c.BitBtn4, {"Pause", "Continue"});
    for (QPushButton* command : {c.BitBtn1, c.BitBtn3, c.BitBtn6, c.BitBtn7, c.wavButton, c.outputButton})
        fitCaptions(command, {});
    return row;
}

QWidget* buildCheckBoxes(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    c.hiwaon =
        checkBox(box, "hiwaon", QCoreApplication::translate("velmora::TForm1", "語頭で和音を鳴らす"), true);
    c.octwaon =
        checkBox(box, "octwaon", QCoreApplication::translate("velmora::TForm1", "和音を厚くする"), true);
    c.coctdown = checkBox(box, "coctdown",
                          QCoreApplication::translate("velmora::TForm1", "和音をオクターブ下げる"), false);
    c.moreon =
        checkBox(box, "moreon", QCoreApplication::translate("velmora::TForm1", "未割当ての文字後も"), false,
                 QCoreApplication::translate("velmora::TForm1", "未割当てのアルｆベット後も和音を鳴らす"));
    c.cjump =
        checkBox(box, "cjump", QCoreApplication::translate("velmora::TForm1", "リズム拍の空音を飛ばす"), true,
                 QCoreApplication::translate("velmora::TForm1", "リズムの先頭で無理やり音を鳴らす"));
    c.ctopryzm = checkBox(
        box, "ctopryzm", QCoreApplication::translate("velmora::TForm1", "曲頭調整"), false,
        QCoreApplication::translate("velmora::TForm1", "チェックで音の出だしをリズムの始まりにする"));
    c.retonic = checkBox(
        box, "retonic", QCoreApplication::translate("velmora::TForm1", "E に主音を割り当て"), true,
        QCoreApplication::translate("velmora::TForm1", "ドレミをミファソとかラシドとかに読み替える"));
    c.crept = checkBox(box, "crept", QCoreApplication::translate("velmora::TForm1", "リピ－ト"), false);
    QCheckBox* const order[8] = {c.hiwaon, c.octwaon,  c.coctdown, c.moreon,
                                 c.cjump,  c.ctopryzm, c.retonic,  c.crept};
    for (int i = 0; i < 8; ++i) grid->addWidget(order[i], i / 4, i % 4);
    return box;
}

QWidget* buildTempoAndDisplays(QWidget* parent, MainControls& c) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    c.cryzm = named(new QComboBox(box), "cryzm");
    c.cryzm->setEditable(true);
    c.cryzm->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& text : rhythmItemTexts()) c.cryzm->addItem(engineText(text));
    c.cryzm->setCurrentIndex(3);
    c.SpinEdit2 = spinEdit(box, "SpinEdit2", 80, 1000, 200, 10);
    c.enryzm = spinEdit(box, "enryzm", 0, 3, 0);
    c.ckeyup = spinEdit(box, "ckeyup", -8, 8, 0);
    c.ckeyup->setToolTip(QCoreApplication::translate("velmora::TForm1", "キーを上げ下げする"));

    auto* correctionLabel =
        named(new QLabel(QCoreApplication::translate("velmora::TForm1", "リズム補正"), box), "Label7");
    correctionLabel->setToolTip(QCoreApplication::translate(
        "velmora::TForm1", "大きいほどリズムが安定しますが変化に乏しくなることも"));
    auto* keyLabel = named(new QLabel("Key", box), "Label10");
    keyLabel->setToolTip(QCoreApplication::translate("velmora::TForm1", "キーを上げ下げする"));

    c.Label9 = whiteLabel(box, "Label9", "C");
    QFont keyFont = c.Label9->font();
    keyFont.setPixelSize(15);
    keyFont.setBold(true);
    c.Label9->setFont(keyFont);
    QPalette navy = c.Label9->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    c.Label9->setPalette(navy);
    c.Label9->setMinimumWidth(32);
    c.Label3 = whiteLabel(box, "Label3", "00 : 00");
    c.Label3->setToolTip(QCoreApplication::translate("velmora::TForm1", "演奏時間の目安"));
    c.Label4 = whiteLabel(box, "Label4", "00 : 00");
    c.Label4->setToolTip(QCoreApplication::translate("velmora::TForm1", "経過時間"));
    c.Label3->setMinimumWidth(56);
    c.Label4->setMinimumWidth(56);

    grid->addWidget(
        named(new QLabel(QCoreApplication::translate("velmora::TForm1", "リズム"), box), "Label6"), 0, 0);
    grid->addWidget(c.cryzm, 0, 1, 1, 3);
    grid->addWidget(
        named(new QLabel(QCoreApplication::translate("velmora::TForm1", "テンポ"), box), "Label1"), 1, 0);
    grid->addWidget(c.SpinEdit2, 1, 1);
    grid->addWidget(correctionLabel, 1, 2);
    grid->addWidget(c.enryzm, 1, 3);
    grid->addWidget(keyLabel, 2, 0);
    grid->addWidget(c.ckeyup, 2, 1);
    grid->addWidget(c.Label9, 2, 2, 1, 2);
    grid->addWidget(c.Label3, 3, 0, 1, 2);
    grid->addWidget(c.Label4, 3, 2, 1, 2);
    return box;
}

void buildSoloMenu(MainControls& c) {
    c.PopupMenu1 = new QMenu(c.solo);
    c.PopupMenu1->setObjectName("PopupMenu1");
    static const char* const names[6] = {"N11", "N21", "N31", "N41", "N51", "N61"};
    for (int i = 0; i < 6; ++i) {
        QAction* item =
            c.PopupMenu1->addAction(presetName(PresetSelections{}.solo[static_cast<std::size_t>(i)]));
        item->setObjectName(names[i]);
        c.soloMenuItems[static_cast<std::size_t>(i)] = item;
    }
}

}  // namespace

MainControls buildMainControls(QWidget& central, QStatusBar& statusBar) {
    MainControls c;
    auto* outer = new QVBoxLayout(&central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The memo above, the piano roll below; the user moves the border between them.
    auto* split = named(new QSplitter(Qt::Vertical, &central), "memoAndRoll");
    c.Memo1 = new MemoEdit(split);
    c.roll = new RollView(split);
    split->addWidget(c.Memo1);
    split->addWidget(c.roll);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    c.roll->setMinimumHeight(100);
    split->setChildrenCollapsible(true);
    outer->addWidget(split, 1);

    c.Panel1 = named(new QFrame(&central), "Panel1");
    c.Panel1->setAutoFillBackground(true);
    outer->addWidget(c.Panel1, 0);
    c.Panel2 = named(new QFrame(c.Panel1), "Panel2");
    c.Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.Panel2->setAutoFillBackground(true);
    buildInstrumentPanel(c);
    buildSoloMenu(c);

    auto* panel = new QGridLayout(c.Panel1);
    panel->setContentsMargins(4, 4, 4, 4);
    panel->setHorizontalSpacing(6);
    panel->setVerticalSpacing(4);
    panel->addWidget(c.Panel2, 0, 0);
    panel->addWidget(buildPresetButtons(c.Panel1, c), 0, 1, Qt::AlignTop);
    panel->addWidget(buildPatternGroup(c.Panel1, c), 0, 2);
    panel->addWidget(buildCommandButtons(c.Panel1, c), 1, 0, 1, 2);
    panel->addWidget(buildCheckBoxes(c.Panel1, c), 2, 0, 1, 2);
    panel->addWidget(buildTempoAndDisplays(c.Panel1, c), 1, 2, 2, 1);
    panel->setColumnStretch(0, 1);
    c.Panel1->setFixedHeight(c.Panel1->sizeHint().height());

    c.statusPattern = named(new QLabel(&statusBar), "statusPanel0");
    c.statusPattern->setMinimumWidth(250);
    c.statusTransport = named(new QLabel(engineText(kStatusResting), &statusBar), "statusPanel1");
    c.statusTransport->setMinimumWidth(50);
    c.statusNotice = named(new ElidedLabel(&statusBar), "statusNotice");
    statusBar.addWidget(c.statusPattern);
    statusBar.addWidget(c.statusTransport);
    statusBar.addWidget(c.statusNotice, 1);
    return c;
}

}  // namespace velmora
