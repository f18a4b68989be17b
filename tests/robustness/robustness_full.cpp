// The full random event run: a million events and more against the whole system on the
// headless platform, every invariant checked after each event.
//
//   robustness_full [--events N] [--seeds K] [--first-seed S]
//
// The events are shared out over K seeds (S, S+1, ...), each a session of its own. A failure
// prints its seed, the event number and the events that led to it, and the run exits with 1;
// `--first-seed S --seeds 1 --events N` repeats that sequence.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "random_events.h"

namespace {

std::uint64_t argument(int argc, char** argv, std::string_view name, std::uint64_t fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) return std::strtoull(argv[i + 1], nullptr, 10);
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace torveld::robustness;
    const std::uint64_t total = argument(argc, argv, "--events", 1'000'000);
    const std::uint64_t seeds = std::max<std::uint64_t>(1, argument(argc, argv, "--seeds", 4));
    const std::uint64_t firstSeed = argument(argc, argv, "--first-seed", 1);

    const auto start = std::chrono::steady_clock::now();
    ReferenceCache references;
    std::map<std::string, std::uint64_t> reactions;
    std::uint64_t done = 0;
    int sessions = 0;
    for (std::uint64_t k = 0; k < seeds; ++k) {
        const std::uint64_t seed = firstSeed + k;
        const std::uint64_t count = total / seeds + (k < total % seeds ? 1 : 0);
        EventGenerator events(seed);
        SequenceRunner runner(references);
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::string failure = runner.step(events.next());
            if (!failure.empty()) {
                std::cout << "seed " << seed << ", event " << i + 1 << ": " << failure;
                std::cout << "0 passed, 1 failed" << std::endl;
                return 1;
            }
            if (++done % 100'000 == 0) {
                const std::chrono::duration<double> elapsed =
                    std::chrono::steady_clock::now() - start;
                std::cout << done << " events, " << references.size() << " reference states, "
                          << elapsed.count() << " s" << std::endl;
            }
        }
        for (const auto& [reaction, n] : runner.reactions()) reactions[reaction] += n;
        sessions += runner.restarts() + 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << "\nreactions:\n";
    for (const auto& [reaction, n] : reactions) std::cout << "  " << n << "  " << reaction << '\n';
    std::cout << done << " events in " << sessions << " sessions over " << seeds << " seeds, "
              << references.size() << " reference states, " << elapsed.count() << " s\n";
    std::cout << done << " passed, 0 failed" << std::endl;
    return 0;
}
