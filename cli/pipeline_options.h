#pragma once
#include <CLI/CLI.hpp>

#include "pipeline_run.h"

namespace lumera::cli {

// The options of the chain, shared by pipeline and scene.
void AddPipelineOptions(CLI::App& sub, PipelineOptions& options);

}  // namespace lumera::cli
