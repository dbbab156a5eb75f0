// The designer's time to a painted window and its peak resident memory for
// sets of 10,000, 50,000 and 100,000 controls made by repeating the controls
// of examples/mill.set over 99 screens, against an empty set (the baseline)
// and mill.set itself in the same run. Each run starts the real designer
// (`tavlora --size 1024x768 FILE`, QT_QPA_PLATFORM=offscreen unless set) in a
// child process with TAVLORA_STARTUP_TIMING=2, which makes it quit after the
// first paint of its design view; the time runs from the fork to the line
// the designer prints then, the peak is the child's ru_maxrss. Prints a table.
//
//   designer_growth_bench [--designer=PATH] [--example=SET] [--runs=N]
//                         [--sizes=10000,50000,100000] [benchmark flags]
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace tavlora;

namespace {

constexpr int kScreens = 99;
constexpr int kTimeoutSeconds = 600;

std::string g_designer = TAVLORA_GROWTH_DESIGNER;
std::string g_example = TAVLORA_GROWTH_EXAMPLE;
std::string g_folder; // the temporary folder of the run
int g_runs = 5;
std::vector<int> g_sizes = {10000, 50000, 100000};
size_t g_exampleControls = 0;

struct Launch {
    bool ok = false;
    double paintedMs = 0; // from the fork to the first paint
    double mainMs = 0;    // from the start of main() to the first paint, as the designer measured it
    double peakMb = 0;
    std::string output;   // what the designer wrote to stderr
};

// Every run of one row of the table.
struct Row {
    std::string name;
    int controls = 0;
    std::vector<Launch> launches;
};
std::vector<Row> g_rows;

bool ReadFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return bool(in) || in.eof();
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

std::string SetPath(int controls)
{
    return g_folder + "/set-" + std::to_string(controls) + ".set";
}

// The example's colours with `controls` copies of its controls, the k-th
// whole copy of the example on screen 1 + k % 99 (the persistent ones too).
bool WriteRepeatedSet(const std::string& example, int controls, const std::string& path)
{
    ScreenSet source, out;
    if (!ScreenSetFile::Read(example.data(), example.size(), source).ok
        || !ScreenSetFile::Read(example.data(), example.size(), out).ok || source.Size() == 0)
        return false;
    out.controls.clear();
    for (int i = 0; i < controls; ++i) {
        const size_t copy = size_t(i) / source.Size();
        auto record = std::make_unique<ControlRecord>(source.At(size_t(i) % source.Size()));
        record->screen = 1 + int(copy % kScreens);
        out.Append(std::move(record));
    }
    const WriteResult w = ScreenSetFile::Write(out);
    return w.ok && WriteFile(path, w.bytes);
}

// Writes the sets in a child process, so that this process stays small: a
// fork's peak memory starts from its parent's.
bool WriteSets()
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::string example;
        if (!ReadFile(g_example, example))
            ::_exit(1);
        bool ok = WriteRepeatedSet(example, 0, SetPath(0)) && WriteFile(g_folder + "/example.set", example);
        for (int n : g_sizes)
            ok = ok && WriteRepeatedSet(example, n, SetPath(n));
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

size_t CountControls(const std::string& path)
{
    std::string bytes;
    ScreenSet set;
    if (!ReadFile(path, bytes) || !ScreenSetFile::Read(bytes.data(), bytes.size(), set).ok)
        return 0;
    return set.Size();
}

// Starts the designer on `set` and waits until it has quit.
Launch RunDesigner(const std::string& set, int index)
{
    Launch r;
    const std::string home = g_folder + "/home-" + std::to_string(index);
    std::filesystem::create_directories(home + "/config");
    std::filesystem::create_directories(home + "/state");
    const std::string runtime = g_folder + "/runtime";
    ::mkdir(runtime.c_str(), 0700);
    const std::string profile = home + "/Tavlora.xml";

    int err[2];
    if (::pipe2(err, O_CLOEXEC) != 0)
        return r;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(err[1], 2);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        if (!std::getenv("QT_QPA_PLATFORM"))
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("TAVLORA_STARTUP_TIMING", "2", 1);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (home + "/state").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::unsetenv("TAVLORA_PROFILE");
        const char* argv[] = {g_designer.c_str(), "--profile", profile.c_str(), "--size", "1024x768", set.c_str(),
                              nullptr};
        ::execv(argv[0], const_cast<char* const*>(argv));
        ::_exit(127);
    }
    ::close(err[1]);
    if (pid < 0) {
        ::close(err[0]);
        return r;
    }

