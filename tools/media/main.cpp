#include <cstdio>
#include <filesystem>
#include <string>

#include <QGuiApplication>

#include "MediaFiles.h"
#include "base/AtomicFile.h"

// zel-media ROOT: draws the front end's pictures and the slide-show script
// into ROOT/gamedata/. Runs at build time, without a display.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zel-media ROOT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path root(argv[1]);
    for (const zel::media::MediaFile& file : zel::media::MakeMediaFiles()) {
        const std::filesystem::path path = root / file.Path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        int err = 0;
        if (!zel::ReplaceFileAtomically(path.string(), file.Bytes, err)) {
            std::fprintf(stderr, "zel-media: cannot write %s: %s\n", path.string().c_str(),
                         zel::SystemErrorText(err).c_str());
            return 1;
        }
    }
    return 0;
}
