#include "playlist/export_target.h"

#include "playlist/playlist_model.h"

#include <sys/stat.h>

namespace vantrel {

Result checkExportTarget(const std::string& target, const PlaylistModel& list,
                         const std::string& playlist) {
    struct stat out {};
    if (::stat(target.c_str(), &out) != 0) return Result::ok();
    const auto same = [&out](const std::string& path) {
        struct stat in {};
        return ::stat(path.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino;
    };
    if (!playlist.empty() && same(playlist)) return Result::fail("it is the playlist being read");
    // Only a file that exists costs a look at every row.
    for (int i = 1; i <= list.count(); ++i)
        if (same(list.row(i).key)) return Result::fail("it is the track " + list.row(i).key);
    return Result::ok();
}

} // namespace vantrel
