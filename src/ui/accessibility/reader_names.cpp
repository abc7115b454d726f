#include "ui/accessibility/reader_names.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

namespace velmora {

namespace {

constexpr const char* kContext = "velmora::MainWindow";

// A part by its object name. A part without a name keeps the one Qt gives it
// (a button's caption, a display's text); one without a description keeps its
// tooltip, which may change while the window runs.
struct ReaderText {
    const char* objectName;
    const char* name;
    const char* description;
};

constexpr ReaderText kReaderTexts[] = {
    {"memo", QT_TRANSLATE_NOOP("velmora::MainWindow", "テキスト"),
     QT_TRANSLATE_NOOP("velmora::MainWindow", "演奏するテキスト。演奏中は鳴っている文字に印が付く")},
    {"presetsButton", QT_TRANSLATE_NOOP("velmora::MainWindow", "楽器の音域表とプリセット"), nullptr},
    {"keyName", nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "キー（調）")},
    {"pointerNotes", nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "マウスポインタの下の文字の音")},
    {"statusPattern", nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "パターンの名前")},
    {"statusTransport", nullptr, QT_TRANSLATE_NOOP("velmora::MainWindow", "演奏の状態")},
};

QString translated(const char* source) { return QCoreApplication::translate(kContext, source); }

}  // namespace

void nameWindowPartsForReaders(QWidget& window) {
    for (const ReaderText& text : kReaderTexts) {
        auto* part = window.findChild<QWidget*>(QString::fromLatin1(text.objectName));
        if (part == nullptr) continue;
        if (text.name != nullptr) part->setAccessibleName(translated(text.name));
        if (text.description != nullptr) part->setAccessibleDescription(translated(text.description));
    }
    // The backing presets' buttons show only their numbers; their tooltips name the instruments.
    for (int number = 1; number <= 6; ++number) {
        if (auto* preset = window.findChild<QWidget*>(QStringLiteral("presetButton%1").arg(number)))
            preset->setAccessibleName(
                translated(QT_TRANSLATE_NOOP("velmora::MainWindow", "伴奏のプリセット %1")).arg(number));
    }
}

}  // namespace velmora
