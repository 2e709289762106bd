#include "ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace korrgeom {

namespace {

constexpr auto kQuietTime = std::chrono::milliseconds(500);
constexpr int kWidth = 30;

} // namespace

ProgressBar::ProgressBar(std::string label)
    : label(std::move(label)), terminal(isatty(STDERR_FILENO) == 1), start(std::chrono::steady_clock::now())
{
}

ProgressBar::~ProgressBar()
{
    if (drawn)
        std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::OnProgress(double fraction)
{
    if (!terminal || std::chrono::steady_clock::now() - start < kQuietTime)
        return;
    const int filled = static_cast<int>(fraction * kWidth + 0.5);
    std::fprintf(stderr, "\r%s [%-*s] %3d%%", label.c_str(), kWidth, std::string(filled, '#').c_str(),
                 static_cast<int>(fraction * 100));
    std::fflush(stderr);
    drawn = true;
}

} // namespace korrgeom
