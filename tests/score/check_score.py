"""Reads a MusicXML score back and compares it with the MIDI file of the same music.

usage: check_score.py SCORE.musicxml MUSIC.mid [SCORE.mxl]

Checks that every measure of every voice fills its time signature, that the
notes (ties joined) have the MIDI file's pitches, onsets and lengths, that each
melody note carries the lyric the MIDI file has at its note-on, and that the
.mxl container holds the same score. Prints key=value counts; exits 1 with the
faults on standard error.
"""
import sys
import xml.etree.ElementTree as ET
import zipfile
from collections import defaultdict

import mido

faults = []
STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def score_notes(root):
    """Notes per part as dicts, ties not yet joined; checks the measures."""
    notes = defaultdict(list)
    divisions, measure_length = 1, 0
    for part in root.findall("part"):
        start = 0
        for measure in part.findall("measure"):
            attributes = measure.find("attributes")
            if attributes is not None:
                if attributes.find("divisions") is not None:
                    divisions = int(attributes.findtext("divisions"))
                time = attributes.find("time")
                if time is not None:
                    measure_length = int(time.findtext("beats")) * 4 * divisions // int(time.findtext("beat-type"))
            position, filled, last_onset = 0, defaultdict(int), 0
            for element in measure:
                if element.tag == "backup":
                    position -= int(element.findtext("duration"))
                elif element.tag == "forward":
                    position += int(element.findtext("duration"))
                elif element.tag == "note":
                    duration = int(element.findtext("duration"))
                    chord = element.find("chord") is not None
                    onset = last_onset if chord else position
                    if not chord:
                        filled[element.findtext("voice")] += duration
                        position += duration
                        last_onset = onset
                    pitch = element.find("pitch")
                    if pitch is None:
                        continue
                    midi = 12 * (int(pitch.findtext("octave")) + 1) + STEPS[pitch.findtext("step")] + int(
                        pitch.findtext("alter") or 0)
                    ties = {tie.get("type") for tie in element.findall("tie")}
                    lyric = element.find("lyric[@number='1']")
                    notes[part.get("id")].append({
                        "pitch": midi, "onset": start + onset, "duration": duration, "ties": ties,
                        "lyric": None if lyric is None else lyric.findtext("text"),
                        "measure_start": onset == 0})
            for voice, total in filled.items():
                if total != measure_length:
                    faults.append(f"part {part.get('id')} measure {measure.get('number')} voice {voice}: "
                                  f"{total} divisions, the time signature needs {measure_length}")
            start += measure_length
    return notes, divisions


def join_ties(notes):
    """Joins tied pieces into whole notes; counts the ties that cross a bar line."""
    joined, open_by_pitch, bar_ties = [], {}, 0
    for note in sorted(notes, key=lambda n: n["onset"]):
        if "stop" in note["ties"]:
            previous = open_by_pitch.get(note["pitch"])
            if previous is None or previous["onset"] + previous["duration"] != note["onset"]:
                faults.append(f"a tie ends at pitch {note['pitch']} onset {note['onset']} with nothing before it")
                continue
            previous["duration"] += note["duration"]
            bar_ties += note["measure_start"]
            if note["lyric"] is not None:
                faults.append(f"a tied continuation carries the lyric {note['lyric']!r}")
        else:
            previous = dict(note)
            joined.append(previous)
        if "start" in note["ties"]:
            open_by_pitch[note["pitch"]] = previous
        else:
            open_by_pitch.pop(note["pitch"], None)
    return joined, bar_ties


def midi_notes(path):
    """Notes and melody lyrics per channel as (pitch, onset, duration) in ticks, doubled notes once."""
    midi = mido.MidiFile(path, charset="utf-8")
    lead_in = 0
    for message in midi.tracks[0]:
        if message.type == "time_signature":
            lead_in = message.numerator * midi.ticks_per_beat
    notes, lyrics = defaultdict(set), {}
    for track in midi.tracks[1:]:
        now, sounding, pending_lyric = 0, defaultdict(list), None
        for message in track:
            now += message.time
            if message.type == "lyrics":
                pending_lyric = message.text
            elif message.type == "note_on" and message.velocity > 0:
                sounding[(message.channel, message.note)].append(now)
                if message.channel == 0:
                    lyrics[now - lead_in] = pending_lyric
                pending_lyric = None
            elif message.type in ("note_off", "note_on"):
                starts = sounding[(message.channel, message.note)]
                if starts:
                    start = starts.pop(0)
                    if now > start:
                        notes[message.channel].add((message.note, start - lead_in, now - start))
    return notes, lyrics, midi.ticks_per_beat


def main():
    root = ET.parse(sys.argv[1]).getroot()
    notes, divisions = score_notes(root)
    expected, lyrics, ticks_per_beat = midi_notes(sys.argv[2])
    scale = ticks_per_beat // divisions
    bar_ties = 0
    for channel, part in ((0, "P1"), (1, "P2")):
        joined, ties = join_ties(notes[part])
        bar_ties += ties
        written = {(n["pitch"], n["onset"] * scale, n["duration"] * scale) for n in joined}
        if len(written) != len(joined):
            faults.append(f"part {part} writes a note twice")
        for missing in sorted(expected[channel] - written)[:5]:
            faults.append(f"part {part} lacks the MIDI note (pitch, onset, length) {missing}")
        for extra in sorted(written - expected[channel])[:5]:
            faults.append(f"part {part} has a note the MIDI file lacks {extra}")
        if part == "P1":
            for note in joined:
                want = lyrics.get(note["onset"] * scale)
                if note["lyric"] != want:
                    faults.append(f"melody note at {note['onset']}: lyric {note['lyric']!r}, MIDI {want!r}")
    if len(sys.argv) > 3:
        with zipfile.ZipFile(sys.argv[3]) as archive:
            rootfile = ET.fromstring(archive.read("META-INF/container.xml")).find(".//rootfile").get("full-path")
            with open(sys.argv[1], "rb") as plain:
                if archive.read(rootfile) != plain.read():
                    faults.append(".mxl holds another score than the .musicxml")
    print(f"notes={sum(len(v) for v in expected.values())}")
    print(f"lyrics={sum(1 for text in lyrics.values() if text is not None)}")
    print(f"bar_ties={bar_ties}")
    for fault in faults[:20]:
        print(fault, file=sys.stderr)
    sys.exit(1 if faults else 0)


main()
