// ---------------------------------------------------------------------------
// What a frame of glut-alap costs, side by side with the floor (a GLUT
// program that only clears and swaps) and glxgears, measured from outside:
// a preloaded probe notes each buffer swap's time and CPU time.
//
//   bench PROGRAM FLOOR PROBE OUTPUT_DIR [RUNS] [SECONDS]
//
// Cases run interleaved (A B C ... A B C ...) so that drift of the machine
// falls on all of them alike; each figure is the median over the runs.
// ---------------------------------------------------------------------------
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Case {
    std::string name;
    std::string floorName; // the floor case it is compared with ("" for a floor)
    std::vector<std::string> command;
    double setDelayMs; // 0: free-running
    int fasterPresses; // F2 presses once the window is up
};

struct Frame {
    long long wallNs;
    long long cpuNs;
};

struct RunResult {
    double cpuPerFrameMs = 0;
    double meanPeriodMs = 0;
    double medianPeriodMs = 0;
    double firstFrameMs = 0;
    double peakRssMb = 0;
    std::vector<Frame> frames;
    long long startNs = 0;
};

long long monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<Frame> readFrames(const std::string& path)
{
    std::vector<Frame> frames;
    std::ifstream in(path);
    Frame frame{};
    while (in >> frame.wallNs >> frame.cpuNs) {
        frames.push_back(frame);
    }
    return frames;
}

