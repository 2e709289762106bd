#include "support/Checks.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>

namespace KorrTest {

ReportRecorder::ReportRecorder()
    : previous(KorrCore::KcAssert::SetReportHandler(
          [this](const std::string& message, const char*, int) { recorded.push_back(message); }))
{
}

ReportRecorder::~ReportRecorder()
{
    KorrCore::KcAssert::SetReportHandler(previous);
}

TempDir::TempDir() : root((std::filesystem::temp_directory_path() / "korrgeom-test-XXXXXX").string())
{
    if (!::mkdtemp(root.data()))
        throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::filesystem::remove_all(root);
}

std::size_t TempDir::entryCount() const
{
    return std::distance(std::filesystem::directory_iterator(root), std::filesystem::directory_iterator());
}

std::string ReadBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::wstring Wide(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace KorrTest
