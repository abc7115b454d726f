#include <gtest/gtest.h>

#include <QApplication>

#include "language/qt/translations.h"
#ifdef VELMORA_HAVE_SOUND
#include "sound/jack_environment.h"
#endif

// The window tests need a QApplication; they run without a display. They check
// the Japanese texts exactly, so the window speaks Japanese whatever LANG says;
// tests of another language install it and restore Japanese after. JACK is
// set up as the program's main() does.
int main(int argc, char** argv) {
#ifdef VELMORA_HAVE_SOUND
    velmora::preventJackServerAutostart();
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    velmora::installTranslations(application, velmora::Language::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
