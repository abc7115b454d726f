#include "documents/document_paths.h"

#include <limits.h>

namespace velmora {
namespace {

// `path` without the extension of its file name (the dot included).
std::string_view withoutExtension(std::string_view path) {
    std::size_t nameStart = path.size() - fileNamePart(path).size();
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return path;
    return path.substr(0, dot);
}

}  // namespace

std::string_view fileNamePart(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string textSettingsPath(std::string_view textPath) {
    std::string path = std::string(withoutExtension(textPath)) + ".ini";
    if (fileNamePart(path).size() > NAME_MAX) return {};
    return path;
}

std::string proposedExportName(std::string_view path, std::string_view extension) {
    return std::string(withoutExtension(fileNamePart(path))) + std::string(extension);
}

}  // namespace velmora
