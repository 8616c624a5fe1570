#pragma once
#include "tool_window.h"

namespace lumera::gui {

// The local extrema processing window.
class TExtrForm2 : public ToolWindow {
    Q_OBJECT
public:
    explicit TExtrForm2(Workbench& workbench)
        : ToolWindow(workbench, "ExtrForm2", QStringLiteral("Zpracování lokálních extrémů")) {}
};

}  // namespace lumera::gui
