// Counts the heap allocations the program's own code makes on this thread
// while `work` runs (in sanitizer builds, operator new only).
#pragma once

#include <functional>

long allocationsDuring(const std::function<void()>& work);
