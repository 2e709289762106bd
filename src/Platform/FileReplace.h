#pragma once

#include <functional>
#include <string>

namespace KorrCore {

// Saves a file so that a failed save never destroys what was there: `write`
// fills a new file beside the target (in the same directory, so the final
// move cannot cross file systems), and only when it reports success does that
// file take the target's place, in one rename. On failure the new file is
// removed and the target is left as it was. The new file keeps an existing
// target's permissions; a symbolic link is followed, so the file it points to
// is replaced, as a direct write would. Returns true when the target now holds
// what `write` wrote.
//
// Built into each library that saves files rather than exported.
bool ReplaceFile(const std::string& target, const std::function<bool(const std::string& path)>& write);

} // namespace KorrCore
