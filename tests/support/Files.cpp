#include "support/Checks.h"

#include <fstream>
#include <sstream>

#include <stdlib.h>

namespace KorrTest {

TempDir::TempDir() : root((std::filesystem::temp_directory_path() / "korrgeom-test-XXXXXX").string())
{
    if (!::mkdtemp(root.data()))
        throw std::runtime_error("cannot create a temporary directory");
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
