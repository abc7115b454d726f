#include "score/lilypond_pdf.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <stdexcept>
#include <vector>

#include "documents/safe_file_writer.h"
#include "score/child_process.h"

namespace velmora {

namespace {

constexpr const char* kConverter = "musicxml2ly";
constexpr const char* kTypesetter = "lilypond";
constexpr std::size_t kComplaintLines = 3;

// The last lines of a program's log that say what went wrong (its errors, or
// else its last words).
std::string complaintIn(const std::string& logPath) {
    std::ifstream log(logPath);
    std::vector<std::string> errors;
    std::vector<std::string> last;
    for (std::string line; std::getline(log, line);) {
        if (line.empty()) continue;
        if (line.find("error") != std::string::npos) errors.push_back(line);
        last.push_back(line);
    }
    const std::vector<std::string>& chosen = errors.empty() ? last : errors;
    std::string complaint;
    for (std::size_t i = chosen.size() > kComplaintLines ? chosen.size() - kComplaintLines : 0;
         i < chosen.size(); ++i) {
        complaint += (complaint.empty() ? "" : "; ") + chosen[i];
    }
    return complaint.empty() ? "no message" : complaint;
}

void run(const std::vector<std::string>& args, const std::string& logPath, const ScoreHooks& hooks,
         const char* failure) {
    int status = 0;
    try {
        status = runProgram(args, logPath, hooks.cancel);
    } catch (const std::runtime_error& error) {
        throw ExportError(error.what());
    }
    if (status != 0) throw ExportError(std::string(failure) + ": " + complaintIn(logPath));
}

// The lyrics are one verse: "1." before them would promise more.
void dropVerseNumber(const std::string& lilyPondInput) {
    std::string text;
    {
        std::ifstream in(lilyPondInput, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    constexpr std::string_view kVerseNumber = "\\set stanza = \"1.\" ";
    bool changed = false;
    for (std::size_t at = text.find(kVerseNumber); at != std::string::npos; at = text.find(kVerseNumber, at)) {
        text.erase(at, kVerseNumber.size());
        changed = true;
    }
    if (changed) writeFileSafely(lilyPondInput, text);
}

void report(const ScoreHooks& hooks, double done) {
    if (hooks.progress) hooks.progress(done);
}

}  // namespace

bool lilyPondInstalled() { return programOnPath(kConverter) && programOnPath(kTypesetter); }

std::string typesetWithLilyPond(const std::string& musicXmlPath, const std::string& folder,
                                const ScoreHooks& hooks, double progressFrom) {
    if (!lilyPondInstalled()) throw ExportError(kLilyPondMissingMessage);
    const std::filesystem::path work(folder);
    const std::string lilyPondInput = (work / "score.ly").string();
    run({kConverter, "--loglevel=WARN", "--output=" + lilyPondInput, musicXmlPath}, (work / "musicxml2ly.log").string(),
        hooks, "musicxml2ly could not convert the score");
    dropVerseNumber(lilyPondInput);
    report(hooks, progressFrom + (1.0 - progressFrom) * 0.2);
    // Point-and-click links would carry this folder's name into the PDF.
    run({kTypesetter, "--pdf", "-dno-point-and-click", "--loglevel=WARNING",
         "--output=" + (work / "score").string(), lilyPondInput},
        (work / "lilypond.log").string(), hooks, "LilyPond could not typeset the score");
    const std::string pdf = (work / "score.pdf").string();
    if (!std::filesystem::is_regular_file(pdf)) {
        throw ExportError("LilyPond made no PDF: " + complaintIn((work / "lilypond.log").string()));
    }
    report(hooks, 1.0);
    return pdf;
}

}  // namespace velmora
