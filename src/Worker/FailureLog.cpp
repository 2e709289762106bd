#include "Worker/FailureLog.h"

#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <TCollection_AsciiString.hxx>

namespace KorrCore::Worker {

Handle(FailureLog) FailureLog::Listen()
{
    Handle(FailureLog) log = new FailureLog;
    Message::DefaultMessenger()->AddPrinter(log);
    return log;
}

void FailureLog::send(const TCollection_AsciiString& text, const Message_Gravity gravity) const
{
    if (gravity < Message_Fail || !first.empty())
        return;
    // The translators frame their messages: "**** ERR StepFile : ...  ****".
    const std::string message = text.ToCString();
    const std::size_t begin = message.find_first_not_of("* ");
    const std::size_t end = message.find_last_not_of("* \n");
    if (begin != std::string::npos)
        first = message.substr(begin, end - begin + 1);
}

} // namespace KorrCore::Worker
