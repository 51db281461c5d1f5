#pragma once

#include <QLabel>

#include <string>

namespace voltaryn {

// A label in seven-segment digits. Its digit cells show their unlit segments faintly, as the glass
// of a real LCD does, and a blank keeps the width of a digit.
class SegmentLabel : public QLabel {
    Q_OBJECT
public:
    SegmentLabel(int cells, QWidget* parent);

    // Shows decoded display characters; the character with code 0 shows as nothing.
    void ShowCharacters(const std::string& characters);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cells_;
};

} // namespace voltaryn
