// The trace file written by several threads at once, and as the second turns.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "recording_sink.hpp"
#include "trace_batch.hpp"
#include "vyt/trace.hpp"

namespace vyt {
namespace {

TEST(TraceFile, DumpsAndLinesOfThreadsWritingAtOnceStayWhole) {
    const std::string path = testing::TempDir() + "vyt_trace_threads.trc";
    trace::close();  // whatever file the test process opened when it started
    trace::open(path.c_str());
    trace::enable();
    constexpr int kThreads = 4, kDumps = 200, kBytes = 200;  // 13 rows per dump
    std::vector<std::vector<unsigned char>> data(kThreads, std::vector<unsigned char>(kBytes));
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) {
        std::fill(data[k].begin(), data[k].end(), static_cast<unsigned char>('A' + k));
        threads.emplace_back([&, k] {
            FileTracer t;
            for (int i = 0; i < kDumps; ++i) {
                PrintDump(t, data[k].data(), 0, kBytes);
                tracef(t, "thread %c line %d\n", 'A' + k, i);
                trace::Batch b;  // lines gathered and written at once, as the JNI adapter does
                tracef(t, "batch %c %d first\n", 'A' + k, i);
                tracef(t, "batch %c %d second\n", 'A' + k, i);
            }
        });
    }
    for (std::thread& th : threads) th.join();
    trace::close();

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::remove(path.c_str());

    // Which thread a dump belongs to: the address in its entry line.
    std::map<std::string, char> owner;
    for (int k = 0; k < kThreads; ++k) {
        char p[32];
        std::snprintf(p, sizeof p, "ptr<@%p>", static_cast<const void*>(data[k].data()));
        owner[p] = static_cast<char>('A' + k);
    }
    std::map<char, int> dumps, batches;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty()) continue;  // the blank line a leading "\n" makes
        ASSERT_EQ(l.front(), '[') << "line " << i << ": " << l;
        ASSERT_EQ(l.find('[', 1), std::string::npos) << "line " << i << " holds two lines: " << l;
        const std::size_t at = l.find("ptr<@");
        if (l.find("batch") != std::string::npos && l.find("first") != std::string::npos) {
            ASSERT_LT(i + 1, lines.size());
            EXPECT_EQ(lines[i + 1].substr(lines[i + 1].find("] ") + 2),
                      l.substr(l.find("] ") + 2, l.find(" first") - l.find("] ") - 2) + " second");
            ++batches[l[l.find("batch ") + 6]];
        }
        if (at == std::string::npos) continue;
        const char who = owner.at(l.substr(at, l.find('>', at) - at + 1));
        ASSERT_LE(i + 13, lines.size());
        for (int r = 1; r <= 13; ++r) {
            const std::string& row = lines[i + r];
            const std::size_t bar = row.rfind("| |");
            ASSERT_NE(bar, std::string::npos) << "dump of thread " << who << " broken at line " << i + r << ": " << row;
            EXPECT_EQ(row.substr(bar + 3, 1), std::string(1, who)) << "line " << i + r;
        }
        ++dumps[who];
    }
    for (int k = 0; k < kThreads; ++k) {
        EXPECT_EQ(dumps['A' + k], kDumps);
        EXPECT_EQ(batches['A' + k], kDumps);
    }
}

