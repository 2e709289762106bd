#include "support/ReportRecorder.h"

namespace KorrTest {

ReportRecorder::ReportRecorder()
{
    previous = KorrCore::KcAssert::SetReportHandler([this](const std::string& message, const char* file, int line) {
        recorded.push_back({message, file ? file : "", line});
    });
}

ReportRecorder::~ReportRecorder() { KorrCore::KcAssert::SetReportHandler(previous); }

std::vector<std::string> ReportRecorder::messages() const
{
    std::vector<std::string> result;
    for (const Report& report : recorded)
        result.push_back(report.message);
    return result;
}

} // namespace KorrTest
