#pragma once
#include <QLocale>
#include <QString>

namespace lumera::gui {

// The user's decimal separator, as numbers are shown in the windows.
inline char UserDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? point[0].toLatin1() : '.';
}

}  // namespace lumera::gui
