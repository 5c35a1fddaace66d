#include "alloc_counter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

// Outside sanitizer builds the malloc family counts too, when called from
// the executable's own code: the GL driver's and X's buffers are not the
// game's. The array forms of new and delete call the plain ones.
#if !defined(__SANITIZE_ADDRESS__)
#define KORVATH_COUNT_MALLOC 1
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
extern char __executable_start;
extern char etext;
}
#else
#define __libc_malloc std::malloc
#endif

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;

#ifdef KORVATH_COUNT_MALLOC
// Counts a malloc-family call made from the program's own code.
void noteFrom(const void* caller)
{
    const char* c = static_cast<const char*>(caller);
    if (c >= &__executable_start && c < &etext)
        allocations += counting;
}
#endif
}  // namespace

long allocationsDuring(const std::function<void()>& work)
{
    allocations = 0;
    counting = true;
    work();
    counting = false;
    return allocations;
}

void* operator new(std::size_t n)
{
    allocations += counting;
    if (void* p = __libc_malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

#ifdef KORVATH_COUNT_MALLOC
extern "C" {
void* malloc(std::size_t n)
{
    noteFrom(__builtin_return_address(0));
    return __libc_malloc(n);
}

void* calloc(std::size_t n, std::size_t size)
{
    noteFrom(__builtin_return_address(0));
    return __libc_calloc(n, size);
}

void* realloc(void* p, std::size_t n)
{
    noteFrom(__builtin_return_address(0));
    return __libc_realloc(p, n);
}
}
#endif
