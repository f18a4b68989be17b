// torveld-headless: the system on the in-memory platform, driven by commands on standard input.
#include <iostream>

#include "script_driver.h"

int main() {
    std::ios::sync_with_stdio(false);
    torveld::driver::ScriptDriver(std::cout, std::cerr).run(std::cin);
    return 0;
}
