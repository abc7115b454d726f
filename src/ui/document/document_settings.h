#pragma once

#include <string>

#include "options/performance_options.h"

namespace velmora {

// The performance settings each text keeps in its settings file, beside it,
// as the window holds them: a document stores them when it leaves a text and
// takes the new text's when it opens one.
class DocumentSettings {
public:
    virtual ~DocumentSettings() = default;

    // Writes the settings in force to the settings file of the text at
    // `textPath`, unless that file is another program's. Throws FileError.
    virtual void storeFor(const std::string& textPath) = 0;
    // Reads the settings file of the text at `textPath`, if there is one, and
    // puts its settings in force when `apply`. Returns whether the file is
    // another program's, which is then neither read nor written. Throws
    // FileError when the file cannot be read.
    virtual bool readFor(const std::string& textPath, bool apply) = 0;
    // The options in force, and the way back to them after a failed open.
    virtual PerformanceOptions inForce() const = 0;
    virtual void restore(const PerformanceOptions& options) = 0;
};

}  // namespace velmora
