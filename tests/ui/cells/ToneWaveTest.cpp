#include "ui/cells/ToneWave.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

quint32 Field32(const QByteArray& wav, int at) { return qFromLittleEndian<quint32>(wav.constData() + at); }
quint16 Field16(const QByteArray& wav, int at) { return qFromLittleEndian<quint16>(wav.constData() + at); }

TEST(ToneWaveTest, MonoSixteenBitPcmOfTheBeepsAndPauses)
{
    const std::tuple<std::vector<Beep>, int, quint32> cases[] = {
        {{{880, 100, 0}}, 8000, 800},
        {{{330, 90, 60}, {330, 90, 60}, {330, 90, 0}}, 44100, 3 * 3969 + 2 * 2646},
    };
    for (const auto& [beeps, rate, samples] : cases) {
        const QByteArray wav = ToneWav(beeps, rate);
        ASSERT_EQ(wav.size(), 44 + 2 * static_cast<qsizetype>(samples));
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(Field32(wav, 4), wav.size() - 8);
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(Field16(wav, 20), 1) << "PCM";
        EXPECT_EQ(Field16(wav, 22), 1) << "mono";
        EXPECT_EQ(Field32(wav, 24), static_cast<quint32>(rate));
        EXPECT_EQ(Field16(wav, 34), 16);
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(Field32(wav, 40), 2 * samples);
        EXPECT_EQ(Field16(wav, 44), 0) << "faded in from silence";
    }
}

} // namespace
} // namespace voltaryn
