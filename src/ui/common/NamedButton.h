#pragma once

#include <QPushButton>

namespace voltaryn {

// A push button tests and settings find by its object name.
inline QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace voltaryn
