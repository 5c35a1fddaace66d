// korvath_media: writes the game's media into a run directory.
//
//   korvath_media RUN_DIR                      every picture and sound, and
//                                              the score file if missing
//   korvath_media --scores RUN_DIR             only the score file, if missing
//   korvath_media --contact-sheet RUN_DIR PNG  the contact sheet of RUN_DIR's
//                                              pictures
//   korvath_media --icons DIR                  the desktop icon in each size,
//                                              as DIR/<n>x<n>/apps/korvath.png
//
// Exit status 0 on success; on failure a message on stderr and status 1.
#include "catalogue.h"
#include "contact_sheet.h"
#include "icon_art.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// The icon theme's layout: one folder per size.
void writeIcons(const std::string& dir)
{
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        writePng(dir + "/" + side + "x" + side + "/apps/korvath.png", makeIcon(size));
    }
}

int usage()
{
    std::fprintf(stderr, "usage: korvath_media RUN_DIR | --scores RUN_DIR | --contact-sheet RUN_DIR PNG | --icons DIR\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        std::string first = argc > 1 ? argv[1] : "";
        if (argc == 2 && first[0] != '-')
            writeAllMedia(first);
        else if (argc == 3 && first == "--scores")
            ensureScoreFile(argv[2]);
        else if (argc == 3 && first == "--icons")
            writeIcons(argv[2]);
        else if (argc == 4 && first == "--contact-sheet")
            writeContactSheet(argv[2], argv[3]);
        else
            return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvath_media: %s\n", e.what());
        return 1;
    }
    return 0;
}
