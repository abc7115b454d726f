#include "cli/cli_arguments.h"

namespace velmora::cli {

namespace {

constexpr const char* kCommonOptions =
    "  --settings INI      apply this settings file (default: the text's own, TEXT with .ini)\n"
    "  --no-settings       start from the window's initial settings alone\n"
    "  --set KEY=VALUE     set one key of the [config] section (patern, tempo, ryzm, keychg, ...);\n"
    "                      may be repeated, applied in order\n"
    "  --seed N            make the random choices repeatable\n"
    "  --encoding E        the text's encoding: auto (default), cp932 or utf-8\n"
    "  -h, --help          show this help\n"
    "  --                  end of the options: the next argument is the text, even if it starts with -\n";

}  // namespace

std::string usageText() {
    return "usage: velmora-cli export TEXT -o OUT.mid [--settings INI | --no-settings] [--set KEY=VALUE]... "
           "[--seed N] [--encoding auto|cp932|utf-8] [--lyrics [--lyrics-encoding utf-8|cp932]]\n"
           "       velmora-cli trace  TEXT [--settings INI | --no-settings] [--set KEY=VALUE]... [--seed N] "
           "[--from-line N] [--encoding E]\n"
           "       velmora-cli play   TEXT [export's options] [--output OUTPUT] [--soundfont PATH] "
           "[--audio-driver DRIVER] [--audio-buffer SIZE] [--repeat] [--from-line N]\n"
           "       velmora-cli play --list-outputs\n"
           "       velmora-cli render TEXT -o OUT.wav|.flac|.ogg|.mp3 [export's options] [--soundfont PATH]\n"
           "       velmora-cli roll   TEXT -o OUT.png|OUT.svg [export's options] [--bars FROM-TO] "
           "[--page-width PIXELS]\n"
           "       velmora-cli score  TEXT -o OUT.musicxml|OUT.mxl|OUT.pdf [export's options]\n";
}

std::string toolHelpText() {
    return usageText() +
           "       velmora-cli COMMAND --help\n"
           "       velmora-cli --version\n"
           "\n"
           "Turns a text into music, as the Velmora window does.\n"
           "\n"
           "Commands:\n"
           "  export   write the music as a Standard MIDI File\n"
           "  trace    print every MIDI message of the live performance, one per line\n"
           "  play     play the text live (Space pauses, Esc silences, q stops)\n"
           "  render   write the music as a sound file: WAV, FLAC, Ogg Vorbis or MP3\n"
           "  roll     draw the music as a piano roll picture, PNG or SVG\n"
           "  score    write the music as a score with the text as lyrics: MusicXML or PDF\n"
           "\n"
           "Exit status: 0 success, 1 a runtime error, 2 a usage error.\n";
}

std::string commandHelpText(const std::string& command) {
    if (command == "export") {
        return std::string(
                   "usage: velmora-cli export TEXT -o OUT.mid [OPTION]...\n\n"
                   "Writes the music of TEXT as a Standard MIDI File.\n\n"
                   "Options:\n"
                   "  -o OUT.mid          the MIDI file to write (required)\n"
                   "  --lyrics            a lyric event with its character at each melody note\n"
                   "  --lyrics-encoding E the lyrics in utf-8 (default) or cp932 (Shift-JIS);\n"
                   "                      implies --lyrics\n") +
               kCommonOptions;
    }
    if (command == "trace") {
        return std::string(
                   "usage: velmora-cli trace TEXT [OPTION]...\n\n"
                   "Prints every MIDI message the live performance sends, one per line:\n"
                   "TICK STATUS DATA1 DATA2; tick 0 holds the messages of the start.\n\n"
                   "Options:\n"
                   "  --from-line N       start at line N (0 is the first), as LinePlay does\n") +
               kCommonOptions;
    }
    if (command == "play") {
        return std::string(
                   "usage: velmora-cli play TEXT [OPTION]...\n"
                   "       velmora-cli play --list-outputs\n\n"
                   "Plays TEXT live with a status line. Space pauses and continues, Esc silences\n"
                   "at the next note, q stops (so do Ctrl-C and SIGTERM).\n\n"
                   "Options:\n"
                   "  --output OUTPUT     fluidsynth (default), port:NAME, capture:FILE or none\n"
                   "  --soundfont PATH    the soundfont of the built-in synthesizer\n"
                   "  --audio-driver D    the built-in synthesizer's sound server: auto (default:\n"
                   "                      PulseAudio, which PipeWire serves too, then JACK if running,\n"
                   "                      then ALSA), pulseaudio, alsa or jack\n"
                   "  --audio-buffer B    its buffer: low (quickest answer to a key), standard (default)\n"
                   "                      or safe (no clicks on a busy machine)\n"
                   "  --repeat            start again after the end of the text\n"
                   "  --from-line N       start at line N (0 is the first)\n"
                   "  --list-outputs      list the outputs and end\n") +
               kCommonOptions;
    }
    if (command == "render") {
        return std::string(
                   "usage: velmora-cli render TEXT -o OUT.wav|.flac|.ogg|.mp3 [OPTION]...\n\n"
                   "Writes the music of TEXT as a 44.1 kHz stereo sound file, in the format that\n"
                   "the extension of OUT names: WAV or FLAC (16-bit), Ogg Vorbis (.ogg or .oga) or\n"
                   "MP3. A name without an extension, such as - (the standard output), gets WAV.\n\n"
                   "Options:\n"
                   "  -o OUT              the sound file to write (required)\n"
                   "  --soundfont PATH    the soundfont to render with\n") +
               kCommonOptions;
    }
    if (command == "roll") {
        return std::string(
                   "usage: velmora-cli roll TEXT -o OUT.png|OUT.svg [OPTION]...\n\n"
                   "Draws the music the export writes for TEXT as a piano roll: melody red,\n"
                   "chords blue, bars from the metre, note names on the pitch axis. A roll wider\n"
                   "than 16000 pixels is drawn narrower, down to a pixel a step, and on pages\n"
                   "OUT-001.png, OUT-002.png, ... of 16000 pixels when it is longer still.\n\n"
                   "Options:\n"
                   "  -o OUT.png|OUT.svg  the picture to write (required)\n"
                   "  --bars FROM-TO      draw only these bars (counted from 1), every step full width\n"
                   "  --page-width PIXELS pages of this width (200 to 16000), every step full width\n") +
               kCommonOptions;
    }
    if (command == "score") {
        return std::string(
                   "usage: velmora-cli score TEXT -o OUT.musicxml|OUT.mxl|OUT.pdf [OPTION]...\n\n"
                   "Writes the music the export writes for TEXT as a score: the melody with each\n"
                   "character under its note, the chords on a grand staff. MusicXML (.musicxml\n"
                   "or .xml), compressed MusicXML (.mxl), or a PDF typeset by LilyPond (the\n"
                   "package lilypond), chosen by the extension.\n\n"
                   "Options:\n"
                   "  -o OUT.musicxml     the score to write (required)\n") +
               kCommonOptions;
    }
    return toolHelpText();
}

}  // namespace velmora::cli
