#include "windows/buttonstyle.h"

QString flatButtonStyle(const QColor& face)
{
    const QColor pressed = face.darker(125);
    return QStringLiteral("QPushButton { background-color: %1; color: black;"
                          " border: 1px solid rgb(96, 96, 96); padding: 0px; }"
                          "QPushButton:focus { border: 2px solid black; }"
                          "QPushButton:pressed { background-color: %2; }"
                          "QPushButton:disabled { color: rgb(128, 128, 128);"
                          " border-color: rgb(160, 160, 160); }")
        .arg(face.name(), pressed.name());
}
