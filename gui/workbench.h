#pragma once
#include <memory>

#include "data/cube.h"
#include "data/reporter.h"
#include "file_dialogs.h"
#include "analysis/analysis_state.h"

namespace lumera::gui {

class TMainForm;
class TVahFceForm;
class TEkvalizaceForm;
class TVyslForm;
class TExtrForm;
class TExtrForm2;
class TUpravyKorunForm;

// The running program: the shared data and the seven windows, each a single
// instance created in a fixed order (the main window builds the band table
// that the weight-function editor reads when it is created next).
class Workbench {
public:
    Workbench(Reporter& reporter, FileDialogs& dialogs);
    ~Workbench();
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    DataUnit Data;
    Reporter& Messages;
    FileDialogs& Dialogs;
    SpectralState Spectral;

    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TVahFceForm> VahFceForm;
    std::unique_ptr<TEkvalizaceForm> EkvalizaceForm;
    std::unique_ptr<TVyslForm> VyslForm;
    std::unique_ptr<TExtrForm> ExtrForm;
    std::unique_ptr<TExtrForm2> ExtrForm2;
    std::unique_ptr<TUpravyKorunForm> UpravyKorunForm;
};

}  // namespace lumera::gui
