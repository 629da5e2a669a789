#include "looks/looks.h"

#include "base/ascii_text.h"
#include "settings/ini_values.h"
#include "settings/next_start_notice.h"

#include <filesystem>

namespace vantrel {

void Looks::apply(LooksTarget& target) const {
    target.setEdge(edgeCol(), settings_.edgeHide);
    target.setFrames(frameCol());
    // An empty name names the folder, which is no picture; a picture that fails is skipped
    // without a message.
    const std::string& name = settings_.backImg;
    std::error_code error;
    if (name != "na" && !name.empty() &&
        std::filesystem::is_regular_file(backFolder() + name, error) &&
        target.loadPicture(backFolder() + name))
        target.showPicture(true);
    if (settings_.onTop) target.setTopmost(true);
}

Looks::Options Looks::openOptions() {
    Options o;
    o.edge = edgeCol();
    o.frame = frameCol();
    // Values other than "1" and "0" leave the box as designed (clear).
    o.onTop = LooksSettings::kOnTop.flag(ini_);
    const std::string image = LooksSettings::kBackImg.text(ini_);
    o.noImage = image == "na";
    o.imageName = o.noImage ? "" : image;
    const int round = LooksSettings::kRound.number(ini_);
    if (round == 1 || round == 0) {
        o.round = round == 1;
        if (useRound_ != o.round) {
            useRound_ = o.round;
            useRoundChanged(useRound_);
        }
    }
    o.noEdge = settings_.edgeHide;
    return o;
}

void Looks::pickEdge(Options& options) {
    if (auto chosen = dialogs_.pickColour(options.edge)) options.edge = *chosen;
}

void Looks::pickFrame(Options& options) {
    if (auto chosen = dialogs_.pickColour(options.frame)) options.frame = *chosen;
}

void Looks::browse(Options& options) {
    Dialogs::FileRequest request;
    request.filter = "GIF Images(*.gif)|*.gif|JPEG Images (*.jpg)|*.jpg|Bitmaps (*.bmp;*.dib)|"
                     "*.bmp;*.dib|Metafile (*.wmf;*.emf)|*.wmf;*.emf";
    request.folder = shareFolder_ + "Back";
    // Only the name is kept: OK looks for it inside Back/, wherever it was chosen.
    if (auto chosen = dialogs_.openFile(request))
        options.imageName = std::filesystem::path(*chosen).filename().string();
}

void Looks::ok(const Options& o, LooksTarget& target) {
    // A failed write is not reported: the dialog has no message for it. The keys go to the file
    // together, in one replace.
    IniStore::Batch batch = ini_.beginBatch();
    bool pictureFailed = false;
    if (o.noImage) {
        target.showPicture(false);
        settings_.backImg = "na";
        LooksSettings::kBackImg.put(ini_, "na");
    } else {
        const std::string name(trimmed(o.imageName));
        pictureFailed = !target.loadPicture(backFolder() + o.imageName);
        if (!pictureFailed) {
            target.showPicture(true);
            settings_.backImg = name;
            LooksSettings::kBackImg.put(ini_, name);
        }
    }
    LooksSettings::kRound.putFlag(ini_, o.round);
    target.setTopmost(o.onTop);
    settings_.onTop = o.onTop;
    LooksSettings::kOnTop.putFlag(ini_, o.onTop);
    settings_.edgeColour = o.edge;
    settings_.edgeHide = o.noEdge;
    target.setEdge(o.edge, o.noEdge);
    LooksSettings::kEdgeColour.put(ini_, writeColour(o.edge));
    LooksSettings::kEdgeHide.putFlag(ini_, o.noEdge);
    settings_.frameColour = o.frame;
    target.setFrames(o.frame);
    LooksSettings::kFrameColour.put(ini_, writeColour(o.frame));
    // The boxes come after the write: a close while one shows must not wait on them.
    static_cast<void>(batch.commit());
    if (pictureFailed)
        dialogs_.message("The picture \"" + o.imageName +
                             "\" could not be loaded; the background stays as it was.",
                         "", Dialogs::Buttons::Ok, Dialogs::Icon::Information);
    if (o.round && !useRound_) tellNextStart(dialogs_, "Round Forms");
    if (!o.round && useRound_) tellNextStart(dialogs_, "Square Forms");
}

} // namespace vantrel
