// Listens to what `play` sounds through the built-in synthesizer, in sound
// servers started for the test: JACK with its dummy backend, and PulseAudio
// with a null sink. A melody without chords (a line that starts with spaces,
// waon=0, ryzm=0: every note on the melody's channel) must be heard, and the
// servers must see the stream as Velmora's.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "cli_process.h"
#include "sound/port_backend.h"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;

bool onPath(const std::string& program) {
    return runProgram("sh", {"-c", "command -v " + program}).exitCode == 0;
}

// Sets an environment variable for this test and the programs it starts.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { old_.empty() ? unsetenv(name_) : setenv(name_, old_.c_str(), 1); }

private:
    const char* name_;
    std::string old_;
};

// A client of the JACK server that is starting; null when none came up in 5 s.
jack_client_t* joinJack(const char* name) {
    jack_client_t* client = nullptr;
    for (auto waited = 0ms; !client && waited < 5s; waited += 100ms) {
        client = jack_client_open(name, JackNoStartServer, nullptr);
        if (!client) std::this_thread::sleep_for(100ms);
    }
    return client;
}

// A JACK client that records its two inputs into fixed buffers.
class JackRecorder {
public:
    explicit JackRecorder(std::size_t frames) : left_(frames), right_(frames), client_(joinJack("listener")) {
        if (!client_) return;
        in_[0] = jack_port_register(client_, "in_l", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        in_[1] = jack_port_register(client_, "in_r", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client_, process, this);
        jack_activate(client_);
    }
    ~JackRecorder() { close(); }
    void close() {
        if (client_) jack_client_close(client_);
        client_ = nullptr;
    }
    jack_client_t* client() const { return client_; }
    void listenTo(const std::string& left, const std::string& right) {
        jack_connect(client_, left.c_str(), jack_port_name(in_[0]));
        jack_connect(client_, right.c_str(), jack_port_name(in_[1]));
        recording_ = true;
    }
    bool full() const { return written_ == left_.size(); }
    float peak() const {
        float loudest = 0.0f;
        for (std::size_t i = 0; i < written_; ++i)
            loudest = std::max({loudest, std::fabs(left_[i]), std::fabs(right_[i])});
        return loudest;
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        auto& me = *static_cast<JackRecorder*>(self);
        if (!me.recording_) return 0;
        const auto* left = static_cast<const float*>(jack_port_get_buffer(me.in_[0], frames));
        const auto* right = static_cast<const float*>(jack_port_get_buffer(me.in_[1], frames));
        const std::size_t start = me.written_;
        const std::size_t count = std::min<std::size_t>(frames, me.left_.size() - start);
        std::copy(left, left + count, me.left_.begin() + static_cast<long>(start));
        std::copy(right, right + count, me.right_.begin() + static_cast<long>(start));
        me.written_ = start + count;
        return 0;
    }

    std::vector<float> left_, right_;
    jack_client_t* client_ = nullptr;
    jack_port_t* in_[2] = {nullptr, nullptr};
    std::atomic<bool> recording_{false};
    std::atomic<std::size_t> written_{0};
};

// The audio output ports of clients whose name starts with `client`, and where each is connected.
std::vector<std::pair<std::string, std::string>> portsOf(jack_client_t* probe, const std::string& client) {
    std::vector<std::pair<std::string, std::string>> found;
    const char** ports =
        jack_get_ports(probe, ("^" + client).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    for (std::size_t i = 0; ports && ports[i]; ++i) {
        const char** peers = jack_port_get_all_connections(probe, jack_port_by_name(probe, ports[i]));
        found.emplace_back(ports[i], peers ? peers[0] : "");
        if (peers) jack_free(peers);
    }
    if (ports) jack_free(ports);
    return found;
}

class ListeningTest : public ::testing::Test {
protected:
    RunningCli playMelody(const std::string& driver) {
        return RunningCli({"play", melody.string(), "--no-settings", "--seed", "1", "--set", "waon=0",
                           "--set", "ryzm=0", "--set", "tempo=100", "--audio-driver", driver});
    }
    static void skipWithoutSoundfont(const ProcessResult& played) {
        if (played.err.find("soundfont") != std::string::npos) GTEST_SKIP() << played.err;
        FAIL() << "no sound from velmora-cli: " << played.err;
    }
    // Ends a server the test started the way its user would.
    static void stop(RunningCli& server) {
        server.signal(SIGTERM);
        server.wait();
    }

    TempFolder folder;
    std::filesystem::path melody =
        folder.write("melody.txt", "   the quick brown fox jumps over the lazy dog\r\n");
};

TEST_F(ListeningTest, AMelodyAloneIsHeardOnJackThroughPortsNamedVelmoraAndConnected) {
    if (!onPath("jackd")) GTEST_SKIP() << "jackd is not installed (scripts/install-deps installs jackd2)";
    const ScopedVariable server("JACK_DEFAULT_SERVER", "velmora-listen-" + std::to_string(::getpid()));
    RunningCli jackd("jackd", {"--no-realtime", "-d", "dummy", "-r", "44100", "-p", "512"});
    JackRecorder recorder(2 * 44100);
    ASSERT_NE(recorder.client(), nullptr) << "the JACK server did not start: " << jackd.wait().err;
    RunningCli player = playMelody("jack");
    // The ports appear first, their connections a moment later.
    std::vector<std::pair<std::string, std::string>> ports;
    const auto connected = [&ports] {
        return ports.size() == 2 && !ports[0].second.empty() && !ports[1].second.empty();
    };
    for (auto waited = 0ms; !connected() && waited < 5s; waited += 50ms) {
        std::this_thread::sleep_for(50ms);
        ports = portsOf(recorder.client(), "Velmora");
    }
    if (ports.size() < 2) return skipWithoutSoundfont(player.wait());
    for (const auto& [port, peer] : ports)
        EXPECT_EQ(peer.rfind("system:playback_", 0), 0u) << port << " -> " << peer;
    recorder.listenTo(ports[0].first, ports[1].first);
    for (auto waited = 0ms; !recorder.full() && waited < 6s; waited += 50ms)
        std::this_thread::sleep_for(50ms);
    player.signal(SIGTERM);
    EXPECT_EQ(player.wait().exitCode, 0);
    EXPECT_GT(recorder.peak(), 0.01f) << "the melody is silent";
    recorder.close();
    stop(jackd);
}

TEST_F(ListeningTest, AMidiPortThatGoesAwayIsToldOnce) {
    if (!onPath("jackd")) GTEST_SKIP() << "jackd is not installed (scripts/install-deps installs jackd2)";
    const ScopedVariable server("JACK_DEFAULT_SERVER", "velmora-port-" + std::to_string(::getpid()));
    RunningCli jackd("jackd", {"--no-realtime", "-d", "dummy", "-r", "44100", "-p", "512"});
    jack_client_t* synth = joinJack("synth");
    ASSERT_NE(synth, nullptr) << "the JACK server did not start: " << jackd.wait().err;
    jack_port_register(synth, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_activate(synth);
    PortBackend port("synth:in");
    ASSERT_TRUE(port.open()) << port.lastError();
    port.sendShortMessage(0x91, 60, 100);
    EXPECT_EQ(port.takeWarning(), std::nullopt);
    jack_client_close(synth);  // the synthesizer ends
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(port.takeWarning(), (OutputWarning{OutputWarning::Kind::PortGone, "synth:in", {}}));
    EXPECT_EQ(port.takeWarning(), std::nullopt) << "told once";
    port.close();
    stop(jackd);
}

TEST_F(ListeningTest, AMelodyAloneIsHeardOnPulseAudioAsVelmora) {
    for (const char* program : {"pulseaudio", "pactl", "parec"})
        if (!onPath(program))
            GTEST_SKIP() << program << " is not installed (scripts/install-deps installs it)";
    const std::string runtime = folder.path().string();
    const ScopedVariable home("HOME", runtime), xdg("XDG_RUNTIME_DIR", runtime);
    const ScopedVariable pulseServer("PULSE_SERVER", "unix:" + runtime + "/pulse.socket");
    RunningCli pulse("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                    "--disallow-exit", "-L", "module-null-sink", "-L",
                                    "module-native-protocol-unix socket=" + runtime + "/pulse.socket"});
    bool up = false;
    for (auto waited = 0ms; !up && waited < 5s; waited += 100ms) {
        std::this_thread::sleep_for(100ms);
        up = runProgram("pactl", {"info"}).exitCode == 0;
    }
    ASSERT_TRUE(up) << "the PulseAudio server did not start: " << pulse.wait().err;
    const std::filesystem::path wav = folder.file("heard.wav");
    RunningCli recorder("parec", {"-d", "null.monitor", "--file-format=wav", wav.string()});
    RunningCli player = playMelody("pulseaudio");
    std::string streams;
    for (auto waited = 0ms; streams.find("Velmora") == std::string::npos && waited < 5s; waited += 100ms) {
        std::this_thread::sleep_for(100ms);
        streams = runProgram("pactl", {"list", "sink-inputs"}).out;
    }
    std::this_thread::sleep_for(2s);  // the melody's first notes
    player.signal(SIGTERM);
    const ProcessResult played = player.wait();
    stop(recorder);
    stop(pulse);
    if (played.exitCode != 0) return skipWithoutSoundfont(played);
    EXPECT_NE(streams.find("application.name = \"Velmora\""), std::string::npos) << streams;
    EXPECT_NE(streams.find("media.name = \"Velmora\""), std::string::npos) << streams;
    const std::string heard = readFile(wav);
    const std::size_t data = heard.find("data", 12);
    ASSERT_NE(data, std::string::npos);
    std::vector<std::int16_t> samples((heard.size() - data - 8) / 2);
    std::memcpy(samples.data(), heard.data() + data + 8, samples.size() * 2);
    int peak = 0;
    for (const std::int16_t sample : samples) peak = std::max(peak, std::abs(int{sample}));
    EXPECT_GT(peak, 327) << "the melody is silent";  // 0.01 of full scale
}

}  // namespace
}  // namespace velmora::testing
