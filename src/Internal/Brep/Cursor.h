#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace KorrCore::BrepScreen {

// Walks the text of a BRep file the way the kernel's reader does: tokens
// separated by white space, plus the few places where the reader works on whole
// lines. Every step checks what it consumes and returns false on anything the
// kernel would misread or could not display: a token that is not the expected
// word, an integer or a decimal number within the model scale that does not
// fill the whole token, a token long enough
// to overflow the reader's fixed buffers, or the end of the text.
class Cursor {
public:
    explicit Cursor(std::string_view text) : begin(text.data()), end(text.data() + text.size()), at(begin) {}

    // The next token equals `expected`.
    bool Word(std::string_view expected);
    // The next token, whatever it says.
    bool Token(std::string_view& token);
    // An integer in [low, high].
    bool Int(std::int64_t low, std::int64_t high, std::int64_t& value);
    bool Int(std::int64_t low, std::int64_t high);
    // 0 or 1: the reader's booleans and on/off integers.
    bool Flag(bool& value);
    bool Flag();
    // Decimal numbers within the model scale (see Core/ModelScale.h): exactly
    // as the reader converts them, or only checked.
    bool Real(double& value);
    bool Reals(std::int64_t count);
    // The same, each to within a few units in its last place.
    bool NearReals(double* values, int count);
    // An edge's parameter range, first to last: decimal numbers within the
    // model scale, or the kernel's infinity, which edges along whole lines
    // carry (nothing displays such an edge, but real files hold them). The
    // kernel raises wherever it measures a reversed range.
    bool Range();

    // The rest of the current line holds only white space and at most
    // `maxLength` characters; consumes its end. The reader takes lines into
    // fixed buffers, and a longer line fails its stream.
    bool BlankRestOfLine(std::size_t maxLength);
    // The next whole line (without its line break), which must end in one and
    // hold at most `maxLength` characters.
    bool Line(std::size_t maxLength, std::string_view& line);
    // Nothing but white space remains.
    bool AtEnd() const;

    std::size_t Offset() const { return static_cast<std::size_t>(at - begin); }
    std::string_view Whole() const { return {begin, static_cast<std::size_t>(end - begin)}; }

private:
    void SkipSpace();
    // A decimal number filling the whole token, of any magnitude, converted
    // exactly.
    bool Number(double& value);
    // A decimal number within the model scale, converted exactly only when
    // its digits cannot tell; `exact` says which. `value` may be null.
    bool ModelNumber(double* value, bool& exact);
    // The same when the digits cannot tell.
    bool ExactModelNumber(double* value, bool& exact);
    // One bound of an edge's range; `exact` as above.
    bool RangeBound(double& value, bool& exact);

    const char* begin;
    const char* end;
    const char* at; // where the walk stands
};

// What the reader's `>>` into a char buffer treats as a separator: ' ' and
// '\t' to '\r'.
inline bool IsSpace(char c) { return c == ' ' || static_cast<unsigned char>(c - '\t') <= '\r' - '\t'; }
// A whole token read as the reader reads an integer: an optional sign, then
// decimal digits, fitting the range.
bool ParseInt(std::string_view token, std::int64_t low, std::int64_t high, std::int64_t& value);

} // namespace KorrCore::BrepScreen
