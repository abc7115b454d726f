#include "ui/controls/gm_program_names.h"

namespace velmora {

// Spelled as the settings files and the menus have always shown them; index 98
// really ends in a blank.
// clang-format off
const std::array<std::string_view, kGmProgramCount> GmProgramNames = {
    "AcousticGrandPiano", "BrightAcousticPiano", "ElectricGrandPiano", "HonkyTonkPiano",
    "RhodesPiano",        "ChorusedPiano",       "Harpsichord",        "Clavinet",
    "Celesta",            "Glockenspiel",        "MusicBox",           "Vibraphone",
    "Marimba",            "Xylophone",           "TubularBells",       "Dulcimer",
    "HammondOrgan",       "PercussiveOrgan",     "RockOrgan",          "ChurchOrgan",
    "ReedOrgan",          "Accordion",           "Harmonica",          "TangoAccordion",
    "AcousticGuitarNylon", "AcousticGuitarSteel", "ElectricGuitarJazz", "ElectricGuitarClean",
    "ElectricGuitarMuted", "OverdrivenGuitar",   "DistortionGuitar",   "GuitarHarmonics",
    "AcousticBass",       "ElectricBassFinger",  "ElectricBassPick",   "FretlessBass",
    "SlapBass1",          "SlapBass2",           "SynthBass1",         "SynthBass2",
    "Violin",             "Viola",               "Cello",              "Contrabass",
    "TremoloStrings",     "PizzicatoStrings",    "OrchestralHarp",     "Timpani",
    "StringEnsemble1",    "StringEnsemble2",     "SynthStrings1",      "SynthStrings2",
    "ChoirAahs",          "VoiceOohs",           "SynthVoice",         "OrchestraHit",
    "Trumpet",            "Trombone",            "Tuba",               "MutedTrumpet",
    "FrenchHorn",         "BrassSection",        "SynthBrass1",        "SynthBrass2",
    "SopranoSax",         "AltoSax",             "TenorSax",           "BaritoneSax",
    "Oboe",               "EnglishHorn",         "Bassoon",            "Clarinet",
    "Piccolo",            "Flute",               "Recorder",           "PanFlute",
    "BottleBlow",         "Shakuhachi",          "Whistle",            "Ocarina",
    "Lead1Square",        "Lead2Sawtooth",       "Lead3CalliopeLead",  "Lead4ChiffLead",
    "Lead5Charang",       "Lead6Voice",          "Lead7Fifths",        "Lead8BrassLead",
    "Pad1NewAge",         "Pad2Warm",            "Pad3Polysynth",      "Pad4Choir",
    "Pad5Bowed",          "Pad6Metallic",        "Pad7Halo",           "Pad8Sweep",
    "FX1Rain",            "FX2Soundtrack",       "FX3Crysta ",         "FX4Atmosphere",
    "FX5Brightness",      "FX6Goblins",          "FX7Echoes",          "FX8SciFi",
    "Sitar",              "Banjo",               "Shamisen",           "Koto",
    "Kalimba",            "Bagpipe",             "Fiddle",             "Shanai",
};
// clang-format on

QStringList gmProgramNameList() {
    QStringList names;
    names.reserve(static_cast<qsizetype>(GmProgramNames.size()));
    for (std::string_view name : GmProgramNames) {
        names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return names;
}

}  // namespace velmora
