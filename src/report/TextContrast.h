#pragma once

#include <QColor>

#include <cmath>

namespace voltaryn::report {

// Black or white, whichever reads better on `background`: its relative luminance, as the web's
// contrast rules define it, split where the two give equal contrast.
inline QColor TextColourOn(const QColor& background)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.redF()) + 0.7152 * linear(background.greenF())
                             + 0.0722 * linear(background.blueF());
    return luminance > 0.179 ? Qt::black : Qt::white;
}

} // namespace voltaryn::report
