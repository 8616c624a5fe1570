#include "readable_cells.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace lumera::gui {

namespace {

class ReadableItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;

    QVariant data(int role) const override
    {
        if (role == Qt::ToolTipRole) return text();
        return QTableWidgetItem::data(role);
    }
    QTableWidgetItem* clone() const override { return new ReadableItem(*this); }
};

// Draws each cell's text shortened to the cell's width.
class NumberDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        cell.text = ShortenedNumber(cell.text, cell.fontMetrics, textArea.width() - 2 * margin);
        cell.textElideMode = Qt::ElideNone;
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    }
};

}  // namespace

void MakeCellsReadable(QTableWidget* grid)
{
    grid->setWordWrap(false);
    grid->setItemPrototype(new ReadableItem);
    grid->setItemDelegate(new NumberDelegate(grid));
}

QTableWidgetItem* ReadableCell(const QString& text) { return new ReadableItem(text); }

QString ShortenedNumber(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width) return text;
    const qsizetype exponent = text.lastIndexOf(QLatin1Char('E'), -1, Qt::CaseInsensitive);
    const QString tail = exponent > 0 ? text.mid(exponent) : QString();
    const int tailWidth = metrics.horizontalAdvance(tail);
    if (tailWidth >= width) return metrics.elidedText(text, Qt::ElideRight, width);
    return metrics.elidedText(text.left(text.size() - tail.size()), Qt::ElideRight, width - tailWidth) + tail;
}

}  // namespace lumera::gui
