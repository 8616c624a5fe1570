#pragma once
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

namespace lumera::gui {

// Small constructors that give every control its name, so tests and the
// windows find controls by the names the program uses.
template <typename T>
T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

inline QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent = nullptr)
{
    return Named(new QLabel(text, parent), name);
}

// A section heading: a label in a larger font.
inline QLabel* MakeHeading(const QString& name, const QString& text, QWidget* parent = nullptr)
{
    QLabel* label = MakeLabel(name, text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    label->setFont(font);
    return label;
}

inline QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent = nullptr)
{
    return Named(new QPushButton(text, parent), name);
}

inline QSpinBox* MakeSpin(const QString& name, int minimum, int maximum, int value, QWidget* parent = nullptr)
{
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

// A control's integer tag: the windows keep completion flags of their steps
// with the buttons that gate the next step.
inline int Tag(const QObject* control) { return control->property("Tag").toInt(); }
inline void SetTag(QObject* control, int tag) { control->setProperty("Tag", tag); }

// A selector of fixed entries with the given one selected (-1: none).
inline QComboBox* MakeCombo(const QString& name, const QStringList& items, int selected, QWidget* parent = nullptr)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItems(items);
    combo->setCurrentIndex(selected);
    return combo;
}

inline QFrame* MakePanel(const QString& name, QWidget* parent = nullptr)
{
    auto* panel = Named(new QFrame(parent), name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

inline QPlainTextEdit* MakeMemo(const QString& name, int width, int height, QWidget* parent = nullptr)
{
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFixedSize(width, height);
    return memo;
}

}  // namespace lumera::gui
