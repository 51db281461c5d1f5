#include "ui/cells/CaptureSpeech.h"

#include <QTextToSpeech>

namespace voltaryn {

CaptureSpeech::CaptureSpeech(QObject* parent) : QObject(parent) {}

void CaptureSpeech::Say(const QString& text)
{
    if (enabled_ && Available())
        speech_->say(text);
}

// The engine is looked for at the first word, so a station that never speaks never loads one.
bool CaptureSpeech::Available()
{
    if (unavailable_)
        return false;
    if (speech_ == nullptr && !QTextToSpeech::availableEngines().isEmpty())
        speech_ = new QTextToSpeech(this);
    if (speech_ == nullptr || speech_->state() == QTextToSpeech::Error) {
        unavailable_ = true;
        emit notice(tr("No speech engine: the grades are not spoken."));
        return false;
    }
    return true;
}

} // namespace voltaryn
