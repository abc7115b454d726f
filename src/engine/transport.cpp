#include "engine/transport.h"

#include "engine/performance_start.h"

namespace velmora {

Transport::Transport(const PerformanceOptions& options, MidiOutPort& port, RandomSource& rng,
                     PeriodicTimer& tickTimer, PeriodicTimer& endTimer, PeriodicTimer& repeatTimer,
                     TransportHost& host)
    : options_(options),
      port_(port),
      tickTimer_(tickTimer),
      endTimer_(endTimer),
      repeatTimer_(repeatTimer),
      host_(host),
      tick_(options, state_, port, rng, *this, &host) {
    tickTimer_.setInterval(static_cast<std::uint32_t>(options_.timerInterval()));
    endTimer_.setInterval(kEndWaitMs);
    repeatTimer_.setInterval(kRepeatGapMs);
}

void Transport::lockControls(bool locked, bool linePlay) {
    const bool free = !locked;
    display_.optionsLocked = locked;
    display_.openEnabled = free;
    display_.presetsEnabled = free;
    display_.acceptDrops = free;
    display_.saveAsEnabled = free;
    if (locked) {
        display_.saveEnabled = false;
        if (linePlay)
            display_.playEnabled = false;
        else
            display_.linePlayEnabled = false;
    }
}

void Transport::play() {
    if (state_.playing) {
        stopPlay(false);
    } else if (!state_.linePlaying) {
        startPlay(false);
    }
}

void Transport::linePlay() {
    if (state_.linePlaying) {
        stopPlay(true);
    } else if (!state_.playing) {
        startPlay(true);
    }
}

void Transport::startPlay(bool linePlay) {
    MemoSnapshot memo = host_.memoSnapshot();
    if (memo.upperLines.empty()) return;  // an empty memo starts nothing
    display_.status = kStatusPreparing;
    (linePlay ? display_.linePlayCaption : display_.playCaption) = "!";
    lockControls(true, linePlay);
    publish();

    state_.visibleLines = memo.visibleLines;
    tickNumber_ = 0;
    port_.backend().beginTick(0);
    if (linePlay) {
        beginLinePlay(options_, state_, port_, tick_, std::move(memo.upperLines), std::move(memo.lineStarts),
                      memo.caretLine);
    } else {
        beginPlay(options_, state_, port_, std::move(memo.upperLines), std::move(memo.lineStarts));
    }
    if (linePlay) {
        display_.linePlayCaption = "Stop";
        host_.setMemoSelection(state_.linePlayStart, 0);
    } else {
        display_.playCaption = "Stop";
        host_.setMemoSelection(0, 1);
    }
    display_.panelsLit = true;
    tickTimer_.setInterval(static_cast<std::uint32_t>(options_.timerInterval()));
    tickTimer_.setEnabled(true);
    display_.status = kStatusPlaying;
    (linePlay ? state_.linePlaying : state_.playing) = true;
    publish();
}

void Transport::stopPlay(bool linePlay) {
    endTimer_.setEnabled(false);
    repeatTimer_.setEnabled(false);  // a stop during the repeat gap ends it for good
    tickTimer_.setEnabled(false);
    silenceAndClose(port_);
    lockControls(false, linePlay);
    host_.setMemoSelection(linePlay ? state_.linePlayStart : 0, 0);
    display_.panelsLit = false;
    host_.showElapsed(kElapsedZero);
    display_.status = kStatusResting;
    display_.pauseCaption = "Pause";
    display_.playEnabled = true;
    display_.linePlayEnabled = true;
    display_.saveEnabled = true;
    display_.saveAsEnabled = true;
    if (linePlay) {
        display_.linePlayCaption = "LinePlay";
        state_.linePlaying = false;
    } else {
        display_.playCaption = "Play";
        state_.playing = false;
    }
    publish();
}

void Transport::pause() {
    if (performing()) tickTimer_.setEnabled(!tickTimer_.enabled());
    if (tickTimer_.enabled()) {
        display_.pauseCaption = "Pause";
    } else {
        display_.pauseCaption = "Continue";
        allNotesOffBothChannels(port_);
    }
    publish();
}

void Transport::tick(std::optional<std::int64_t> dueNs) {
    if (!performing()) return;
    port_.backend().beginTick(++tickNumber_);
    if (dueNs) port_.backend().setTickDueTime(*dueNs);
    tick_.advance();
}

void Transport::stopTickTimer() { tickTimer_.setEnabled(false); }

void Transport::finishPerformance() {
    if (state_.playing)
        display_.playEnabled = false;
    else if (state_.linePlaying)
        display_.linePlayEnabled = false;
    allNotesOffBothChannels(port_);
    endTimer_.setEnabled(true);
    publish();
}

void Transport::endWaitElapsed() {
    allNotesOffBothChannels(port_);
    state_.lastMelodyNote = 0;
    state_.chordNotes.clear();
    endTimer_.setEnabled(false);
    if (!options_.repeatAtEnd) {
        if (state_.playing)
            play();
        else if (state_.linePlaying)
            linePlay();
        return;
    }
    display_.status = kStatusLoading;
    // The repeat always starts again from the first line.
    state_.charPos = 0;
    state_.lineIndex = 0;
    state_.memoPos = 0;
    state_.gridOrigin = 0;
    state_.stepCount = 0;
    state_.wordStart = false;
    repeatTimer_.setEnabled(true);
    publish();
}

void Transport::repeatGapElapsed() {
    repeatTimer_.setEnabled(false);
    if (!performing()) return;
    host_.setMemoSelection(0, 1);
    tickNumber_ = 0;
    tickTimer_.setEnabled(true);
    if (state_.playing)
        display_.playEnabled = true;
    else
        display_.linePlayEnabled = true;
    display_.status = kStatusPlaying;
    publish();
}

void Transport::tickOverran() {
    tickTimer_.setEnabled(false);
    endTimer_.setEnabled(false);
    if (state_.playing)
        play();
    else if (state_.linePlaying)
        linePlay();
    host_.showOverrunMessage(kOverrunMessage);
}

void Transport::tempoChanged() { tickTimer_.setInterval(static_cast<std::uint32_t>(options_.timerInterval())); }

void Transport::rhythmChanged() {
    // Only a running tick is restarted: a paused or ending performance stays so.
    if (state_.playing && tickTimer_.enabled()) {
        tickTimer_.setEnabled(false);
        tickTimer_.setEnabled(true);
    }
}

void Transport::shutdown() {
    if (state_.playing)
        stopPlay(false);
    else if (state_.linePlaying)
        stopPlay(true);
    tickTimer_.setEnabled(false);
    endTimer_.setEnabled(false);
    repeatTimer_.setEnabled(false);
}

}  // namespace velmora
