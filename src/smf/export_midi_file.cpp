#include "documents/atomic_file.h"
#include "documents/file_error.h"
#include "smf/build_midi_file.h"

namespace velmora {

void exportMidiFile(const std::filesystem::path& path, const ExportRequest& request, RandomSource& rng) {
    // Rendering comes first, so a text that cannot be exported leaves the target untouched.
    const std::vector<std::uint8_t> file = BuildMidiFile(request, rng);
    try {
        writeFileAtomically(path.string(), file.data(), file.size());
    } catch (const FileError& error) {
        throw ExportError(error.englishWithDetail());
    }
}

}  // namespace velmora
