#include "playlist/playlist_files.h"

#include "platform/program_folders.h"
#include "playlist/playlist_commands.h"

namespace vantrel {

PlaylistFiles::PlaylistFiles(PlaylistModel& list, PlaylistCommands& commands, Ports ports)
    : recent_(ports.ini),
      opener_(ports.dialogs, recent_,
              [&commands](const std::string& path) { commands.GetListTag(path); }),
      saver_(list, ports.dialogs), find_(list, ports.dialogs),
      listSettings_(
          ports.ini, ports.dialogs, [&commands] { commands.toglHeaders(); }, ports.useGrid) {
    opener_.setProcesses(ports.processes, executableFile().string());
    opener_.setReadAhead(
        [&commands](std::vector<std::string> paths) { commands.readAhead(std::move(paths)); });
}

void PlaylistFiles::mnuMRUitm(int k) {
    if (k < 1 || k > recent_.mruMax() || recent_.slot(k).empty()) return;
    opener_.openPList(recent_.slot(k));
}

} // namespace vantrel
