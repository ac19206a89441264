#!/usr/bin/env python3
"""Checks a decoded recording of the harness signal: duration and the frequency of
each channel. Optionally checks an MP3 file's first frame (tag, bitrate, mode).

analyze.py wav SECONDS CHANNELS TOLERANCE_FRAMES (at the decoded rate) [mp3 BITRATE MODE]
"""
import subprocess
import sys
import wave

V1 = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]
V2 = [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160]
MODES = {"stereo": 0, "joint": 1, "dual": 2, "mono": 3}


def power_by_frequency(path, channel):
    """Power by frequency over the whole file, from sox's frequency analysis of one channel."""
    text = subprocess.run(["sox", path, "-n", "remix", str(channel + 1), "stat", "-freq"],
                          capture_output=True, text=True).stderr
    power = {}
    for line in text.splitlines():
        parts = line.split()
        if len(parts) == 2:
            try:
                f, p = float(parts[0]), float(parts[1])
            except ValueError:
                continue
            power[f] = power.get(f, 0.0) + p
    return power


def peaks(power, count):
    """The strongest frequencies, each at least 50 Hz from a stronger one."""
    found = []
    for f, _ in sorted(power.items(), key=lambda kv: -kv[1]):
        if all(abs(f - g) > 50 for g in found):
            found.append(f)
            if len(found) == count:
                break
    return sorted(found)


def main():
    path, seconds, channels, tolerance = sys.argv[1], float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    problems = []
    with wave.open(path) as w:
        rate, nch, frames = w.getframerate(), w.getnchannels(), w.getnframes()
        data = w.readframes(frames)
    if nch != channels:
        problems.append("channels %d, expected %d" % (nch, channels))
    # Without the encoder's tag (frames too small to hold it, as at low bitrates at 32000 Hz
    # and up) the decoder cannot take off the encoder's delay and padding: up to two frames more.
    if len(sys.argv) > 5 and b"Info" not in open(sys.argv[5], "rb").read(200)[:64]:
        tolerance += 2 * 1152
    if abs(frames - seconds * rate) > tolerance:
        problems.append("%d frames at %d Hz, expected %.0f" % (frames, rate, seconds * rate))
    # The capture source mixes both tones into a mono recording.
    expected = [[440.0], [660.0]] if nch == 2 else [[440.0, 660.0]]
    for c, tones in enumerate(expected[:nch]):
        found = peaks(power_by_frequency(path, c), len(tones))
        if len(found) != len(tones) or any(abs(f - t) > 12 for f, t in zip(found, tones)):
            problems.append("channel %d peaks at %s Hz, expected %s" % (c, found, tones))
    if len(sys.argv) > 5:
        mp3, bitrate, mode = sys.argv[5], int(sys.argv[6]), MODES[sys.argv[7]]
        head = open(mp3, "rb").read(200)
        if head[0] != 0xFF or head[1] & 0xE0 != 0xE0:
            problems.append("no frame at the start")
        else:
            table = V1 if (head[1] >> 3) & 3 == 3 else V2
            if table[head[2] >> 4] != bitrate:
                problems.append("bitrate %d, expected %d" % (table[head[2] >> 4], bitrate))
            if head[3] >> 6 != mode:
                problems.append("mode %d, expected %d" % (head[3] >> 6, mode))
            rates = {3: [44100, 48000, 32000], 2: [22050, 24000, 16000], 0: [11025, 12000, 8000]}
            version = (head[1] >> 3) & 3
            rate = rates[version][(head[2] >> 2) & 3]
            if len(sys.argv) > 8 and rate != int(sys.argv[8]):
                problems.append("rate %d, expected %s" % (rate, sys.argv[8]))
            length = (144 if version == 3 else 72) * table[head[2] >> 4] * 1000 // rate
            # The encoder leaves the tag out of frames too small to hold it.
            if length >= 200 and b"Info" not in head[:64]:
                problems.append("no information tag in the first frame")
    if problems:
        print("; ".join(problems))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
