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

// The local extrema processing window.
class TExtrForm2 : public ToolWindow {
    Q_OBJECT
public:
    explicit TExtrForm2(Workbench& workbench)
        : ToolWindow(workbench, "ExtrForm2", QStringLiteral("Zpracování lokálních extrémů")) {}
};

}  // namespace lumera::gui
