#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace velmora {

// Whether `program` is an executable file in one of the folders of PATH.
bool programOnPath(const std::string& program);

// Runs a program found on PATH with `args` (no shell), its standard input
// empty and its output and errors written to `logPath`, and waits for it.
// A cancel request ends it (SIGTERM) and throws ScoreCancelled once it is
// gone. Returns its exit status, 128 + the signal's number when a signal
// ended it; throws std::runtime_error when it cannot be started.
int runProgram(const std::vector<std::string>& args, const std::string& logPath,
               const std::atomic<bool>* cancel);

}  // namespace velmora
