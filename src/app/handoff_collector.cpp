#include "app/handoff_collector.h"

#include "base/ascii_text.h"
#include "playlist/playlist_reader.h"

#include <exception>
#include <string_view>
#include <system_error>

namespace vantrel {

HandOffCollector::HandOffCollector(HandOffFile file, CollectTarget& target, Timer& tmrCollect)
    : file_(std::move(file)), target_(target), tmrCollect_(tmrCollect) {
    tmrCollect_.setEnabled(false);
    tmrCollect_.setInterval(kCollectDelay);
    tmrCollect_.onTick([this] {
        tmrCollect_.setEnabled(false);
        collect();
    });
}

void HandOffCollector::arm() {
    tmrCollect_.setEnabled(true);
}

void HandOffCollector::collect() {
    auto taken = file_.take();
    if (!taken) return;
    std::vector<std::string> tracks;
    for (const auto& line : taken->lines)
        for (const auto& argument : lineArguments(line))
            if (std::string track = trackOf(argument); !track.empty())
                tracks.push_back(std::move(track));
    target_.readAhead(std::move(tracks));
    for (const auto& line : taken->lines) {
        for (const auto& argument : lineArguments(line)) {
            try {
                infile(argument);
            } catch (const std::exception&) {
                // A failing argument is abandoned alone; the others still count.
            }
            target_.afterArgument();
        }
    }
    target_.readAhead({});
    std::error_code ignored;
    for (const auto& privateFile : taken->privateFiles)
        std::filesystem::remove(privateFile, ignored);
    actOnRequests();
}

// Only a switch in its exact letter case acts as one; a switch in another case is part of the
// text, which then names a file that is not there. A playlist given as a playlist is not also
// offered to the list as a track, and the switch's path alone is the file, never the whole
// text, which on this system would be another absolute path.
void HandOffCollector::infile(const HandOffArgument& filIn) {
    const std::string& word = filIn.switchWord;
    if (word == "/new" || word == "/Que") {
        playOnCollect_ = editOnCollect_ = false;
        const auto playlist = std::string(trimmed(filIn.path));
        if (!playlist.empty()) target_.openPList(playlist);
        return;
    }
    std::string fileName;
    if (word == "/Play" || word == "/Open" || word == "/Tag") {
        playOnCollect_ = word == "/Play";
        editOnCollect_ = word == "/Tag";
        fileName = std::string(trimmed(filIn.path));
    } else {
        playOnCollect_ = editOnCollect_ = false;
        const auto text = filIn.text();
        if (namesPlaylist(text)) {
            target_.openPList(std::string(trimmed(text)));
            return;
        }
        fileName = std::string(trimmed(text));
    }
    // A name that names nothing is passed over without a word.
    if (!fileName.empty() && target_.fileExists(fileName)) target_.GetListTag(fileName);
}

std::string HandOffCollector::trackOf(const HandOffArgument& filIn) {
    const std::string& word = filIn.switchWord;
    if (word == "/new" || word == "/Que") return {};
    if (word == "/Play" || word == "/Open" || word == "/Tag")
        return std::string(trimmed(filIn.path));
    const auto text = filIn.text();
    return namesPlaylist(text) ? std::string() : std::string(trimmed(text));
}

void HandOffCollector::actOnRequests() {
    try {
        // With an empty list there is nothing to play or edit.
        if (target_.rowCount() == 0) return;
        if (playOnCollect_) {
            target_.selectRow(1);
            target_.setFileIn(target_.rowKey(1));
            target_.pressPlay();
        } else if (editOnCollect_) {
            target_.selectAllRows();
            target_.editSelected();
        }
    } catch (const std::exception&) {
        // As at start-up, a failing request is dropped silently.
    }
}

} // namespace vantrel
