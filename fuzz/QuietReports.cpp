// Every fuzzer's start: the library's reports of refused arguments and files
// are what the fuzzers provoke by the thousand, and would only drown the
// findings.

#include <KorrGeomCore/KorrGeomCore.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KorrCore::KcAssert::SetReportHandler([](const std::string&, const char*, int) {});
    return 0;
}
