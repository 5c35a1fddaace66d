#include "media_path.h"

std::string hostPath(const char* gamePath)
{
    std::string path(gamePath ? gamePath : "");
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}
