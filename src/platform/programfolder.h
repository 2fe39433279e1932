// The program folder: the folder that holds the running executable. Every
// settings, series and report file of both programs lives there. Tests point
// it at a temporary folder of their own.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The program folder (the running executable's folder unless a test set one).
std::filesystem::path programFolder();

// Makes `folder` the program folder from now on (tests, and nothing else).
void setProgramFolder(const std::filesystem::path& folder);

// Changes whenever setProgramFolder is called, so that code on a hot path can
// keep a file's path and build it again only when the folder moved.
unsigned programFolderGeneration();

// A file of the program folder, by its bare name ("pref.zvd").
std::filesystem::path programFile(std::string_view name);

} // namespace platform
