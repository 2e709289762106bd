#pragma once

#include <string>

namespace KorrTest {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    // The path of a (UTF-8) file name inside the directory.
    std::string file(const std::string& name) const { return root + "/" + name; }
    // How many entries the directory holds.
    std::size_t entryCount() const;

private:
    std::string root;
};

// Whole-file helpers; reading a missing file gives an empty string.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// An ASCII path as the wide string a host would pass.
std::wstring Wide(const std::string& ascii);

} // namespace KorrTest
