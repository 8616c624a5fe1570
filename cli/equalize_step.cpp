#include "equalize_step.h"

#include "commands.h"
#include "enhance/equalization.h"

namespace lumera::cli {

void AddEqualizeOptions(CLI::App& command, int& window)
{
    command.add_option("--window", window, "Window side (45)")
        ->check(CLI::Range(kMinEqualizationWindow, kMaxEqualizationWindow));
}

Bitmap RunEqualizeStep(const Bitmap& picture, int window)
{
    if (const auto refusal = EqualizationRefusal(picture, window)) throw CheckFailed(*refusal);
    return Equalize(picture, window);
}

}  // namespace lumera::cli
