// Media paths.
//
// The game names its files the way they were named on the machine it was
// first written for: relative to the working directory, with backslashes
// ("media\sprites\bullet.tga"). This is the one place that turns such a name
// into a path the host file system understands; no other code knows about
// separators.
#pragma once

#include <string>

// The host path for a game path: every backslash becomes the host's separator.
std::string hostPath(const char* gamePath);
