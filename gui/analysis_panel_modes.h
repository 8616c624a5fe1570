#pragma once

class QLabel;
class QSpinBox;

namespace lumera::gui {

// One set-up of an analysis panel's two display parameters: their captions,
// the spin edits' range and length, and the values they are reset to.
struct DisplayMode {
    const char* LowerCaption;  // UTF-8
    const char* UpperCaption;
    int Minimum;
    int Maximum;
    int MaxLength;  // characters the spin edits take
    int Lower;
    int Upper;
};

inline constexpr DisplayMode kNdviPercentMode{"Procenta zanedbaná dolů:", "Procenta zanedbaná nahoru:", 0, 99, 2, 30, 90};
inline constexpr DisplayMode kNdviAbsoluteMode{"Dolní mez indexu (absolutně, stonásobek):",
                                               "Horní mez indexu (absolutně, stonásobek):", -100, 100, 4, 25, 95};
inline constexpr DisplayMode kNeedlePercentMode{"Minimální míra shody pro zelenou (v procentech):",
                                                "Maximální míra shody pro rozlišení (v procentech):", 0, 99, 2, 20, 85};
inline constexpr DisplayMode kNeedleAbsoluteMode{"Minimální míra shody pro zelenou (absolutně, desetinásobek):",
                                                 "Maximální míra shody pro rozlišení (absolutně, desetinásobek):",
                                                 0, 300, 3, 50, 200};

// Limits how many characters can be typed into a spin edit.
void SetMaxLength(QSpinBox* spin, int length);

// Captions, ranges (increment 1), lengths and values of the two parameters.
void ApplyMode(const DisplayMode& mode, QLabel* lowerLabel, QLabel* upperLabel, QSpinBox* lower, QSpinBox* upper);

}  // namespace lumera::gui
