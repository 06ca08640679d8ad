"""The table's sounds as a private sound server played them: a recorder of its null sink's
monitor, and what the recording holds set against the program's trace (reader.py).

  sounds.py record OUT          records until SIGTERM: OUT.raw (16-bit, mono, RATE) and
                                OUT.reads (each read's CLOCK_MONOTONIC ns and bytes so far)
  sounds.py check OUT ASSETS TRACE...
                                every sound the traces' events call for was played, in
                                order, once, and nothing else (none while M had silenced
                                the table)

The check finds each sound by its own waveform (ASSETS/sounds/NAME.wav): the server mixes
the samples unchanged at full volume, so a stretch of the recording is a sum of them, taken
apart by subtracting the best-fitting one at a time. Needs numpy; the bench's onsets()
does not.
"""
import array
import os
import re
import signal
import subprocess
import sys
import time

RATE = 22050
KINDS = ["card", "chip", "fold", "flip", "win", "others-win", "tie", "game-over"]


def record(out):
    parec = subprocess.Popen(["parec", "--raw", "--format=s16le", f"--rate={RATE}", "--channels=1",
                              "--latency-msec=5", "-d", "orvanta_null.monitor"], stdout=subprocess.PIPE)
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    total, reads = 0, []
    with open(out + ".raw", "wb") as raw:
        while not stop:
            try:
                data = os.read(parec.stdout.fileno(), 1 << 16)
            except InterruptedError:
                continue
            if not data:
                break
            reads.append((time.monotonic_ns(), total + len(data)))
            total += len(data)
            raw.write(data)
    parec.terminate()
    with open(out + ".reads", "w") as f:
        f.writelines(f"{t} {n}\n" for t, n in reads)


