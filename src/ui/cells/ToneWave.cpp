#include "ui/cells/ToneWave.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace voltaryn {
namespace {

void Append16(QByteArray& out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void Append32(QByteArray& out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

} // namespace

QByteArray ToneWav(const std::vector<Beep>& beeps, int sampleRate)
{
    constexpr double Amplitude = 0.5 * 32767;
    const int fade = sampleRate * 5 / 1000;
    QByteArray samples;
    for (const Beep& beep : beeps) {
        const int count = sampleRate * beep.milliseconds / 1000;
        for (int i = 0; i < count; ++i) {
            const double envelope = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(count - i) / fade});
            const double value = Amplitude * envelope * std::sin(2 * std::numbers::pi * beep.hertz * i / sampleRate);
            Append16(samples, static_cast<quint16>(static_cast<qint16>(std::lround(value))));
        }
        samples.append(QByteArray(static_cast<qsizetype>(sampleRate) * beep.pauseAfterMilliseconds / 1000 * 2, '\0'));
    }
    // RIFF header, then the "fmt " chunk (PCM, 1 channel, 16 bits) and the "data" chunk.
    QByteArray wav("RIFF");
    Append32(wav, static_cast<quint32>(36 + samples.size()));
    wav.append("WAVEfmt ");
    Append32(wav, 16);
    Append16(wav, 1);
    Append16(wav, 1);
    Append32(wav, static_cast<quint32>(sampleRate));
    Append32(wav, static_cast<quint32>(sampleRate * 2));
    Append16(wav, 2);
    Append16(wav, 16);
    wav.append("data");
    Append32(wav, static_cast<quint32>(samples.size()));
    return wav + samples;
}

} // namespace voltaryn
