#include "support/lame_fixture.h"

#include "metadata/id3v1_block.h"
#include "support/id3v2_bytes.h"

#include <cmath>
#include <fstream>
#include <lame/lame.h>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace vantrel::test {

namespace {

using Lame = std::unique_ptr<lame_global_flags, decltype(&lame_close)>;

Lame configure(const SineMp3& shape) {
    Lame lame(lame_init(), &lame_close);
    if (!lame) throw std::runtime_error("lame_init failed");
    lame_set_in_samplerate(lame.get(), shape.sampleRate);
    lame_set_out_samplerate(lame.get(), shape.sampleRate);
    lame_set_num_channels(lame.get(), shape.channels);
    lame_set_mode(lame.get(), shape.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_bWriteVbrTag(lame.get(), shape.infoHeader ? 1 : 0);
    lame_set_quality(lame.get(), 5);
    if (shape.variable) {
        lame_set_VBR(lame.get(), vbr_default);
        lame_set_VBR_q(lame.get(), 2);
    } else {
        lame_set_VBR(lame.get(), vbr_off);
        lame_set_brate(lame.get(), shape.bitRate);
    }
    if (lame_init_params(lame.get()) < 0) throw std::runtime_error("lame_init_params failed");
    return lame;
}

std::vector<std::int16_t> sineSamples(const SineMp3& shape) {
    auto frames = static_cast<std::size_t>(std::llround(shape.seconds * shape.sampleRate));
    std::vector<std::int16_t> pcm(frames * shape.channels);
    for (std::size_t i = 0; i < frames; ++i) {
        double phase =
            2 * std::numbers::pi * shape.frequency * static_cast<double>(i) / shape.sampleRate;
        auto value =
            static_cast<std::int16_t>(std::lround(shape.amplitude * 32767 * std::sin(phase)));
        for (int c = 0; c < shape.channels; ++c)
            pcm[i * shape.channels + c] = value;
    }
    return pcm;
}

} // namespace

EncodedMp3 writeSineMp3(const std::filesystem::path& file, const SineMp3& shape) {
    auto lame = configure(shape);
    std::vector<std::int16_t> pcm = sineSamples(shape);
    int frames = static_cast<int>(pcm.size() / shape.channels);
    std::vector<unsigned char> mp3(static_cast<std::size_t>(1.25 * frames + 7200 + 16384));
    int size = shape.channels == 1
                   ? lame_encode_buffer(lame.get(), pcm.data(), pcm.data(), frames, mp3.data(),
                                        static_cast<int>(mp3.size()))
                   : lame_encode_buffer_interleaved(lame.get(), pcm.data(), frames, mp3.data(),
                                                    static_cast<int>(mp3.size()));
    if (size < 0) throw std::runtime_error("lame encode failed");
    int tail =
        lame_encode_flush(lame.get(), mp3.data() + size, static_cast<int>(mp3.size()) - size);
    if (tail < 0) throw std::runtime_error("lame flush failed");
    mp3.resize(static_cast<std::size_t>(size + tail));
    if (shape.infoHeader) {
        // The header frame LAME reserved at the start is completed only now.
        unsigned char header[2880];
        std::size_t n = lame_get_lametag_frame(lame.get(), header, sizeof header);
        std::copy(header, header + n, mp3.begin());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    // One title frame (25 bytes with the header), then padding up to the size asked for.
    if (shape.id3v2Bytes) out << id3v2Tag(3, {text("TIT2", "Sine")}, shape.id3v2Bytes - 25);
    out.write(reinterpret_cast<const char*>(mp3.data()), static_cast<std::streamsize>(mp3.size()));
    if (shape.id3v1) out << id3v1::compose({"Sine", "", "", "", "", 12});
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return {lame_get_frameNum(lame.get()), frames};
}

} // namespace vantrel::test
