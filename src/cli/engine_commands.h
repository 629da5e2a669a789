#pragma once

#include <array>
#include <string>

#include "cli/cli_commands.h"
#include "platform/mp3_play.h"

namespace vantrel::cli {

// decode FILE OUT.wav: the file decoded into a wave file, as fast as the machine allows.
int runDecode(const Args& args, Streams io);
// play FILE [--tempo N] [--volume L R] [--device N]: plays to the sound server and returns
// when the track has ended.
int runPlay(const Args& args, Streams io);
// devices: one row per output device: position, format mask, name.
int runDevices(const Args& args, Streams io);

// Fields 8, 9 and 10 of a file (play time, sample rate, bit rate) as `prober` measures them;
// empty texts when the file is not playable MPEG audio.
std::array<std::string, 3> streamFields(Mp3Play& prober, const std::string& path);

} // namespace vantrel::cli
