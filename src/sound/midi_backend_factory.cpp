#include "sound/midi_backend_factory.h"

#include <array>
#include <functional>

#include "sound/capture_file_backend.h"
#include "sound/fluid_backend.h"
#include "sound/port_backend.h"

namespace velmora {

namespace {

struct OutputKind {
    const char* name;    // the name, or its prefix before ':'
    bool takesArgument;  // "name:ARGUMENT"
    const char* usage;
    const char* description;
    std::function<std::unique_ptr<MidiBackend>(const std::string& argument, const std::string& soundfont,
                                               AudioChoice audio)>
        make;
};

const std::array<OutputKind, 4>& outputKinds() {
    static const std::array<OutputKind, 4> kinds = {{
        {"fluidsynth", false, "fluidsynth", "built-in General MIDI synthesizer (FluidSynth)",
         [](const std::string&, const std::string& soundfont, AudioChoice audio) {
             return std::make_unique<FluidSynthBackend>(soundfont, audio);
         }},
        {"port", true, "port:NAME", "the first MIDI output port whose name contains NAME",
         [](const std::string& name, const std::string&, AudioChoice) {
             return std::make_unique<PortBackend>(name);
         }},
        {"capture", true, "capture:FILE", "write every message with its time to FILE",
         [](const std::string& file, const std::string&, AudioChoice) {
             return std::make_unique<CaptureFileBackend>(file);
         }},
        {"none", false, "none", "no sound",
         [](const std::string&, const std::string&, AudioChoice) { return std::make_unique<NullBackend>(); }},
    }};
    return kinds;
}

std::string knownOutputNames() {
    std::string list;
    for (const OutputKind& kind : outputKinds()) list += (list.empty() ? "" : ", ") + std::string(kind.usage);
    return list;
}

}  // namespace

MidiBackendChoice createMidiBackend(const std::string& output, const std::string& soundfont,
                                    AudioChoice audio) {
    const std::string effective = output.empty() ? kDefaultOutputName : output;
    const std::size_t colon = effective.find(':');
    const std::string name = effective.substr(0, colon);
    const std::string argument = colon == std::string::npos ? "" : effective.substr(colon + 1);

    for (const OutputKind& kind : outputKinds()) {
        if (name != kind.name) continue;
        if (kind.takesArgument && argument.empty()) {
            return {nullptr, "the output " + name + " needs an argument: --output " + kind.usage};
        }
        if (!kind.takesArgument && colon != std::string::npos) {
            return {nullptr, "the output " + name + " takes no argument: --output " + kind.usage};
        }
        return {kind.make(argument, soundfont, audio), {}};
    }
    return {nullptr, "unknown output \"" + effective + "\": choose one of " + knownOutputNames() +
                         " (--list-outputs shows the MIDI ports)"};
}

std::string checkMidiOutput(MidiBackend& backend, bool connect) {
    if (auto* synth = dynamic_cast<FluidSynthBackend*>(&backend); synth && !synth->loadSoundfont()) {
        return synth->lastError();
    }
    if (!connect) return {};
    return backend.check();
}

std::vector<MidiOutputEntry> listMidiOutputs() {
    std::vector<MidiOutputEntry> entries;
    for (const OutputKind& kind : outputKinds()) entries.push_back({kind.usage, kind.description});
    for (const MidiPortInfo& port : listMidiPorts()) {
        entries.push_back({"port:" + port.name, port.api + " MIDI port"});
    }
    return entries;
}

}  // namespace velmora