def clock(out):
    """Sample index to CLOCK_MONOTONIC ns, when the null sink plays it: a sample cannot be read
    before it is mixed, so the read that came soonest after its samples were mixed ties the
    two clocks; and the sink mixes one block (what a read brings) ahead of its playing."""
    with open(out + ".reads") as f:
        reads = [tuple(map(int, line.split())) for line in f]
    offset = min(t - n // 2 * 1e9 / RATE for t, n in reads)
    blocks = sorted(b - a for (_, a), (_, b) in zip(reads, reads[1:]))
    offset += blocks[len(blocks) // 2] // 2 * 1e9 / RATE if blocks else 0
    return lambda i: offset + i * 1e9 / RATE


def samples(out):
    data = array.array("h")
    with open(out + ".raw", "rb") as f:
        data.frombytes(f.read())
    return data


def onsets(data, level=300, rise=8.0):
    """Where a sound begins (pure Python, for the bench): a millisecond whose energy is above
    level's and rise times that of each of the ten before it, so that a sound starting over
    another's tail counts too."""
    n = RATE // 1000
    frames = [sum(x * x for x in data[i:i + n]) / n for i in range(0, len(data) - n + 1, n)]
    found = []
    for k, e in enumerate(frames):
        if e > level * level and e > rise * max(frames[max(0, k - 10):k] or [0]):
            found.append(k * n)
    return found


# what each traced event sounds: a dealt card's pause follows its repaint at once
CALLS = [(re.compile(r"event pause-begins 100$"), "card"), (re.compile(r"event call "), "chip"),
         (re.compile(r"event fold "), "fold"), (re.compile(r"event turned-over"), "flip"),
         (re.compile(r"event result user "), "win"), (re.compile(r"event result "), "others-win"),
         (re.compile(r"event tie$"), "tie"), (re.compile(r"event game-over "), "game-over")]


def expected(trace_path):
    """The sounds a trace's events call for, (ns, kind), but while M has silenced the table;
    and how many times M was pressed."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from reader import Trace
    want, muted, presses = [], False, 0
    for t, _, w in Trace(trace_path).read():
        if re.match(r"handled key press M( |$)", w):
            muted, presses = not muted, presses + 1
        kind = next((k for rx, k in CALLS if rx.match(w)), None)
        if kind and not muted:
            want.append((t, kind))
    return want, presses


def take_apart(data, templates):
    """The sounds in the recording, (sample index, kind), and the share of its energy left
    unexplained."""
    import numpy as np
    x = np.asarray(data, dtype=np.float64)
    longest = max(len(h) for h in templates.values())
    loud = np.abs(x) > 2
    # stretches of sound, apart by 5 ms of silence
    idx = np.flatnonzero(loud)
    if not len(idx):
        return [], 0.0
    cuts = np.flatnonzero(np.diff(idx) > RATE // 200)
    starts = np.concatenate(([idx[0]], idx[cuts + 1]))
    ends = np.concatenate((idx[cuts], [idx[-1]]))
    found, total, left = [], float(np.dot(x, x)), 0.0
    energy = {k: float(np.dot(h, h)) for k, h in templates.items()}
    for a, b in zip(starts, ends):
        a0 = max(0, a - 64)
        seg = np.zeros(b + 1 - a0 + longest)
        seg[:b + 1 - a0] = x[a0:b + 1]
        n = 1 << int(np.ceil(np.log2(len(seg) + longest)))
        for _ in range(200):
            spectrum = np.fft.rfft(seg, n)
            best = None
            for k, h in templates.items():
                c = np.fft.irfft(spectrum * np.conj(np.fft.rfft(h, n)), n)[:len(seg) - len(h) + 1]
                gain = c / energy[k]
                score = np.where(np.abs(gain - 1) < 0.35, c * gain, 0.0)
                i = int(np.argmax(score))
                if score[i] > 0.25 * min(energy.values()) and (best is None or score[i] > best[0]):
                    best = (score[i], k, i, gain[i])
            if best is None:
                break
            _, k, i, g = best
            seg[i:i + len(templates[k])] -= g * templates[k]
            found.append((a0 + i, k))
        left += float(np.dot(seg, seg))
    return sorted(found), left / total if total else 0.0


def check(out, assets, traces):
    import wave
    import numpy as np
    templates = {}
    for k in KINDS:
        with wave.open(os.path.join(assets, "sounds", k + ".wav")) as w:
            assert w.getframerate() == RATE and w.getnchannels() == 1 and w.getsampwidth() == 2
            templates[k] = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
    at = clock(out)
    found, left = take_apart(samples(out), templates)
    heard = [(at(i), k) for i, k in found]
    want = []
    for path in traces:
        events, presses = expected(path)
        want += events
        print(f"   {os.path.basename(path)}: {len(events)} sounds called for, M pressed {presses} time(s)")
    want.sort()
    failures, delays, used, last = [], {"card": [], "chip": []}, set(), -1e18
    for t, kind in want:
        # the earliest of its kind not taken, not before the sound matched last (a flip and
        # its result start in the same block of the server's mix)
        pick = next((j for j, (h, k) in enumerate(heard) if k == kind and j not in used
                     and t - 20e6 <= h <= t + 1e9 and h >= last - 15e6), None)
        if pick is None:
            failures.append(f"no {kind} sound for the event at {t / 1e9:.3f} s")
            continue
        used.add(pick)
        last = heard[pick][0]
        if kind in delays:
            delays[kind].append((last - t) / 1e6)
    for j, (h, k) in enumerate(heard):
        if j not in used:
            failures.append(f"a {k} sound at {h / 1e9:.3f} s that no event called for (or while silenced)")
    counts = {k: sum(1 for _, kk in want if kk == k) for k in KINDS}
    print(f"   called for: {counts}; found {len(heard)} sounds, {100 * left:.2f}% of the energy unexplained")
    for kind, d in delays.items():
        if d:
            d.sort()
            print(f"   {kind} delay from its step to its playing: median {d[len(d) // 2]:.1f} ms, "
                  f"worst {d[-1]:.1f} ms (n={len(d)})")
    if left > 0.02:
        failures.append(f"{100 * left:.1f}% of the recording's energy is no sound of ours")
    for f in failures[:20]:
        print(f"FAIL: {f}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1] == "record":
        record(sys.argv[2])
    else:
        sys.exit(check(sys.argv[2], sys.argv[3], sys.argv[4:]))
