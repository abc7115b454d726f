#pragma once

// Marks a text of the core libraries for the window's translation catalogue.
// The text is written once, where the library keeps it; Qt's lupdate gathers
// every QT_TRANSLATE_NOOP under src/, and the window translates the text at
// display time (ui/engine_texts.cpp, context "EngineTexts"). The core
// libraries do not use Qt, so the marker is defined here as Qt defines it (the
// text itself) when no Qt header did so first; Qt's identical definition may
// follow it.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
