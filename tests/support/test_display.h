// Display set-up for tests that draw or make textures.
#pragma once

// Opens the game's display (once per process) and makes sure every later
// call finds it up. Tests that touch GL or fonts call this in their set-up.
void ensureDisplay();