    const std::string mark = "first paint of the design view ";
    bool painted = false;
    char buf[4096];
    for (;;) {
        pollfd p{err[0], POLLIN, 0};
        const auto waited = std::chrono::steady_clock::now() - start;
        const int left = kTimeoutSeconds * 1000
            - int(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
        if (left <= 0 || ::poll(&p, 1, left) <= 0) {
            ::kill(pid, SIGKILL);
            r.output += "\n(no first paint within the time limit)";
            break;
        }
        const ssize_t n = ::read(err[0], buf, sizeof buf);
        if (n <= 0)
            break;
        r.output.append(buf, size_t(n));
        const size_t at = r.output.find(mark);
        if (!painted && at != std::string::npos && r.output.find('\n', at) != std::string::npos) {
            painted = true;
            r.paintedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            r.mainMs = std::atof(r.output.c_str() + at + mark.size());
        }
    }
    ::close(err[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    r.peakMb = double(usage.ru_maxrss) / 1024.0;
    r.ok = painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::filesystem::remove_all(home);
    return r;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int g_launches = 0;

void BM_DesignerToPaintedWindow(benchmark::State& state, Row* row, std::string set)
{
    for (auto _ : state) {
        const Launch r = RunDesigner(set, ++g_launches);
        if (!r.ok) {
            state.SkipWithError(("the designer failed: " + r.output).c_str());
            return;
        }
        state.SetIterationTime(r.paintedMs / 1000.0);
        row->launches.push_back(r);
    }
    std::vector<double> peaks;
    for (const Launch& l : row->launches)
        peaks.push_back(l.peakMb);
    state.counters["controls"] = row->controls;
    state.counters["peak_rss_MB"] = Median(peaks);
}

void PrintTable()
{
    const Row& base = g_rows.front();
    auto median = [](const Row& row, double Launch::*field) {
        std::vector<double> v;
        for (const Launch& l : row.launches)
            v.push_back(l.*field);
        return Median(v);
    };
    const double baseMs = median(base, &Launch::paintedMs);
    const double baseMb = median(base, &Launch::peakMb);
    std::printf("\nThe designer opening a set until its first painted window (%s, median of %d runs);\n"
                "baseline: the empty set. Sets: the %zu controls of %s repeated over %d screens.\n",
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", g_runs,
                g_exampleControls, std::filesystem::path(g_example).filename().c_str(), kScreens);
    std::printf("%-16s %9s %8s %9s %9s %8s %16s\n", "set", "controls", "ms", "x base", "peak MB", "x base",
                "KiB/control");
    for (const Row& row : g_rows) {
        if (row.launches.empty())
            continue;
        const double ms = median(row, &Launch::paintedMs);
        const double mb = median(row, &Launch::peakMb);
        char perControl[32] = "-";
        if (row.controls > 0)
            std::snprintf(perControl, sizeof perControl, "%.2f", (mb - baseMb) * 1024.0 / row.controls);
        std::printf("%-16s %9d %8.0f %9.2f %9.1f %8.2f %16s\n", row.name.c_str(), row.controls, ms,
                    baseMs > 0 ? ms / baseMs : 0, mb, baseMb > 0 ? mb / baseMb : 0, perControl);
    }
    std::printf("(ms: fork to the first paint of the design view; KiB/control: peak beyond the baseline "
                "per control)\n");
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--designer=", 0) == 0) {
            g_designer = a.substr(11);
        } else if (a.rfind("--example=", 0) == 0) {
            g_example = a.substr(10);
        } else if (a.rfind("--runs=", 0) == 0) {
            g_runs = std::max(1, std::atoi(a.c_str() + 7));
        } else if (a.rfind("--sizes=", 0) == 0) {
            g_sizes.clear();
            std::stringstream list(a.substr(8));
            for (std::string item; std::getline(list, item, ',');)
                if (std::atoi(item.c_str()) > 0)
                    g_sizes.push_back(std::atoi(item.c_str()));
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 1;

    char pattern[] = "/tmp/tavlora-growth-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    g_folder = pattern;
    if (::access(g_designer.c_str(), X_OK) != 0 || !WriteSets()) {
        std::fprintf(stderr, "cannot start %s or make the sets from %s\n", g_designer.c_str(), g_example.c_str());
        std::filesystem::remove_all(g_folder);
        return 1;
    }
    g_exampleControls = CountControls(g_folder + "/example.set");

    g_rows.push_back({"empty set", 0, {}});
    g_rows.push_back({std::filesystem::path(g_example).filename().string(), int(g_exampleControls), {}});
    for (int n : g_sizes)
        g_rows.push_back({"repeated", n, {}});
    for (size_t i = 0; i < g_rows.size(); ++i) {
        Row* row = &g_rows[i];
        const std::string set = i == 1 ? g_folder + "/example.set" : SetPath(row->controls);
        benchmark::RegisterBenchmark(("BM_DesignerToPaintedWindow/" + std::to_string(row->controls)).c_str(),
                                     BM_DesignerToPaintedWindow, row, set)
            ->UseManualTime()->Iterations(g_runs)->Unit(benchmark::kMillisecond);
    }

    // One start first, untimed: the libraries and fonts come into the page cache.
    const Launch warm = RunDesigner(SetPath(0), 0);
    if (!warm.ok) {
        std::fprintf(stderr, "the designer did not paint its window: %s\n", warm.output.c_str());
        std::filesystem::remove_all(g_folder);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(g_folder);
    if (g_rows.front().launches.empty())
        return 1;
    PrintTable();
    return 0;
}
