// The bare read loop the playlist is measured against: on one thread, opens each file a
// playlist names, reads its first 4 KiB and its last 128 bytes, and closes it.
//   read_loop PLAYLIST.m3u   (one bare name or absolute path a line, as tiny_tracks.py writes)
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: read_loop PLAYLIST\n");
        return 2;
    }
    const std::string list = argv[1];
    const std::string folder = list.substr(0, list.rfind('/') + 1);
    std::vector<std::string> paths;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) paths.push_back(line.front() == '/' ? line : folder + line);
    }
    char head[4096], tail[128];
    std::size_t read = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : paths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && ::pread(fd, head, sizeof head, 0) >= 0 &&
            ::pread(fd, tail, sizeof tail, st.st_size > 128 ? st.st_size - 128 : 0) >= 0)
            ++read;
        ::close(fd);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("read loop: %zu files  %.2f s  files/s: %.0f\n", read, seconds,
                double(read) / seconds);
    return read == paths.size() ? 0 : 1;
}
