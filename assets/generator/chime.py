"""adzhan.wav: a soft bell-chime placeholder (and bunyi.wav, a two-note
chime of about a second for the "Bunyi" alert), synthesised here (additive
partials with exponential decay, a small room reverb), 44.1 kHz 16-bit mono,
peak -3 dBFS, raised-cosine fades at both ends.  Deterministic."""

import array
import cmath
import math
import wave

RATE = 44100
LENGTH = 12.0                  # seconds
PEAK_DBFS = -3.0
FADE_IN, FADE_OUT = 0.01, 2.0  # seconds

# (frequency ratio, amplitude, decay time constant in seconds); a warm,
# mostly harmonic bell with a low hum, a shimmer pair and a glassy top
PARTIALS = (
    (0.5, 0.18, 3.5),
    (1.0, 1.00, 2.2),
    (1.0016, 0.35, 2.2),
    (2.0, 0.42, 1.3),
    (3.0, 0.16, 0.8),
    (4.16, 0.10, 0.45),
    (5.43, 0.06, 0.25),
    (6.79, 0.035, 0.10),
)

A4 = 440.0


def note(semitones_from_a4):
    return A4 * 2.0 ** (semitones_from_a4 / 12.0)


# D major pentatonic: a rising call, an answer, then a gentle closing chord
D4, A4_, D5, E5, FS5, A5 = (note(n) for n in (-7, 0, 5, 7, 9, 12))
SCORE = (
    # start (s), frequency, velocity
    (0.00, A4_, 0.80), (0.70, D5, 0.75), (1.40, FS5, 0.80), (2.10, E5, 0.70),
    (3.40, D5, 0.70), (4.10, E5, 0.70), (4.80, FS5, 0.75), (5.50, A5, 0.85),
    (7.20, D4, 0.55), (7.20, A4_, 0.55), (7.22, D5, 0.60), (7.24, FS5, 0.50),
)


def strike(buf, start, freq, vel):
    i0 = int(start * RATE)
    attack = int(0.004 * RATE)
    for ratio, amp, tau in PARTIALS:
        f = freq * ratio
        if f > RATE * 0.45:
            continue
        # brighter partials fall off faster for higher notes
        tau_f = tau * (440.0 / freq) ** 0.35
        n = min(len(buf) - i0, int(tau_f * 9.0 * RATE))
        rot = cmath.exp(complex(-1.0 / (tau_f * RATE), 2 * math.pi * f / RATE))
        z = complex(amp * vel, 0.0)          # sine phase: starts at zero
        for k in range(n):
            env = 1.0 if k >= attack else 0.5 - 0.5 * math.cos(
                math.pi * k / attack)
            buf[i0 + k] += z.imag * env
            z *= rot


def reverb(x, wet=0.22):
    """Schroeder reverberator: four parallel combs and two allpasses."""
    out = [0.0] * len(x)
    for delay_ms, g in ((29.7, 0.80), (37.1, 0.78), (41.1, 0.76),
                        (43.7, 0.74)):
        d = int(delay_ms * RATE / 1000)
        y = [0.0] * len(x)
        for i in range(len(x)):
            y[i] = x[i] + (g * y[i - d] if i >= d else 0.0)
        for i in range(len(x)):
            out[i] += y[i] * 0.25
    for delay_ms, g in ((5.0, 0.7), (1.7, 0.7)):
        d = int(delay_ms * RATE / 1000)
        src, out = out, [0.0] * len(out)
        for i in range(len(src)):
            prev_in = src[i - d] if i >= d else 0.0
            prev_out = out[i - d] if i >= d else 0.0
            out[i] = -g * src[i] + prev_in + g * prev_out
    return [a * (1.0 - wet) + b * wet for a, b in zip(x, out)]


# bunyi.wav: a falling fifth, short enough not to disturb
SHORT_SCORE = ((0.00, A5, 0.80), (0.18, D5, 0.75))
SHORT_LENGTH, SHORT_FADE_OUT = 1.2, 0.5


def render(score=SCORE, length=LENGTH, fade_out=FADE_OUT):
    n = int(length * RATE)
    buf = [0.0] * n
    for start, freq, vel in score:
        strike(buf, start, freq, vel)
    buf = reverb(buf)
    fi, fo = int(FADE_IN * RATE), int(fade_out * RATE)
    for i in range(fi):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(fo):
        buf[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    peak = max(abs(v) for v in buf)
    gain = 10 ** (PEAK_DBFS / 20.0) * 32767.0 / peak
    return array.array("h", (int(round(v * gain)) for v in buf))


def write(path, short=False):
    samples = render(SHORT_SCORE, SHORT_LENGTH, SHORT_FADE_OUT) if short else render()
    if samples.itemsize != 2:
        raise RuntimeError("16-bit array type expected")
    import sys
    if sys.byteorder == "big":
        samples.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())
