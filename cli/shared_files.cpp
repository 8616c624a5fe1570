#include "shared_files.h"

#include <filesystem>
#include <sys/stat.h>

#include "data/file_error.h"

namespace lumera::cli {
namespace fs = std::filesystem;

namespace {

// Where a file lies: its inode when it exists, else its resolved path.
struct Place {
    std::string Name;  // as the user gave it
    bool Exists = false;
    bool Replaced = true;  // a device or a pipe is written through, not replaced
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Resolved;
};

Place Locate(const std::string& name)
{
    Place place;
    place.Name = name;
    struct stat info {};
    place.Exists = stat(name.c_str(), &info) == 0;
    place.Replaced = !place.Exists || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode);
    place.Device = info.st_dev;
    place.Inode = info.st_ino;
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(fs::absolute(name, ec), ec);
    if (ec) resolved = fs::absolute(name, ec);  // a folder on the way that cannot be read
    place.Resolved = resolved.lexically_normal().string();
    if (place.Resolved.size() > 1 && place.Resolved.back() == '/') place.Resolved.pop_back();
    return place;
}

bool Same(const Place& a, const Place& b)
{
    if (!a.Replaced || !b.Replaced) return false;
    if (a.Exists && b.Exists) return a.Device == b.Device && a.Inode == b.Inode;
    return a.Resolved == b.Resolved;
}

bool IsOutputOption(const CLI::Option& option)
{
    for (const char* name : {"-o", "--network", "--overlay", "--dump"})
        if (option.check_name(name)) return true;
    return false;
}

std::vector<std::string> Inside(const std::string& folder, std::initializer_list<const char*> names)
{
    std::vector<std::string> files;
    for (const char* name : names) files.push_back((fs::path(folder) / name).string());
    return files;
}

std::vector<std::string> PipelineFiles(const std::string& folder)
{
    return Inside(folder, {"mask.bmp", "equalized.bmp", "maxima.txt", "network.bmp", "trees.dat", "trees.bmp",
                           "trees.csv", "spectra.csv", "crowns.gpkg"});
}

// What an output option writes: the file or folder named, the files a folder
// output holds, and the files written beside a file.
std::vector<std::string> Written(const CLI::App& command, const CLI::Option& option, const std::string& value)
{
    std::vector<std::string> files{value};
    const std::string name = command.get_name();
    std::vector<std::string> more;
    if (name == "crowns" && option.check_name("--dump"))
        more = Inside(value, {"labels.dat", "boundary.txt", "moved.txt", "network.bmp"});
    else if (name == "tiles") more = Inside(value, {"tiles.csv"});
    else if (name == "import") more = {value + ".geo.json"};
    else if ((name == "polygons" || name == "merge") && fs::path(value).extension() == ".shp")
        for (const char* extension : {".shx", ".dbf", ".prj", ".cpg"})
            more.push_back(fs::path(value).replace_extension(extension).string());
    else if (name == "pipeline") {
        const std::vector<std::string> cutouts = command.get_option("CUTOUT")->as<std::vector<std::string>>();
        if (cutouts.size() == 1) more = PipelineFiles(value);
        else
            for (const std::string& cutout : cutouts) {
                const std::vector<std::string> files = PipelineFiles((fs::path(value) / fs::path(cutout).stem()).string());
                more.insert(more.end(), files.begin(), files.end());
            }
    }
    files.insert(files.end(), more.begin(), more.end());
    return files;
}

// A folder output is switched whole to the files staged for it, so a file
// written into it beside them would be lost with the old folder.
void RefuseFilesInFolders(const std::vector<std::string>& files, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const std::string inside = Locate(folder).Resolved + "/";
        for (const std::string& file : files)
            if (Locate(file).Resolved.starts_with(inside))
                throw FileError("Výstup " + file + " leží ve výstupní složce " + folder + "; nic nebylo zapsáno.");
    }
}

}  // namespace

void RefuseSharedFiles(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs)
{
    std::vector<Place> written;
    for (const std::string& output : outputs) {
        const Place place = Locate(output);
        for (const Place& other : written)
            if (Same(place, other))
                throw FileError("Výstupy " + other.Name + " a " + output + " jsou týž soubor; nic nebylo zapsáno.");
        written.push_back(place);
    }
    for (const std::string& input : inputs) {
        const Place place = Locate(input);
        for (const Place& output : written)
            if (Same(place, output))
                throw FileError("Výstup " + output.Name + " je týž soubor jako vstup " + input +
                                "; nic nebylo zapsáno.");
    }
}

void RefuseSharedFiles(const CLI::App& command)
{
    std::vector<std::string> inputs, outputs, folders, named;
    std::vector<const CLI::Option*> options = command.get_options();
    // Options in a group ("one of") belong to the group.
    for (const CLI::App* group : command.get_subcommands([](const CLI::App*) { return true; })) {
        const std::vector<const CLI::Option*> grouped = group->get_options();
        options.insert(options.end(), grouped.begin(), grouped.end());
    }
    for (const CLI::Option* option : options) {
        for (const std::string& value : option->results()) {
            if (value.empty()) continue;
            if (IsOutputOption(*option)) {
                const std::vector<std::string> files = Written(command, *option, value);
                outputs.insert(outputs.end(), files.begin(), files.end());
                (option->check_name("--dump") ? folders : named).push_back(value);
                continue;
            }
            // Only files are inputs: a folder (the program's data, the
            // tiles to merge) is not replaced by an output.
            std::error_code ec;
            if (fs::exists(value, ec) && !fs::is_directory(value, ec)) inputs.push_back(value);
        }
    }
    RefuseSharedFiles(inputs, outputs);
    RefuseFilesInFolders(named, folders);
}

}  // namespace lumera::cli
