#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QSet>

#include "language/qt/translations.h"
#include "ui/accessibility/sounding_announcer.h"
#include "ui/controls/option_presentation.h"
#include "window_fixture.h"

namespace velmora::testing {
namespace {

bool hasJapanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

// What a screen reader says a control is called: a combo box on Linux by the label that names it.
QString spokenName(QAccessibleInterface& control) {
    if (control.role() == QAccessible::ComboBox && !control.relations(QAccessible::Label).isEmpty())
        return control.relations(QAccessible::Label).first().first->text(QAccessible::Name);
    return control.text(QAccessible::Name);
}

class AccessibilityTest : public WindowTest, public ::testing::WithParamInterface<Language> {
protected:
    void TearDown() override { installTranslations(*QCoreApplication::instance(), Language::Japanese); }
};

TEST_P(AccessibilityTest, EveryControlHasItsOwnNameDescriptionAndRangeInTheWindowsLanguage) {
    const bool english = GetParam() == Language::English;
    installTranslations(*QCoreApplication::instance(), GetParam());
    auto window = openWindow();
    QSet<QString> names;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QAbstractSpinBox*>(control) || control == window->controls().memo;
        if (!isControl || control->objectName().startsWith("qt_") ||
            control->parentWidget()->inherits("QComboBox"))
            continue;  // Qt's own parts, and the parts of combo boxes, are named by Qt
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
        const QString name = spokenName(*reader);
        const QString description = reader->text(QAccessible::Description);
        SCOPED_TRACE(control->objectName().toStdString() + ": " + name.toStdString());
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(description.isEmpty());
        EXPECT_FALSE(names.contains(name));
        names.insert(name);
        // The Latin captions of the command buttons are the same in both languages.
        if (english || !control->objectName().endsWith("Button") ||
            control->objectName().startsWith("preset")) {
            EXPECT_EQ(hasJapanese(name + description), !english);
        }
    }
    EXPECT_GT(names.size(), 50);  // the options, the twelve patterns, the buttons and the memo
    for (const OptionPresentation& shown : optionPresentations()) {
        if (shown.kind != ControlKind::NumberField) continue;
        QAccessibleValueInterface* range =
            QAccessible::queryAccessibleInterface(window->controls().options.widget(shown.id))
                ->valueInterface();
        EXPECT_EQ(range->minimumValue().toInt(), optionDefinition(shown.id).low);
        EXPECT_EQ(range->maximumValue().toInt(), optionDefinition(shown.id).high);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessibilityTest,
                         ::testing::Values(Language::Japanese, Language::English));

TEST(SoundingAnnouncerTest, TheStatusPanelNamesTheSoundingCharacterAtMostOncePerInterval) {
    std::int64_t now = 0;
    QLabel panel("演奏中");
    SoundingAnnouncer announcer(panel, [&now] { return now; });
    const auto soundAt = [&](std::int64_t time, const QString& character) {
        now = time;
        announcer.sounding(character);
        return panel.accessibleName();
    };
    EXPECT_EQ(soundAt(0, "H"), "演奏中：H");
    EXPECT_EQ(soundAt(200, "e"), "演奏中：H");   // too soon after the last
    EXPECT_EQ(soundAt(1000, " "), "演奏中：H");  // blanks are not said
    EXPECT_EQ(soundAt(1100, "l"), "演奏中：l");
    announcer.stateChanged();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&panel)->text(QAccessible::Name), "演奏中");
    EXPECT_EQ(soundAt(1200, "o"), "演奏中：o");
}

}  // namespace
}  // namespace velmora::testing
