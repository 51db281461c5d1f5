#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <map>
#include <memory>

class QSoundEffect;

namespace voltaryn {

// A tone for each outcome of a capture, so that the operator need not look up: one beep per
// grade, lower for each grade further down the table, and three short low ones for a reject or an
// unstable contact. The tones are made at the start and played without waiting. Without an audio
// output the sounds are silent, and notice() says so once.
class CaptureSounds : public QObject {
    Q_OBJECT
public:
    static constexpr int Reject = -1;  // the outcome of a rejected cell or an unstable contact

    explicit CaptureSounds(QObject* parent = nullptr);
    ~CaptureSounds() override;

    void SetSilent(bool silent) { silent_ = silent; }
    bool Silent() const { return silent_; }
    // Plays the tone of the grade at `gradeIndex` in the table, or of Reject.
    void Play(int gradeIndex);

signals:
    void notice(const QString& text);

private:
    QSoundEffect* EffectFor(int outcome);

    bool silent_ = false;
    bool unavailable_ = false;
    QTemporaryDir folder_;
    std::map<int, QSoundEffect*> effects_;
};

} // namespace voltaryn
