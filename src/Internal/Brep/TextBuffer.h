#pragma once

#include <cstddef>
#include <streambuf>
#include <string_view>

namespace KorrCore::BrepScreen {

// A stream buffer over text held elsewhere, so that the kernel's reader takes
// the text without a copy. A stream buffer writes into its text only when a
// character is put back that differs from the one read, which the base class
// refuses.
class TextBuffer : public std::streambuf {
public:
    explicit TextBuffer(std::string_view text) : text(text) { Seek(0); }

    // Reading goes on from `offset`.
    void Seek(std::size_t offset)
    {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin + offset, begin + text.size());
    }
    // Where reading stands.
    std::size_t Offset() const { return static_cast<std::size_t>(gptr() - eback()); }

private:
    std::string_view text;
};

} // namespace KorrCore::BrepScreen
