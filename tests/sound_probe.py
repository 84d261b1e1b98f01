#!/usr/bin/env python3
# Looks into what the game played, as SDL's disk audio driver recorded it
# (signed 16-bit, two channels, 44100 per second, raw):
#   sound_probe.py tone RECORDING.raw HZ
#     where a clip replaced by a pure tone of HZ was played: prints
#     "tone START END under DB gap GAP": the longest run of the tone (seconds),
#     how far everything else in it lies under the tone (dB, the tone's own
#     sinusoid fitted and taken out window by window), and how long the
#     recording was silent right before the tone began (seconds).
#   sound_probe.py bursts RECORDING.raw HZ
#     how many separate times a short clip replaced by a tone of HZ (at
#     least 30 ms) was played: prints "bursts N".
#   sound_probe.py match RECORDING.raw A.wav B.wav
#     prints "A" or "B": which of two sounds the recording's first sound is,
#     by the correlation of their loudness over time.
import array
import math
import sys
import wave

RATE = 44100
WINDOW = 441  # 10 ms


def mono(raw_path):
    samples = array.array("h")
    with open(raw_path, "rb") as raw:
        samples.frombytes(raw.read())
    return [(samples[i] + samples[i + 1]) / 2.0 for i in range(0, len(samples) - 1, 2)]


def fit(window, hz, rate):
    """The window's power, and its power once the sinusoid of hz is taken out."""
    n = len(window)
    c = [math.cos(2 * math.pi * hz * k / rate) for k in range(n)]
    s = [math.sin(2 * math.pi * hz * k / rate) for k in range(n)]
    a = 2.0 / n * sum(x * y for x, y in zip(window, c))
    b = 2.0 / n * sum(x * y for x, y in zip(window, s))
    total = sum(x * x for x in window) / n
    rest = sum((x - a * y - b * z) ** 2 for x, y, z in zip(window, c, s)) / n
    return total, rest


def tone_windows(raw_path, hz):
    """Per 10 ms window: its power, its power without the tone, and whether
    the tone is there."""
    x = mono(raw_path)
    windows = [x[i:i + WINDOW] for i in range(0, len(x) - WINDOW, WINDOW)]
    found = []
    for w in windows:
        total, rest = fit(w, hz, RATE)
        # A tone of at least -50 dBFS (its fitted power; noise projects
        # little), as strong as everything else in the window.
        found.append((total, rest, total - rest > 1e3 and total - rest > rest))
    return found


def bursts(raw_path, hz):
    here = [tone_there for _, _, tone_there in tone_windows(raw_path, hz)]
    # Runs of the tone at least three windows long: speech holds a little of
    # any tone for a window or two.
    count, run = 0, 0
    for there in here + [False]:
        if there:
            run += 1
            continue
        count += run >= 3
        run = 0
    print(f"bursts {count}")
    return 0


def tone(raw_path, hz):
    found = tone_windows(raw_path, hz)
    # The longest run: speech holds a little of any tone for a moment.
    start = end = None
    i = 0
    while i < len(found):
        j = i
        while j < len(found) and found[j][2]:
            j += 1
        if j - i >= 10 and (start is None or j - 1 - i > end - start):
            start, end = i, j - 1
        i = j + 1
    if start is None:
        print("no tone")
        return 1
    # The tone's own edges are left out: they fit less well.
    inner = found[start + 2:end - 1] or found[start:end + 1]
    tone_power = sum(t - r for t, r, _ in inner) / len(inner)
    rest_power = sum(r for _, r, _ in inner) / len(inner)
    under = 10 * math.log10(tone_power / max(rest_power, 1e-9))
    # The window before the run may hold the tone's first samples.
    onset = start - 1 if start > 0 and found[start - 1][0] >= 100 else start
    gap = 0
    while onset - gap - 1 >= 0 and found[onset - gap - 1][0] < 100:
        gap += 1
    print(f"tone {start * WINDOW / RATE:.2f} {(end + 1) * WINDOW / RATE:.2f} "
          f"under {under:.1f} gap {gap * WINDOW / RATE:.2f}")
    return 0


def envelope(values, step):
    return [math.sqrt(sum(v * v for v in values[i:i + step]) / step)
            for i in range(0, len(values) - step, step)]


def wav_envelope(path):
    with wave.open(path) as w:
        channels, rate = w.getnchannels(), w.getframerate()
        data = array.array("h")
        data.frombytes(w.readframes(w.getnframes()))
    frames = [sum(data[i:i + channels]) / channels for i in range(0, len(data), channels)]
    return envelope(frames, rate // 100)


def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    num = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    den = math.sqrt(sum((x - ma) ** 2 for x in a) * sum((y - mb) ** 2 for y in b))
    return num / den if den else 0.0


def match(raw_path, a_path, b_path):
    rec = envelope(mono(raw_path), WINDOW)
    first = next((i for i, v in enumerate(rec) if v > 30), None)
    if first is None:
        print("silence")
        return 1
    rec = rec[max(first - 5, 0):]
    scores = []
    for path in (a_path, b_path):
        env = wav_envelope(path)
        # The best of small shifts: the recording's start is found to 10 ms.
        scores.append(max(correlation(rec[lag:], env) for lag in range(0, 11)))
    print("A" if scores[0] > scores[1] else "B", f"{scores[0]:.2f} {scores[1]:.2f}",
          file=sys.stdout)
    return 0


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "tone":
        return tone(sys.argv[2], float(sys.argv[3]))
    if len(sys.argv) == 4 and sys.argv[1] == "bursts":
        return bursts(sys.argv[2], float(sys.argv[3]))
    if len(sys.argv) == 5 and sys.argv[1] == "match":
        return match(sys.argv[2], sys.argv[3], sys.argv[4])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
