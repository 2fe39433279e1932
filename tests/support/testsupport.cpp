#include "testsupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

#include "platform/programfolder.h"

namespace testsupport {

std::filesystem::path seriesDir()
{
    return MIQATIX_SERIES_DIR;
}

std::filesystem::path dataDir()
{
    return MIQATIX_DATA_DIR;
}

std::string withField(const std::string& line, int field, const std::string& value)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(line.substr(start, comma - start));
    fields.push_back(line.substr(start));
    fields.at(field - 1) = value;
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i)
        out += (i ? "," : "") + fields[i];
    return out;
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& file, const std::string& contents)
{
    std::ofstream out(file, std::ios::binary);
    out << contents;
}

void ProgramFolderTest::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "miqatix-test-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    ASSERT_NE(made, nullptr);
    folder_ = made;
    platform::setProgramFolder(folder_);
    oldHandler_ = platform::setStopHandler([](const platform::FileFault& fault) { throw fault; });
}

void ProgramFolderTest::TearDown()
{
    platform::setStopHandler(oldHandler_);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void ProgramFolderTest::putDefaultSettings()
{
    for (const auto& entry : std::filesystem::directory_iterator(dataDir() / "settings"))
        std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
}

void ProgramFolderTest::putSeriesFiles()
{
    for (const char* name : {"termfull.zvd", "term.zvd", "mterm.zvd", "elp.zvd"})
        std::filesystem::copy_file(seriesDir() / name, folder_ / name,
                                   std::filesystem::copy_options::overwrite_existing);
}

ScopedMode::ScopedMode(std::filesystem::path path, std::filesystem::perms mode)
    : path_(std::move(path)), old_(std::filesystem::status(path_).permissions())
{
    std::filesystem::permissions(path_, mode);
}

ScopedMode::~ScopedMode()
{
    std::error_code ec; // a case may have removed it
    std::filesystem::permissions(path_, old_, ec);
}

bool runAsRoot()
{
    return ::geteuid() == 0;
}

void compareWithGolden(const std::string& text, const std::string& folder, const std::string& name)
{
    const auto golden = std::filesystem::path(MIQATIX_TESTS_DIR) / folder / "golden" / name;
    const char* update = std::getenv("MIQATIX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(golden.parent_path());
        testsupport::writeFile(golden, text);
    } else if (update && *update) {
        ADD_FAILURE() << "MIQATIX_UPDATE_GOLDEN is \"" << update
                      << "\": 1 rewrites the golden files, unset compares with them";
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << "no golden file " << golden;
    EXPECT_EQ(text, testsupport::readFile(golden)) << "golden file " << name;
}

} // namespace testsupport
