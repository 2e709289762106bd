#pragma once

#include <Message_Printer.hxx>

#include <string>

namespace KorrCore::Worker {

// Keeps the first failure the kernel's translators send to its messenger
// ("Line 223: Incorrect syntax: unexpected end of file"), which is where a
// reader gave up on a damaged file; the translators tell the library nothing
// else of it.
class FailureLog : public Message_Printer {
public:
    // Adds a log to the kernel's default messenger.
    static Handle(FailureLog) Listen();

    // The first failure, without the messenger's decoration; empty if none.
    const std::string& First() const { return first; }

protected:
    void send(const TCollection_AsciiString& text, const Message_Gravity gravity) const override;

private:
    mutable std::string first;
};

} // namespace KorrCore::Worker
