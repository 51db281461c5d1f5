#include "app/RememberedSettings.h"

#include <QSettings>
#include <QStringList>

#include <optional>

namespace voltaryn {
namespace {

const QString SampleTimeKey = QStringLiteral("recording/sampleTime");
const QString PcSamplingKey = QStringLiteral("recording/pcSampling");
const QString GraphChannelsKey = QStringLiteral("graphs/channels");
const QString DetailChannelsKey = QStringLiteral("graphs/detailChannels");
const QString SchemeKey = QStringLiteral("graphs/colourScheme");
const QString ReadableScheme = QStringLiteral("readable");
const QString SeriesKey = QStringLiteral("packs/series");
const QString ParallelKey = QStringLiteral("packs/parallel");

// The five channel switches as a text of five 0s and 1s, in the dialogs' order.
QString SwitchText(const ChannelSwitches& switches)
{
    QString text;
    for (const bool on : switches.values)
        text += on ? '1' : '0';
    return text;
}

void ReadSwitches(const QSettings& settings, const QString& key, ChannelSwitches& switches)
{
    const QString text = settings.value(key).toString();
    if (text.size() != static_cast<qsizetype>(ChannelSwitchCount) || text.count('0') + text.count('1') != text.size())
        return;
    for (std::size_t i = 0; i < ChannelSwitchCount; ++i)
        switches.values[i] = text[static_cast<qsizetype>(i)] == '1';
}

// A count of 1 to PackShape::Largest, or none.
std::optional<int> ReadCount(const QSettings& settings, const QString& key)
{
    bool number = false;
    const int count = settings.value(key).toInt(&number);
    return number && count >= 1 && count <= PackShape::Largest ? std::optional(count) : std::nullopt;
}

} // namespace

void RestoreChoices(const QSettings& settings, const RememberedChoices& choices)
{
    bool number = false;
    const int sampleTime = settings.value(SampleTimeKey).toInt(&number);
    if (number && sampleTime >= 1)
        choices.recorder.SetSampleTime(sampleTime);
    if (settings.contains(PcSamplingKey))
        choices.sampling.PcSampling = settings.value(PcSamplingKey).toBool();
    ReadSwitches(settings, GraphChannelsKey, choices.graphs.GraphChannels);
    ReadSwitches(settings, DetailChannelsKey, choices.graphs.DetailChannels);
    if (settings.value(SchemeKey).toString() == ReadableScheme)
        choices.graphWindows.SetScheme(GraphScheme::Readable);
    const std::optional<int> series = ReadCount(settings, SeriesKey);
    const std::optional<int> parallel = ReadCount(settings, ParallelKey);
    if (series && parallel)
        choices.packShape = {*series, *parallel};
}

void StoreChoices(QSettings& settings, const RememberedChoices& choices)
{
    settings.setValue(SampleTimeKey, choices.recorder.SampleTime());
    settings.setValue(PcSamplingKey, choices.sampling.PcSampling);
    settings.setValue(GraphChannelsKey, SwitchText(choices.graphs.GraphChannels));
    settings.setValue(DetailChannelsKey, SwitchText(choices.graphs.DetailChannels));
    settings.setValue(SchemeKey, choices.graphWindows.Scheme() == GraphScheme::Readable ? ReadableScheme
                                                                                         : QStringLiteral("classic"));
    settings.setValue(SeriesKey, choices.packShape.series);
    settings.setValue(ParallelKey, choices.packShape.parallel);
}

} // namespace voltaryn
