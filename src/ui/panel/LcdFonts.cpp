#include "ui/panel/LcdFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace voltaryn {
namespace {

struct SegmentFamily {
    QString name;
    bool dseg = false;
};

const SegmentFamily& LoadedSegmentFamily()
{
    static const SegmentFamily family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf"));
        const QStringList loaded = QFontDatabase::applicationFontFamilies(id);
        if (!loaded.isEmpty())
            return SegmentFamily{loaded.first(), true};
        const QString installed = QStringLiteral("DSEG7 Classic");
        if (QFontDatabase::families().contains(installed))
            return SegmentFamily{installed, true};
        return SegmentFamily{QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), false};
    }();
    return family;
}

} // namespace

QFont SegmentFont(int pixelSize, int stretch)
{
    QFont font(LoadedSegmentFamily().name);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setStretch(stretch);
    return font;
}

bool SegmentFontIsDseg()
{
    return LoadedSegmentFamily().dseg;
}

QFont LabelFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("Arial Narrow"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace voltaryn
