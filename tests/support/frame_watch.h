// SDL's swap, watched: each frame handed over whole is counted, and may be
// looked at before it goes.
#pragma once

extern int framesSwapped;
// Called with the frame still in the back buffer, when set.
extern void (*beforeSwap)();
