#pragma once
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "imaging/bmp_file.h"
#include "mapping/wavelength_units.h"
#include "mapping/world_file.h"
#include "analysis/reference_files.h"
#include "analysis/weight_file.h"

namespace lumera::fuzzing {

// A cut-out read into memory and mapped must be the same cube; either both
// accept the file or both refuse it.
inline void ReadMappedCutoutAlike(const std::string& path)
{
    const TData read = ReadCutout(path);
    const TData mapped = MapCutout(path);
    if (!(read.Values == mapped.Values) || read.NBands != mapped.NBands || read.NRows != mapped.NRows ||
        read.NColumns != mapped.NColumns)
        std::abort();
}

// Every reader of a file the user can hand the program, by the name of its
// fuzz target and of its folder of regression inputs. A reader may accept a
// file or refuse it with FileError; anything else is a fault.
inline const std::map<std::string, std::function<void(const std::string&)>>& FileReaders()
{
    static const std::map<std::string, std::function<void(const std::string&)>> readers{
        {"bmp", [](const std::string& path) { ReadBmp(path); }},
        {"cutout", [](const std::string& path) { ReadMappedCutoutAlike(path); }},
        {"tree_matrix", [](const std::string& path) { ReadTreeMatrix(path); }},
        {"reference_table", [](const std::string& path) { ReadReferenceTable(path); }},
        {"reference_text", [](const std::string& path) { ReadReferenceText(path); }},
        {"weight_file", [](const std::string& path) { ReadWeightFile(path); }},
        {"extrema_file", [](const std::string& path) { ReadExtremaFile(path); }},
        {"filter_file", [](const std::string& path) { ReadFilterFile(path); }},
        {"wavelength_file", [](const std::string& path) { ReadWavelengthFile(path); }},
        {"world_file", [](const std::string& path) { ReadWorldFile(path); }},
    };
    return readers;
}

}  // namespace lumera::fuzzing
