#include "programfolder.h"

#include <system_error>

namespace platform {

namespace {

std::filesystem::path& folderOverride()
{
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path executableFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

} // namespace

std::filesystem::path programFolder()
{
    if (!folderOverride().empty())
        return folderOverride();
    static const std::filesystem::path folder = executableFolder();
    return folder;
}

namespace {

unsigned& generation()
{
    static unsigned value = 0;
    return value;
}

} // namespace

void setProgramFolder(const std::filesystem::path& folder)
{
    folderOverride() = folder;
    ++generation();
}

unsigned programFolderGeneration()
{
    return generation();
}

std::filesystem::path programFile(std::string_view name)
{
    return programFolder() / std::filesystem::path(name);
}

} // namespace platform
