#pragma once

#include <QString>

#include "documents/file_error.h"

namespace velmora {

// Why a file could not be written, in the window's language: the system's
// reason (no space, file too large, permission, ...) or what about the file
// forbids the write. Empty for an error that carries a free text only.
QString fileReasonText(const FileError& error);

}  // namespace velmora
