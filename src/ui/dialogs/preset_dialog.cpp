#include "ui/dialogs/preset_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "documents/file_read.h"
#include "documents/ini_file.h"
#include "ui/controls/gm_program_names.h"
#include "ui/dialogs/instrument_ranges.h"

namespace velmora {
namespace {

constexpr int kMemoWidth = 495;
constexpr int kMemoHeight = 350;
constexpr int kColumnGap = 8;  // pixels between the widest entry of a table column and the next

const char* const kSoloPresetHint = QT_TRANSLATE_NOOP("velmora::PresetDialog", "ソロ楽器　2ｃｈのみ使用");

QFont dialogFont() {
    QFont font;
    // The first family installed wins; all are Japanese proportional Gothics.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    return font;
}

bool validNumber(int number) { return number >= 1 && number <= PresetDialog::kPresetCount; }

// The array slot of preset `number` (1..6).
std::size_t slotOf(int number) { return static_cast<std::size_t>(number - 1); }

// The item whose text is exactly the combo's text: typed text that names no
// item leaves the combo without an item, even while an earlier one is current.
int itemIndexOf(const QComboBox* combo) {
    return combo->findText(combo->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

void selectItem(QComboBox* combo, int itemIndex) {
    const QSignalBlocker quiet(combo);
    if (itemIndex < 0 || itemIndex >= combo->count()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    } else {
        combo->setCurrentIndex(itemIndex);
        combo->setEditText(combo->itemText(itemIndex));
    }
    // Long names then show their beginning, not their end.
    combo->lineEdit()->setCursorPosition(0);
}

QComboBox* makePresetCombo(const QString& objectName, int designedItem) {
    auto* combo = new QComboBox;
    combo->setObjectName(objectName);
    combo->setEditable(true);
    // Typed text is a caption, not a new instrument: it must never join the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(gmProgramNameList());
    combo->setMaxVisibleItems(16);
    // Narrow enough for three in a row under the memo; the layout widens them to fill it.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    selectItem(combo, designedItem);
    return combo;
}

// Tab stops just past the widest text of each tab-separated column, so that
// the columns line up whatever font was found.
void alignTabColumns(QPlainTextEdit* memo, const QStringList& lines) {
    const QFontMetrics metrics(memo->font());
    QList<int> columnWidths;
    for (const QString& line : lines) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i + 1 < cells.size(); ++i) {
            if (columnWidths.size() <= i) columnWidths.append(0);
            columnWidths[i] = std::max(columnWidths[i], metrics.horizontalAdvance(cells[i]));
        }
    }
    QList<QTextOption::Tab> tabs;
    qreal position = 0;
    for (int width : columnWidths) {
        position += width + kColumnGap;
        tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
    }
    QTextOption option = memo->document()->defaultTextOption();
    option.setTabs(tabs);
    memo->document()->setDefaultTextOption(option);
}

QPlainTextEdit* makeRangeTable(const QFont& font) {
    auto* memo = new QPlainTextEdit;
    // Set here rather than inherited: the tab stops are measured before the
    // memo joins the dialog.
    memo->setFont(font);
    memo->setObjectName(QStringLiteral("rangeTable"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFixedSize(kMemoWidth, kMemoHeight);
    const QString text = QString::fromStdString(instrumentRangeTableText());
    memo->setPlainText(text);
    alignTabColumns(memo, text.split(QLatin1Char('\n')));
    return memo;
}

QLabel* makeLabel(const QString& text) { return new QLabel(text); }

// Labels stacked on the left of a block of two preset rows.
QVBoxLayout* captionColumn(std::initializer_list<QString> texts) {
    auto* column = new QVBoxLayout;
    column->addStretch();
    for (const QString& text : texts) column->addWidget(makeLabel(text));
    column->addStretch();
    return column;
}

}  // namespace

PresetDialog::PresetDialog(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle(
        QCoreApplication::translate("velmora::PresetDialog", "楽器音域表とソロ楽器プリセット設定"));
    setFont(dialogFont());
    setModal(false);
    buildControls();
    // Handlers are connected after the designed selections are in place, so
    // that creating the dialog leaves the main window's captions and hints alone.
    for (int n = 1; n <= kPresetCount; ++n) {
        connect(soloPresets_[slotOf(n)], &QComboBox::currentTextChanged, this,
                [this, n] { reportSoloPreset(n); });
        connect(backingPresets_[slotOf(n)], &QComboBox::currentTextChanged, this,
                [this, n] { reportBackingPreset(n); });
    }
}

void PresetDialog::buildControls() {
    const PresetSelections designed;
    rangeTable_ = makeRangeTable(font());
    for (int i = 0; i < kPresetCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        soloPresets_[slot] = makePresetCombo(QStringLiteral("soloPreset%1").arg(i + 1), designed.solo[slot]);
        soloPresets_[slot]->setToolTip(QCoreApplication::translate("velmora::PresetDialog", kSoloPresetHint));
        backingPresets_[slot] =
            makePresetCombo(QStringLiteral("backingPreset%1").arg(i + 1), designed.backing[slot]);
    }

    // Rows 0-1 the solo presets, rows 2-3 the backing presets, three a row;
    // column 0 holds the captions, then a number column before each combo.
    auto* presets = new QGridLayout;
    presets->setHorizontalSpacing(4);
    presets->addLayout(captionColumn({QCoreApplication::translate("velmora::PresetDialog", "ソロ楽器"),
                                      QCoreApplication::translate("velmora::PresetDialog", "プリセット")}),
                       0, 0, 2, 1);
    presets->addLayout(captionColumn({QCoreApplication::translate("velmora::PresetDialog", "プリセット"),
                                      QCoreApplication::translate("velmora::PresetDialog", "単独"),
                                      QCoreApplication::translate("velmora::PresetDialog", "伴奏楽器")}),
                       2, 0, 2, 1);
    for (int i = 0; i < kPresetCount; ++i) {
        const int row = i / 3;
        const int column = 1 + (i % 3) * 2;
        const auto slot = static_cast<std::size_t>(i);
        presets->addWidget(new QLabel(QString::number(i + 1)), row, column, Qt::AlignRight);
        presets->addWidget(soloPresets_[slot], row, column + 1);
        if (i % 3 == 0)
            presets->addWidget(new QLabel(QString::number(i + 1)), row + 2, column, Qt::AlignRight);
        presets->addWidget(backingPresets_[slot], row + 2, column + 1);
    }
    for (int column = 2; column <= 6; column += 2) presets->setColumnStretch(column, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rangeTable_);
    layout->addLayout(presets);
}

int PresetDialog::soloPreset(int number) const {
    return validNumber(number) ? itemIndexOf(soloPresets_[slotOf(number)]) : -1;
}

int PresetDialog::backingPreset(int number) const {
    return validNumber(number) ? itemIndexOf(backingPresets_[slotOf(number)]) : -1;
}

QString PresetDialog::soloPresetText(int number) const {
    return validNumber(number) ? soloPresets_[slotOf(number)]->currentText() : QString();
}

QString PresetDialog::backingPresetText(int number) const {
    return validNumber(number) ? backingPresets_[slotOf(number)]->currentText() : QString();
}

void PresetDialog::setSoloPreset(int number, int itemIndex) {
    if (!validNumber(number)) return;
    selectItem(soloPresets_[slotOf(number)], itemIndex);
    reportSoloPreset(number);
}

void PresetDialog::setBackingPreset(int number, int itemIndex) {
    if (!validNumber(number)) return;
    selectItem(backingPresets_[slotOf(number)], itemIndex);
    reportBackingPreset(number);
}

void PresetDialog::loadPresets(const std::string& globalSettingsPath) {
    // Only a file that is plainly absent counts as none; one that is there but
    // cannot be examined or read is reported by the read.
    std::error_code error;
    if (std::filesystem::status(globalSettingsPath, error).type() == std::filesystem::file_type::not_found) {
        return;
    }
    applySelections(readPresetSelections(IniFile::parse(readFileBytes(globalSettingsPath))));
}

void PresetDialog::applySelections(const PresetSelections& selections) {
    for (int n = 1; n <= kPresetCount; ++n) setSoloPreset(n, selections.solo[slotOf(n)]);
    for (int n = 1; n <= kPresetCount; ++n) {
        setBackingPreset(n, selections.backing[slotOf(n)]);
    }
}

PresetSelections PresetDialog::presetSelections() const {
    PresetSelections selections;
    for (int n = 1; n <= kPresetCount; ++n) {
        selections.solo[slotOf(n)] = soloPreset(n);
        selections.backing[slotOf(n)] = backingPreset(n);
    }
    return selections;
}

void PresetDialog::reportSoloPreset(int number) {
    emit soloPresetChanged(number, soloPresetText(number));
    emit presetsChanged();
}

void PresetDialog::reportBackingPreset(int number) {
    emit backingPresetChanged(number, backingPresetText(number));
    emit presetsChanged();
}

void PresetDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window system's own show (restoring from the task bar) is not a showing by the program.
    if (!event->spontaneous()) placeBesideMainWindow();
}

void PresetDialog::placeBesideMainWindow() {
    const QWidget* mainWindow = parentWidget();
    if (!mainWindow) return;
    const QRect frame = mainWindow->frameGeometry();
    move(frame.x() + frame.width() + 1, frame.y());
}

}  // namespace velmora
