// The scene import as a libFuzzer target: the input is an ENVI header and its
// image file (split at kSceneSeparator), opened through GDAL and imported
// whole with every band the scene does not cover filled. GDAL may refuse the
// scene and the import may refuse it by its own checks; anything else is a fault.
// Only GDAL's ENVI driver stays registered: the target is Lumera's import, and
// GDAL's other readers are GDAL's own to fuzz (under AddressSanitizer some of
// them take seconds over a header that promises gigapixels, which a normal
// build refuses in a tenth of a second).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include <gdal_priv.h>

#include "data/file_error.h"
#include "gdal_session.h"
#include "scene.h"
#include "scene_import.h"
#include "scene_input.h"
#include "scene_refusal.h"

namespace {

const std::filesystem::path& SceneFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("lumera-fuzz-scene-" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

void KeepOnlyTheEnviDriver()
{
    lumera::UseGdal();
    GDALDriverManager* drivers = GetGDALDriverManager();
    for (int i = drivers->GetDriverCount() - 1; i >= 0; --i) {
        GDALDriver* driver = drivers->GetDriver(i);
        if (std::string_view(driver->GetDescription()) == "ENVI") continue;
        drivers->DeregisterDriver(driver);
        GDALDestroyDriver(driver);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KeepOnlyTheEnviDriver();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(lumera::fuzzing::kSceneSeparator);
    const std::string_view header = input.substr(0, split);
    const std::string_view image =
        split == std::string_view::npos ? std::string_view{}
                                        : input.substr(split + std::string_view(lumera::fuzzing::kSceneSeparator).size());
    WriteFile(SceneFolder() / "scene.hdr", header);
    WriteFile(SceneFolder() / "scene.img", image);
    try {
        lumera::Scene scene = lumera::OpenScene((SceneFolder() / "scene.img").string());
        lumera::ImportOptions options;
        options.AllowPartial = true;
        lumera::ImportScene(scene, options);
    } catch (const lumera::FileError&) {
    } catch (const lumera::SceneRefusal&) {
    }
    return 0;
}
