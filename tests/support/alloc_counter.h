// Counts heap allocations made on the calling thread while a piece of code
// runs: every operator new, and every malloc, calloc and realloc called from
// the program's own code (not those the GL driver makes for itself). In
// sanitizer builds only operator new is counted: the sanitizers own malloc.
#pragma once

#include <functional>

long allocationsDuring(const std::function<void()>& work);
