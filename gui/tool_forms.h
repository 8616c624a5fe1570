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

}  // namespace lumera::gui
