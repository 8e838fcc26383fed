// Runs the renderer's own bitmap loader on a file, without any window:
//   dibprobe.exe INPUT OUTPUT.ppm
// Writes the decoded picture as a binary PPM (P6, top row first) and exits 0,
// or prints the message the renderer would show and exits 1. A file the
// renderer passes over silently (missing, unreadable) also exits 1.
#include "file_access.h"
#include "image.h"

#include <cstdio>
#include <fstream>

namespace {

constexpr int kUsageExitCode = 2;
constexpr int kNotLoadedExitCode = 1;

bool WritePpm(const char* path, const ImageRecord& image)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    const auto rowBytes = static_cast<std::size_t>(image.width) * 3;
    // The record's rows are bottom-up; the PPM's are top-down.
    for (auto row = static_cast<std::size_t>(image.height); row-- > 0;)
        out.write(reinterpret_cast<const char*>(image.pixels.data() + row * rowBytes),
                  static_cast<std::streamsize>(rowBytes));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: dibprobe INPUT OUTPUT.ppm\n", stderr);
        return kUsageExitCode;
    }
    if (!CanOpenForReading(argv[1])) {
        std::fprintf(stderr, "%s cannot be opened for reading; the renderer passes it over silently\n", argv[1]);
        return kNotLoadedExitCode;
    }
    const DibDecoding decoding = DecodeDibFile(argv[1]);
    if (!decoding.image) {
        std::fputs(decoding.message.c_str(), stdout);
        return kNotLoadedExitCode;
    }
    if (!WritePpm(argv[2], *decoding.image)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return kNotLoadedExitCode;
    }
    return 0;
}
