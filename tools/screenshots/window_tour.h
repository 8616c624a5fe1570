#pragma once
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace lumera::gui {

class Workbench;

// One stop of the tour: the window's picture name and how it is brought to work.
struct TourStop {
    std::string Name;
    std::function<QWidget*(Workbench&)> Show;
};

// The typical run on the sample stand, in the order a user goes through the
// windows; each stop leaves its window showing its results. Run in the
// program directory holding the stand, after `lumera-cli pipeline` wrote
// obr/demo/.
std::vector<TourStop> WindowTour();

}  // namespace lumera::gui
