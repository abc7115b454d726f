"""Reads a MIDI file with mido and prints what it found, one key=value per line."""
import sys

import mido

midi = mido.MidiFile(sys.argv[1])
tempos = [msg.tempo for track in midi.tracks for msg in track if msg.type == "set_tempo"]
notes = sum(1 for track in midi.tracks for msg in track if msg.type == "note_on" and msg.velocity > 0)
print(f"type={midi.type}")
print(f"tracks={len(midi.tracks)}")
print(f"ticks_per_beat={midi.ticks_per_beat}")
print(f"tempo={tempos[0] if tempos else -1}")
print(f"notes={notes}")
