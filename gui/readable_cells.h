#pragma once
#include <QString>

class QFontMetrics;
class QTableWidget;
class QTableWidgetItem;

namespace lumera::gui {

// Grids of numbers as text: a cell too narrow for its number shows the
// leading digits and the exponent, eliding the digits between (1,9651…E-5),
// and shows the whole text as its tooltip, also for cells the user fills in.
void MakeCellsReadable(QTableWidget* grid);

// A cell of such a grid holding the text.
QTableWidgetItem* ReadableCell(const QString& text);

// The text as such a cell shows it in `width` pixels.
QString ShortenedNumber(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace lumera::gui
