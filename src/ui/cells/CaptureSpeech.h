#pragma once

#include <QObject>

class QTextToSpeech;

namespace voltaryn {

// Says each capture's outcome aloud ("A", "reject", "unstable"), for a station whose operator
// wants it; off until switched on. Speech is queued with the system's speech engine and never
// waited for. Without a speech engine it is silent, and notice() says so once.
class CaptureSpeech : public QObject {
    Q_OBJECT
public:
    explicit CaptureSpeech(QObject* parent = nullptr);

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }
    void Say(const QString& text);

signals:
    void notice(const QString& text);

private:
    bool Available();

    bool enabled_ = false;
    bool unavailable_ = false;
    QTextToSpeech* speech_ = nullptr;
};

} // namespace voltaryn
