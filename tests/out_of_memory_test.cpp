// Memory that runs out anywhere in a run: the test binary's allocator fails
// from a chosen allocation on, and every run must end with the message and
// status 1, never abort, and keep what it had written.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <streambuf>
#include <string>

#include "cases.hpp"
#include "driver/run.hpp"
#include "text/cp1251.hpp"

namespace {

// Armed only around one run, on the thread that runs it.
thread_local bool armed = false;
thread_local long allocations = 0;
thread_local long failFrom = -1;  // -1: never

}  // namespace

// The replacements pair malloc with free, which GCC cannot see through.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

void* allocate(std::size_t size) {
    if (armed && failFrom >= 0 && allocations++ >= failFrom) throw std::bad_alloc();
    if (armed && failFrom < 0) ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

// Every form is replaced, so that what one form allocates another may free.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// A console that needs no memory of its own.
struct FixedConsole : std::streambuf {
    char text[1 << 16];
    FixedConsole() { setp(text, text + sizeof text); }
    std::string written() const { return std::string(pbase(), pptr()); }
};

struct Armed {
    int status;
    std::string console;
};

Armed runFailingFrom(const std::filesystem::path& dir, long from, long* counted = nullptr,
                     std::vector<std::string> args = {"book.src", "copy.txt"}) {
    FixedConsole buffer;
    std::ostream console(&buffer);
    allocations = 0;
    failFrom = from;
    armed = true;
    int status = run(args, dir, console);
    armed = false;
    if (counted != nullptr) *counted = allocations;
    return {status, buffer.written()};
}

TEST(OutOfMemory, EveryFailingAllocationEndsTheRunWithTheMessage) {
    const std::string source(cp1251("#!\n0/1 3/4\n0/2 3/5\n#/3\n! ОЛ-3\nабазинский язык -- 4*, 5; см. тж. X\n"
                                    "падеж -- 5\nабазинский язык -- 4\n"));
    TempDir complete("oom-complete");
    writeFile(complete.path / "book.src", source);
    long total = 0;
    ASSERT_EQ(runFailingFrom(complete.path, -1, &total).status, 0);
    const auto whole = filesIn(complete.path);
    ASSERT_GT(total, 50);

    const std::string message(cp1251("\nОШИБКА распределения памяти\n"));
    for (long from = 0; from < total; from += 1 + total / 150) {
        TempDir dir("oom-" + std::to_string(from));
        writeFile(dir.path / "book.src", source);
        Armed r = runFailingFrom(dir.path, from);
        EXPECT_EQ(r.status, 1) << from;
        EXPECT_TRUE(r.console.ends_with(message)) << from << ": " << r.console;
        // Each file the run made holds the start of what a complete run writes.
        for (const auto& [name, bytes] : filesIn(dir.path)) {
            ASSERT_TRUE(whole.contains(name)) << from << ": " << name;
            EXPECT_TRUE(whole.at(name).starts_with(bytes)) << from << ": " << name;
        }
    }
}

// A check and a quiet run show the findings instead of the stages' output:
// memory running out must still be said, and no finding left without its text.
TEST(OutOfMemory, ACheckOrAQuietRunSaysSoAndLeavesNoEmptyFinding) {
    const std::string source(cp1251("#!\n0/1 3/4\n0/2 3/5\n#/3\n! ОЛ-3\nабазинский язык -- 4*, 5; см. тж. X\n"
                                    "падеж -- 5, 9\nабазинский язык -- 4\n"));
    const std::string message(cp1251("\nОШИБКА распределения памяти\n"));
    for (std::vector<std::string> args : {std::vector<std::string>{"--check", "book.src"},
                                          std::vector<std::string>{"-q", "book.src", "copy.txt"}}) {
        TempDir dir("oom-" + args[0]);
        writeFile(dir.path / "book.src", source);
        long total = 0;
        const Armed complete = runFailingFrom(dir.path, -1, &total, args);
        for (long from = 0; from < total; from += 1 + total / 100) {
            Armed r = runFailingFrom(dir.path, from, nullptr, args);
            EXPECT_EQ(r.console.find(cp1251(": ошибка: \n").view()), std::string::npos) << args[0] << " " << from;
            // An allocation that may fail (a sort's buffer) leaves the run as it was.
            if (r.console.find(message) == std::string::npos) {
                EXPECT_EQ(r.status, complete.status) << args[0] << " " << from;
                EXPECT_EQ(r.console, complete.console) << args[0] << " " << from;
                continue;
            }
            EXPECT_EQ(r.status, 1) << args[0] << " " << from;
            EXPECT_EQ(r.console.find(cp1251("ошибок 0").view()), std::string::npos) << args[0] << " " << from;
        }
    }
}

}  // namespace
