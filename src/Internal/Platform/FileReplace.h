#pragma once

#include <functional>
#include <string>

namespace KorrCore {

// Saves a file so that a failed save never destroys what was there: `write`
// fills a new file beside the target (in the same directory, so the final
// move cannot cross file systems), and only when it reports success does that
// file take the target's place, in one rename. On failure the new file is
// removed and the target is left as it was. The new file keeps an existing
// target's permissions. Returns true when the target now holds what `write`
// wrote; otherwise the thread's outcome is WriteFailed, with the system's
// reason when there is one, unless `write` recorded a reason of its own.
//
// Only a regular file is ever replaced. A folder, a pipe, a socket or a
// device at the path is refused before anything is written, as is a loop of
// symbolic links. A symbolic link is followed, as a direct write would follow
// it: the file it points to is replaced and the link stays a link. A link to
// a name not yet taken creates that file, as an editor saving through the
// link does; when the folder it names is missing, the save fails and the
// link is left as it was.
//
// The new file is named ".korrgeom-<process id>-<n>.tmp". A save that is
// killed leaves it behind; the next save into the same folder removes those
// of this user whose process is gone.
//
// Built into each library that saves files rather than exported.
bool ReplaceFile(const std::string& target, const std::function<bool(const std::string& path)>& write);

} // namespace KorrCore
