#pragma once
#include "tool_window.h"

namespace lumera::gui {

// The weight-function editor.
class TVahFceForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TVahFceForm(Workbench& workbench)
        : ToolWindow(workbench, "VahFceForm", QStringLiteral("Nastavení váhové funkce")) {}
};

// The local extrema search window.
class TExtrForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TExtrForm(Workbench& workbench)
        : ToolWindow(workbench, "ExtrForm", QStringLiteral("Vyhledání lokálních extrémů")) {}
};

}  // namespace lumera::gui
