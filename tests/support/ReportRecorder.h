#pragma once

#include <string>
#include <vector>

#include <KorrGeomCore/Platform/KcAssert.h>

namespace KorrTest {

struct Report {
    std::string message;
    std::string file;
    int line;
};

// Collects every KcAssert report made while it lives, instead of printing it,
// and restores the previous handler afterwards.
class ReportRecorder {
public:
    ReportRecorder();
    ~ReportRecorder();
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    const std::vector<Report>& reports() const { return recorded; }
    std::vector<std::string> messages() const;
    std::size_t count() const { return recorded.size(); }

private:
    std::vector<Report> recorded;
    KorrCore::KcAssert::ReportHandler previous;
};

} // namespace KorrTest
