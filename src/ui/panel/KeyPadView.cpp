#include "ui/panel/KeyPadView.h"

#include "ui/common/Twips.h"
#include "ui/panel/FrontPanelLayout.h"
#include "ui/panel/Symbol.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace voltaryn {
namespace {

// Where a button sits within its key's group: text buttons stacked, beneath them a row of picture
// buttons with the arrow at its right end.
enum class Slot { Text, Picture, Arrow };

struct KeyPlace {
    int meterKey;  // the buttons of one meter key form a group
    KeyButton button;
    const char* name;
    const char* caption;  // the text of a text button, the description of a picture button
    Slot slot;
    std::optional<Symbol> picture;
};

constexpr int MeterKeyCount = 7;

constexpr KeyPlace Keys[] = {
    {1, KeyButton::BtnM, "BtnM", "Single or Stop", Slot::Text, std::nullopt},
    {1, KeyButton::BtnAM, "BtnAM", "Auto Memory", Slot::Text, std::nullopt},
    {1, KeyButton::BtnDM, "BtnDM", "Auto Data ", Slot::Text, std::nullopt},
    {1, KeyButton::BtnLeft, "BtnLeft", "Left", Slot::Arrow, Symbol::ArrowLeft},
    {2, KeyButton::BtnBeeper, "BtnBeeper", "Beeper", Slot::Picture, Symbol::Beeper},
    {2, KeyButton::BtnCF, "BtnCF", "Celsius or Fahrenheit", Slot::Picture, Symbol::CelsiusOrFahrenheit},
    {2, KeyButton::BtnDown, "BtnDown", "Down", Slot::Arrow, Symbol::ArrowDown},
    {3, KeyButton::BtnADJ, "BtnADJ", "0ADJ", Slot::Text, std::nullopt},
    {3, KeyButton::BtnDecimalPoint, "BtnDecimalPoint", "Decimal point", Slot::Text, std::nullopt},
    {3, KeyButton::BtnUp, "BtnUp", "Up", Slot::Arrow, Symbol::ArrowUp},
    {4, KeyButton::BtnRead, "BtnRead", "Read", Slot::Picture, Symbol::BoxedR},
    {4, KeyButton::BtnRight, "BtnRight", "Right", Slot::Arrow, Symbol::ArrowRight},
    {5, KeyButton::BtnRealTime, "BtnRealTime", "Real Time", Slot::Text, std::nullopt},
    {5, KeyButton::BtnInterval, "BtnInterval", "Inteval", Slot::Text, std::nullopt},
    {6, KeyButton::BtnCompOnOff, "BtnCompOnOff", "COMP ON/OFF", Slot::Text, std::nullopt},
    {6, KeyButton::BtnComp, "BtnComp", "COMP", Slot::Text, std::nullopt},
    {7, KeyButton::BtnHoldOnOff, "BtnHoldOnOff", "Hold ON/OFF", Slot::Text, std::nullopt},
    {7, KeyButton::BtnHold, "BtnHold", "HOLD", Slot::Text, std::nullopt},
};

// The pad sits to the right of the meter picture, in the band up to the window's widest client area.
constexpr int PadWidth = 7080 - layout::View.width;

// A symbol as an icon, painted for ordinary and high-density screens.
QIcon SymbolIcon(Symbol symbol, const QColor& ink, const QSize& size)
{
    QIcon icon;
    for (const double scale : {1.0, 2.0, 3.0}) {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintSymbol(painter, QRectF(QPointF(0, 0), QSizeF(size)), symbol, ink);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A key's button: its caption, or its picture with the description as accessible name and tip.
QPushButton* NewButton(const KeyPlace& key, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(key.name));
    const QString caption = QString::fromLatin1(key.caption);
    if (key.picture) {
        const QSize iconSize = Twips::For(*parent).Size(300, 300);
        button->setIcon(SymbolIcon(*key.picture, parent->palette().color(QPalette::ButtonText), iconSize));
        button->setIconSize(iconSize);
        button->setAccessibleName(caption);
        button->setToolTip(caption);
    } else {
        button->setText(caption);
    }
    return button;
}

} // namespace

KeyPadView::KeyPadView(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("SSPKeyButton"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(Twips::For(*this).Size(PadWidth, layout::View.height));

    auto* pad = new QVBoxLayout(this);
    pad->setContentsMargins(4, 4, 4, 4);
    pad->setSpacing(4);
    for (int meterKey = 1; meterKey <= MeterKeyCount; ++meterKey)
        pad->addWidget(NewKeyGroup(meterKey));
    pad->addStretch();
}

QFrame* KeyPadView::NewKeyGroup(int meterKey)
{
    auto* group = new QFrame(this);
    group->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    QHBoxLayout* pictures = nullptr;
    for (const KeyPlace& key : Keys) {
        if (key.meterKey != meterKey)
            continue;
        QPushButton* button = NewButton(key, group);
        connect(button, &QAbstractButton::clicked, this, [this, which = key.button] { emit keyClicked(which); });
        if (key.slot == Slot::Text) {
            column->addWidget(button);
            continue;
        }
        if (pictures == nullptr) {
            pictures = new QHBoxLayout;
            column->addLayout(pictures);
        }
        if (key.slot == Slot::Arrow)
            pictures->addStretch();
        pictures->addWidget(button);
    }
    return group;
}

} // namespace voltaryn