void pressFaster(int presses)
{
    const std::string find = "timeout 10 xdotool search --sync --onlyvisible --name '^GLUT Alap$' | head -n 1";
    FILE* pipe = popen(find.c_str(), "r");
    char id[64] = {};
    if (pipe == nullptr || std::fgets(id, sizeof id, pipe) == nullptr) {
        std::cerr << "bench: the window did not appear\n";
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    const std::string window = std::string(id).substr(0, std::string(id).find('\n'));
    std::string keys = "xdotool mousemove --window " + window + " 150 150 key --delay 10";
    for (int i = 0; i < presses; ++i) {
        keys += " F2";
    }
    if (std::system(keys.c_str()) != 0) {
        std::cerr << "bench: xdotool failed\n";
    }
}

RunResult runOnce(const Case& c, const std::string& probe, const std::string& framesPath, double seconds)
{
    RunResult result;
    std::remove(framesPath.c_str());
    result.startNs = monotonicNs();
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("LD_PRELOAD", probe.c_str(), 1);
        setenv("BENCH_FRAMES_OUT", framesPath.c_str(), 1);
        if (freopen("/dev/null", "w", stdout) == nullptr) {
            _exit(126);
        }
        std::vector<char*> argv;
        for (const std::string& word : c.command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (c.fasterPresses > 0) {
        pressFaster(c.fasterPresses);
    }
    std::this_thread::sleep_until(end);
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;

    result.frames = readFrames(framesPath);
    if (result.frames.size() < 3) {
        std::cerr << "bench: " << c.name << " drew only " << result.frames.size() << " frames\n";
        return result;
    }
    result.firstFrameMs = static_cast<double>(result.frames.front().wallNs - result.startNs) / 1e6;
    // Steady state: the last two thirds of the run, well after start-up and key presses.
    const long long steadyFrom = result.startNs + static_cast<long long>(seconds / 3 * 1e9);
    std::vector<Frame> steady;
    for (const Frame& frame : result.frames) {
        if (frame.wallNs >= steadyFrom) {
            steady.push_back(frame);
        }
    }
    if (steady.size() < 3) {
        return result;
    }
    std::vector<double> periods;
    for (std::size_t i = 1; i < steady.size(); ++i) {
        periods.push_back(static_cast<double>(steady[i].wallNs - steady[i - 1].wallNs) / 1e6);
    }
    const double frameCount = static_cast<double>(steady.size() - 1);
    result.cpuPerFrameMs = static_cast<double>(steady.back().cpuNs - steady.front().cpuNs) / 1e6 / frameCount;
    result.meanPeriodMs = static_cast<double>(steady.back().wallNs - steady.front().wallNs) / 1e6 / frameCount;
    result.medianPeriodMs = median(periods);
    return result;
}

struct Summary {
    double cpuPerFrameMs;
    double meanPeriodMs;
    double medianPeriodMs;
    double firstFrameMs;
    double peakRssMb;
};

Summary summarise(const std::vector<RunResult>& runs)
{
    auto med = [&](double RunResult::*field) {
        std::vector<double> values;
        for (const RunResult& run : runs) {
            values.push_back(run.*field);
        }
        return median(values);
    };
    return Summary{med(&RunResult::cpuPerFrameMs), med(&RunResult::meanPeriodMs), med(&RunResult::medianPeriodMs),
                   med(&RunResult::firstFrameMs), med(&RunResult::peakRssMb)};
}

std::string fixed(double value, int decimals)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

std::string ratio(double value, double floorValue) { return floorValue > 0 ? fixed(value / floorValue, 2) + "x" : "-"; }

void writeFrameData(const std::string& path, const RunResult& run)
{
    std::ofstream out(path);
    for (std::size_t i = 1; i < run.frames.size(); ++i) {
        out << fixed(static_cast<double>(run.frames[i].wallNs - run.startNs) / 1e9, 4) << " "
            << fixed(static_cast<double>(run.frames[i].wallNs - run.frames[i - 1].wallNs) / 1e6, 3) << "\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::cerr << "usage: bench PROGRAM FLOOR PROBE OUTPUT_DIR [RUNS] [SECONDS]\n";
        return 2;
    }
    const std::string program = argv[1];
    const std::string floorProgram = argv[2];
    const std::string probe = argv[3];
    const std::string outDir = argv[4];
    const int runs = argc > 5 ? std::atoi(argv[5]) : 3;
    const double seconds = argc > 6 ? std::atof(argv[6]) : 3.0;

    const std::vector<Case> cases = {
        {"floor 50 ms", "", {floorProgram, "50"}, 50, 0},
        {"glut-alap 50 ms", "floor 50 ms", {program}, 50, 0},
        {"floor 5 ms", "", {floorProgram, "5"}, 5, 0},
        {"glut-alap 5 ms", "floor 5 ms", {program}, 5, 9},
        {"floor 1920x1080", "", {floorProgram, "-geometry", "1920x1080", "50"}, 50, 0},
        {"glut-alap 1920x1080", "floor 1920x1080", {program, "-geometry", "1920x1080"}, 50, 0},
        {"glxgears", "floor 50 ms", {"glxgears", "-geometry", "300x300"}, 0, 0},
    };

    std::map<std::string, std::vector<RunResult>> results;
    for (int run = 1; run <= runs; ++run) {
        for (const Case& c : cases) {
            std::cerr << "bench: run " << run << "/" << runs << ": " << c.name << "\n";
            results[c.name].push_back(runOnce(c, probe, outDir + "/frames.tmp", seconds));
        }
    }
    std::remove((outDir + "/frames.tmp").c_str());

    std::map<std::string, Summary> summary;
    for (const Case& c : cases) {
        summary[c.name] = summarise(results[c.name]);
    }

    std::ofstream csv(outDir + "/results.csv");
    std::ofstream md(outDir + "/results.md");
    csv << "case,set_delay_ms,cpu_per_frame_ms,cpu_ratio,mean_period_ms,median_period_ms,first_frame_ms,"
           "first_frame_ratio,peak_rss_mb,rss_ratio\n";
    md << "| case | set delay | CPU per frame | vs floor | period mean / median | first frame | vs floor | peak RSS "
          "| vs floor |\n|---|---|---|---|---|---|---|---|---|\n";
    std::cout << std::left << std::setw(22) << "case" << std::setw(10) << "delay" << std::setw(18) << "CPU/frame"
              << std::setw(22) << "period mean/median" << std::setw(20) << "first frame"
              << "peak RSS\n";
    for (const Case& c : cases) {
        const Summary& s = summary[c.name];
        const Summary floorSummary = c.floorName.empty() ? Summary{} : summary[c.floorName];
        const std::string delay = c.setDelayMs > 0 ? fixed(c.setDelayMs, 0) + " ms" : "none";
        std::cout << std::setw(22) << c.name << std::setw(10) << delay << std::setw(18)
                  << (fixed(s.cpuPerFrameMs, 3) + " ms " + ratio(s.cpuPerFrameMs, floorSummary.cpuPerFrameMs))
                  << std::setw(22) << (fixed(s.meanPeriodMs, 2) + " / " + fixed(s.medianPeriodMs, 2) + " ms")
                  << std::setw(20)
                  << (fixed(s.firstFrameMs, 0) + " ms " + ratio(s.firstFrameMs, floorSummary.firstFrameMs))
                  << fixed(s.peakRssMb, 1) << " MB " << ratio(s.peakRssMb, floorSummary.peakRssMb) << "\n";
        csv << c.name << "," << c.setDelayMs << "," << fixed(s.cpuPerFrameMs, 4) << ","
            << ratio(s.cpuPerFrameMs, floorSummary.cpuPerFrameMs) << "," << fixed(s.meanPeriodMs, 3) << ","
            << fixed(s.medianPeriodMs, 3) << "," << fixed(s.firstFrameMs, 1) << ","
            << ratio(s.firstFrameMs, floorSummary.firstFrameMs) << "," << fixed(s.peakRssMb, 2) << ","
            << ratio(s.peakRssMb, floorSummary.peakRssMb) << "\n";
        md << "| " << c.name << " | " << delay << " | " << fixed(s.cpuPerFrameMs, 3) << " ms | "
           << ratio(s.cpuPerFrameMs, floorSummary.cpuPerFrameMs) << " | " << fixed(s.meanPeriodMs, 2) << " / "
           << fixed(s.medianPeriodMs, 2) << " ms | " << fixed(s.firstFrameMs, 0) << " ms | "
           << ratio(s.firstFrameMs, floorSummary.firstFrameMs) << " | " << fixed(s.peakRssMb, 1) << " MB | "
           << ratio(s.peakRssMb, floorSummary.peakRssMb) << " |\n";
    }

    // Frame periods of the last run, for the chart.
    for (const char* name : {"glut-alap 50 ms", "floor 50 ms", "glut-alap 5 ms", "floor 5 ms"}) {
        std::string file = name;
        std::replace(file.begin(), file.end(), ' ', '-');
        writeFrameData(outDir + "/periods-" + file + ".dat", results[name].back());
    }
    std::cout << "\nWritten: " << outDir << "/results.md, results.csv, periods-*.dat\n";
    return 0;
}
