#pragma once

#include <chrono>
#include <string>

#include <KorrGeomCore/Platform/KProgressIndicator.h>

namespace korrgeom {

// A one-line bar on standard error for work that the library reports on
// (loads, saves, meshing). It appears only on a terminal, and only once the
// work has taken half a second, so that quick stages and redirected output
// stay clean; the line is cleared when the bar goes.
class ProgressBar : public KorrCore::KProgressIndicator {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar() override;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void OnProgress(double fraction) override;

private:
    std::string label;
    bool terminal;
    bool drawn = false;
    std::chrono::steady_clock::time_point start;
};

} // namespace korrgeom
