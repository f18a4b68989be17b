// torveld-query as a process: its options, its output streams and its exit status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/Error.hpp>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Ran {
    int status = -1;  // the exit status; -1 when the program did not exit by itself
    std::string out, err;
};

// Runs the built program with `args` and collects both streams.
Ran run(const std::vector<std::string>& args) {
    Ran result;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(TORVELD_QUERY_PROGRAM)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(TORVELD_QUERY_PROGRAM, argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && poll(fds, 2, 10000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

int code(CLI::ExitCodes c) {
    return static_cast<int>(c);
}

TEST(Program, AnswersEveryDesignationAndReportsEachOneItCannot) {
    const Ran r = run({"--format", "json", "1/4-20 UNC", "1/4-21 UNC", "M10", "", "M10-6f"});
    EXPECT_EQ(r.status, 2);
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(out[0])["designation"], "1/4-20 UNC");
    EXPECT_EQ(nlohmann::json::parse(out[1])["designation"], "M10");
    const std::vector<std::string> err = lines(r.err);
    ASSERT_EQ(err.size(), 3u);
    EXPECT_EQ(err[0],
              "torveld-query: \"1/4-21 UNC\": UNC has no 1/4-21; 1/4 UNC is 20 threads per inch; "
              "1/4-21 can be computed as a special size in UNS");
    EXPECT_EQ(err[1].rfind("torveld-query: \"\": ", 0), 0u) << err[1];
    EXPECT_EQ(err[2].rfind("torveld-query: \"M10-6f\": ", 0), 0u) << err[2];

    const Ran good = run({"1/4-20 UNC-2A", "M10x1.25-6g", ".6875-24 UNS-2A"});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "");
    EXPECT_EQ(lines(good.out)[0], "1/4-20 UNC-2A");
}

TEST(Program, AnErrorIsOneLineWhateverTheDesignationHolds) {
    const Ran r = run({"1/4\n-20 \"UNC\"\t"});
    EXPECT_EQ(r.status, 2);
    const std::vector<std::string> err = lines(r.err);
    ASSERT_EQ(err.size(), 1u) << r.err;
    EXPECT_EQ(err[0].rfind("torveld-query: \"1/4\\n-20 \\\"UNC\\\"\\t\": ", 0), 0u) << err[0];
}

TEST(Program, UnitsFormatsAndSeries) {
    const Ran mm = run({"--mm", "--format", "csv", "1/4-20 UNC", "M10"});
    EXPECT_EQ(mm.status, 0);
    const std::vector<std::string> rows = lines(mm.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].rfind("input,designation,series,size,sizeIndex,tabulated,unit,", 0), 0u);
    EXPECT_NE(rows[1].find(",mm,6.322,"), std::string::npos) << rows[1];
    // M10's classes follow the columns of 1/4-20 UNC's, which it leaves empty.
    EXPECT_NE(rows[2].find(",mm,,,,,,,,,,,,,9.968,"), std::string::npos) << rows[2];
    const Ran inch = run({"--inch", "--format", "json", "M10"});
    EXPECT_EQ(nlohmann::json::parse(inch.out)["unit"], "inch");

    const Ran series = run({"--series", "un"});
    EXPECT_EQ(series.status, 0);
    EXPECT_EQ(lines(series.out).size(), 238u);  // CSV by default: a header and 237 sizes
    const Ran fine = run({"--series", "ISO FINE", "--format", "json", "--inch"});
    ASSERT_EQ(lines(fine.out).size(), 70u);
    EXPECT_EQ(nlohmann::json::parse(lines(fine.out)[0])["unit"], "inch");

    const Ran unknown = run({"--series", "UNX"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err.rfind("torveld-query: \"UNX\": no series of that name; the series are "
                                "UNC, UNF, ",
                                0),
              0u)
        << unknown.err;
    EXPECT_EQ(lines(unknown.err).size(), 1u);

    const Ran list = run({"--list-series"});
    EXPECT_EQ(list.status, 0);
    ASSERT_EQ(lines(list.out).size(), 26u);
    EXPECT_EQ(lines(list.out)[22], "UNF-STI     20   inch");
}

TEST(Program, HelpVersionAndUsageErrorsAreCli11s) {
    const Ran help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--inch", "--mm", "--format", "--series", "--list-series", "--version", "DESIGNATION"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const Ran version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, TORVELD_VERSION "\n");

    EXPECT_EQ(run({"--inch", "--mm", "M10"}).status, code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--format", "xml", "M10"}).status, code(CLI::ExitCodes::ValidationError));
    EXPECT_EQ(run({"--series", "UNC", "M10"}).status, code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--list-series", "--series", "UNC"}).status,
              code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--bogus"}).status, code(CLI::ExitCodes::ExtrasError));
    const Ran nothing = run({});
    EXPECT_EQ(nothing.status, code(CLI::ExitCodes::RequiredError));
    EXPECT_EQ(nothing.out, "");
    EXPECT_NE(nothing.err.find("DESIGNATION, --series or --list-series"), std::string::npos);
}

// The inspection's options: a measurement over wires, refused with the reason; a thread named
// from measurements; a number that cannot be read; options that need others.
TEST(Program, WiresGaugesAndIdentification) {
    const Ran judged = run(
        {"--format", "json", "--wire", ".0289in", "--reading", "0.2603", "1/4-20 UNC-2A", "M10"});
    EXPECT_EQ(judged.status, 2);
    const std::vector<std::string> out = lines(judged.out);
    ASSERT_EQ(out.size(), 1u);
    const nlohmann::json m = nlohmann::json::parse(out[0])["measurement"];
    EXPECT_EQ(m["verdict"]["2A"]["within"], false);  // 0.2170 over the 2A maximum 0.2164
    // M10 in millimetres: 0.0289 in is 0.734 mm, under the smallest wire for 1.5 mm.
    const std::vector<std::string> err = lines(judged.err);
    ASSERT_EQ(err.size(), 1u);
    EXPECT_EQ(err[0].rfind("torveld-query: \"M10\": a wire of 0.734 mm is smaller than", 0), 0u)
        << err[0];

    const Ran unreadable = run({"--wire", "0,0289", "1/4-20 UNC"});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(lines(unreadable.err).size(), 1u);
    EXPECT_NE(unreadable.err.find("write the decimals after a point"), std::string::npos);

    const Ran named = run({"--identify", "--major", "9.95mm", "--pitch", "1.5", "--format", "csv"});
    EXPECT_EQ(named.status, 0);
    ASSERT_GE(lines(named.out).size(), 2u);
    EXPECT_EQ(lines(named.out)[1].rfind("1,M10,ISO COARSE,M10 - 1.5,true,", 0), 0u);
    const Ran nothing = run({"--identify", "--major", "0.1", "--tpi", "80", "--angle", "29"});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(lines(nothing.err).size(), 1u);

    EXPECT_EQ(run({"--reading", "0.26", "1/4-20 UNC"}).status, code(CLI::ExitCodes::RequiresError));
    EXPECT_EQ(run({"--major", "0.25", "--tpi", "20"}).status, code(CLI::ExitCodes::RequiresError));
    EXPECT_EQ(run({"--identify", "--tpi", "20"}).status, code(CLI::ExitCodes::RequiredError));
    EXPECT_EQ(run({"--identify", "--major", "0.25"}).status, code(CLI::ExitCodes::RequiredError));
    EXPECT_EQ(run({"--identify", "--major", "0.25", "--tpi", "20", "M10"}).status,
              code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--identify", "--major", "1", "--minor", "1", "--tpi", "8"}).status,
              code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--wire", "0.03", "--series", "UNC"}).status,
              code(CLI::ExitCodes::ExcludesError));
}

}  // namespace

// --export writes its file whole into --output, or, when nothing can be written, no file at all
// and status 2; what it leaves out is said on standard error.
TEST(Program, ExportWritesAWholeFileOrNone) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* starts;  // the file's first bytes; nullptr: no file
        const char* said;    // on standard error
    };
    const Case cases[] = {
        {{"--export", "fusion360", "--series", "UNC"}, 0, "<?xml", ""},
        {{"--export", "inventor-csv", "--classes", "4g6g,6H", "M28.5x0.6"}, 0, "Size,", ""},
        {{"--export", "fusion360", "1/2 NPT", "1/4-20 UNC"}, 0, "<?xml", "taper"},
        {{"--export", "fusion360", "--series", "NPT"}, 2, nullptr, "taper"},
        {{"--export", "fusion360", "1/4-20 UNC", "M10"}, 2, nullptr, "one unit"},
        {{"--export", "fusion360", "1/4-21 UNC"}, 2, nullptr, "\"1/4-21 UNC\""},
    };
    const std::string path = std::string(::testing::TempDir()) + "torveld-export.xml";
    for (const Case& c : cases) {
        std::remove(path.c_str());
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--output", path});
        const Ran r = run(args);
        EXPECT_EQ(r.status, c.status) << args[1] << " " << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        EXPECT_EQ(file != nullptr, c.starts != nullptr) << args[1];
        if (file != nullptr) {
            char head[6] = {};
            EXPECT_EQ(std::fread(head, 1, 5, file), 5u);
            EXPECT_EQ(std::string(head).rfind(c.starts, 0), 0u) << head;
            std::fclose(file);
        }
    }
    EXPECT_EQ(run({"--export", "fusion360", "--format", "json", "M10"}).status,
              code(CLI::ExitCodes::ExcludesError));
    EXPECT_EQ(run({"--export", "step", "M10"}).status, code(CLI::ExitCodes::ValidationError));
    EXPECT_EQ(run({"--value", "mean", "M10"}).status, code(CLI::ExitCodes::RequiresError));
}
