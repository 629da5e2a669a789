#include "playlist/playlist_saver.h"

#include "platform/dialogs.h"
#include "playlist/export_target.h"
#include "playlist/playlist_writers.h"

#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

std::string currentFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

} // namespace

PlaylistSaver::PlaylistSaver(const PlaylistModel& list, Dialogs& dialogs)
    : list_(list), dialogs_(dialogs), startFolder_(currentFolder), date_(todaysDate) {}

bool PlaylistSaver::cmdPLtype(int element, const std::vector<int>& order) {
    Dialogs::FileRequest request;
    request.title = "Save the Playlist";
    request.folder = startFolder_();
    switch (element) {
    case M3u:
        request.filter = "Playlist (*.m3u)|*.m3u";
        request.defaultExtension = "m3u";
        break;
    case Csv:
        request.filter = "Comma Seperated Values (*.csv)|*.csv";
        request.defaultExtension = "csv";
        break;
    case Html:
        request.filter = "Web Page (*.html)|*.html|Web Page (*.htm)|*.htm";
        request.defaultExtension = "html";
        break;
    default:
        return false; // the hidden .m4u button has no export behind it
    }
    const std::optional<std::string> chosen = dialogs_.saveFile(request);
    if (!chosen || chosen->empty()) return false;
    std::string bytes;
    if (element == M3u) {
        bytes = writeM3u(list_, *chosen);
    } else if (element == Csv) {
        bytes = writeCsv(list_, order);
    } else {
        std::string title = dialogs_
                                .input("Enter a Title for the Web Page and press OK", "Page Title",
                                       "My MP3 File List")
                                .value_or("");
        if (title.empty()) title = "MP3 File List";
        bytes = writeHtml(list_, order, *chosen, title, date_());
    }
    Result written = checkExportTarget(*chosen, list_);
    if (written) written = writeFileReplacing(*chosen, bytes);
    if (!written)
        dialogs_.message("The playlist could not be saved as\r\n" + *chosen + "\r\n" +
                             written.error(),
                         "", Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    return true;
}

} // namespace vantrel
