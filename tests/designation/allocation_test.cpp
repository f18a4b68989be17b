// Reading a designation that resolves allocates nothing: the find box reads one on every key.
// Counts the allocations of this test program through the replaceable global operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "designation.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Every form the program may call, so that no block is allocated by one allocator and freed
// by another (the sanitizer build checks).
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace torveld::designation {
namespace {

TEST(Allocation, AResolvedDesignationAllocatesNothing) {
    const char* const kInputs[] = {
        "1/4-20 UNC-2A/2B-LH",
        "10-32",
        "M10x1.25-6H/6g",
        "1 1/4-5 ACME-3G",
        ".6875-24 UNS-2A",
        "M42x1-6g",
        "1/8-27 NPTF-1",
        "1/4-20 UNC-STI-3B",
        "7/8-9 UNJC-3A",
        "2 BA",
        "0.30 UNM",
        "3/4-10 ACME-2G",
        // Read with notes: a graded size written UN or UNJ, the rounded root.
        "4-4 UN",
        "1-8 UNJ",
        "1/4-20 UNR-2A",
        "11/16-24 UNRS-2A",
        // The British pipe and trapezoidal threads, a standard before, a trade name after.
        "G 1 1/4 A-LH",
        "Rc 1/2",
        "EN 10226-1 Rp 3/4",
        "1/2 BSPT",
        "Tr20",
        "Tr20x4-7H/7e",
        "Tr21x4-8c",
        "Tr40x14(P7)-7e-LH",
    };
    read("1/4-20 UNC");  // the size index is built once, on the first reading
    for (const char* input : kInputs) {
        const long before = allocations.load();
        const Result r = read(input);
        const long after = allocations.load();
        ASSERT_TRUE(r.ok()) << input;
        EXPECT_EQ(after - before, 0) << input;
    }
    // An error may allocate its message: the counter does see allocations.
    const long before = allocations.load();
    EXPECT_FALSE(read("1/4-21 UNC").ok());
    EXPECT_GT(allocations.load(), before);
}

}  // namespace
}  // namespace torveld::designation
