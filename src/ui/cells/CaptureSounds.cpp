#include "ui/cells/CaptureSounds.h"

#include "ui/cells/ToneWave.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <cmath>

namespace voltaryn {
namespace {

std::vector<Beep> BeepsOf(int outcome)
{
    if (outcome == CaptureSounds::Reject)
        return {{330, 90, 60}, {330, 90, 60}, {330, 90, 0}};
    // A whole tone lower for each grade down the table, from A5.
    return {{880 * std::pow(2.0, -outcome / 6.0), 150, 0}};
}

} // namespace

CaptureSounds::CaptureSounds(QObject* parent) : QObject(parent) {}

CaptureSounds::~CaptureSounds() = default;

void CaptureSounds::Play(int gradeIndex)
{
    if (silent_ || unavailable_)
        return;
    if (QMediaDevices::audioOutputs().isEmpty() || !folder_.isValid()) {
        unavailable_ = true;
        emit notice(tr("No audio output: the captures are silent."));
        return;
    }
    if (QSoundEffect* effect = EffectFor(gradeIndex))
        effect->play();
}

QSoundEffect* CaptureSounds::EffectFor(int outcome)
{
    if (const auto found = effects_.find(outcome); found != effects_.end())
        return found->second;
    const QString path = folder_.filePath(QString("tone%1.wav").arg(outcome));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToneWav(BeepsOf(outcome))) < 0)
        return nullptr;
    file.close();
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_[outcome] = effect;
    return effect;
}

} // namespace voltaryn
