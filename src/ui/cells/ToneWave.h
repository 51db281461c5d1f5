#pragma once

#include <QByteArray>

#include <vector>

namespace voltaryn {

// One beep of a tone: its pitch and length, and the silence after it.
struct Beep {
    double hertz = 880;
    int milliseconds = 120;
    int pauseAfterMilliseconds = 0;
};

// The beeps as a WAV file: 16-bit mono PCM at `sampleRate`, each beep faded in and out over a few
// milliseconds so that it does not click.
QByteArray ToneWav(const std::vector<Beep>& beeps, int sampleRate = 44100);

} // namespace voltaryn