// Dumps larger than a thread's line buffer reach the file in several writes;
// each must still be whole, in order, and the rows exactly those the dump
// hands any other tracer.
TEST(TraceFile, DumpsLargerThanTheLineBufferStayWholeAndExact) {
    const std::string path = testing::TempDir() + "vyt_trace_big_dumps.trc";
    trace::close();
    trace::open(path.c_str());
    trace::enable();
    constexpr int kThreads = 3, kDumps = 8, kBytes = 70000;  // 4375 rows, some past offset ffff
    std::vector<std::vector<unsigned char>> data(kThreads, std::vector<unsigned char>(kBytes));
    std::vector<std::string> want(kThreads);  // the rows of each thread's dump, one after the other
    for (int k = 0; k < kThreads; ++k) {
        for (int i = 0; i < kBytes; ++i) data[k][static_cast<std::size_t>(i)] = static_cast<unsigned char>(i * 7 + k);
        test::RecordingSink rec;
        PrintDump(rec, data[k].data(), 0, kBytes);
        for (std::size_t r = 1; r < rec.lines.size(); ++r) want[k] += rec.lines[r];
    }
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) {
        threads.emplace_back([&, k] {
            FileTracer t;
            for (int i = 0; i < kDumps; ++i) {
                PrintDump(t, data[k].data(), 0, kBytes);
                tracef(t, "after dump %d\n", i);
            }
        });
    }
    for (std::thread& th : threads) th.join();
    trace::close();

    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    in.close();
    std::remove(path.c_str());
    // The text after each "PrintDump Entry" line up to the next line that is no row.
    const std::string file = all.str();
    std::map<int, int> seen;
    for (std::size_t at = file.find("PrintDump Entry: "); at != std::string::npos;
         at = file.find("PrintDump Entry: ", at + 1)) {
        std::size_t row = file.find('\n', at) + 1;
        std::string rows;
        while (row < file.size()) {
            const std::size_t end = file.find('\n', row) + 1;
            const std::string line = file.substr(row, end - row);
            const std::size_t text = line.find("] ") + 2;
            if (line.find(" |", text) == std::string::npos) break;
            rows += line.substr(text);
            row = end;
        }
        int who = -1;
        for (int k = 0; k < kThreads; ++k)
            if (rows == want[k]) who = k;
        ASSERT_GE(who, 0) << "the dump at byte " << at << " is broken or wrong";
        ++seen[who];
    }
    for (int k = 0; k < kThreads; ++k) EXPECT_EQ(seen[k], kDumps);
}

// A clock whose second turns at every reading: the second turns while each
// run of a dump's rows is written, so each row must be written again after a
// reading of its own.
std::time_t gTurningSecond = 0;
std::time_t TurningClock() { return ++gTurningSecond; }

TEST(TraceFile, DumpRowsWrittenAsTheSecondTurnsCarryTheirOwnSecondAndStayExact) {
    const std::string path = testing::TempDir() + "vyt_trace_turning_second.trc";
    trace::close();
    trace::open(path.c_str());
    trace::enable();
    constexpr int kBytes = 0x10000 + 16 * 70 + 5;  // runs at four and five offset places, a short last row
    std::vector<unsigned char> data(kBytes);
    for (int i = 0; i < kBytes; ++i) data[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i * 13 + i / 5);
    test::RecordingSink rec;
    PrintDump(rec, data.data(), 0, kBytes);
    gTurningSecond = 1700000000;
    trace::setClock(TurningClock);
    FileTracer t;
    PrintDump(t, data.data(), 0, kBytes);
    trace::setClock(nullptr);
    trace::close();

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
    in.close();
    std::remove(path.c_str());
    std::size_t at = 0;
    while (at < lines.size() && lines[at].find("PrintDump Entry: ") == std::string::npos) ++at;
    ASSERT_EQ(lines.size() - at - 1, rec.lines.size() - 1 + 1) << "the rows and the detach line";
    std::string previousStamp;
    int sameStamp = 0, wrong = 0;
    for (std::size_t r = 1; r < rec.lines.size(); ++r) {
        const std::string& line = lines[at + r];
        const std::size_t text = line.find("] ") + 2;
        if (line.substr(text) != rec.lines[r] && ++wrong <= 3) ADD_FAILURE() << "row " << r << ": " << line;
        if (line.substr(0, text) == previousStamp) ++sameStamp;
        previousStamp = line.substr(0, text);
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(sameStamp, 0) << "rows stamped with a second read before theirs";
}

}  // namespace
}  // namespace vyt
