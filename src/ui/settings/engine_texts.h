#pragma once

#include <QString>
#include <exception>
#include <string>

#include "midi/output_warning.h"

namespace velmora {

// The engine and the mapping tables speak Japanese in std::string and know
// nothing of Qt: their texts are translated here, at display time. Any other
// text (a note name, a file name) is shown as it is.
QString engineText(const std::string& text);

// A file error's message in the window's language, naming its file and,
// for a file that could not be written, why; any other error's message as it is.
QString fileErrorText(const std::exception& error);

// A technical reason from the sound or export code (English) for a window
// message: the command-line advice it may carry ("--output ...", "apt install
// ...") is left out, since the window has its own ways to choose.
QString technicalDetail(const std::string& reason);

// A window message: a lead sentence in the window's language, then the detail.
QString withDetail(const QString& lead, const std::string& reason);

// An output's warning in the window's language: in English the command line's
// sentence, without its advice.
QString outputWarningText(const OutputWarning& warning);

}  // namespace velmora
