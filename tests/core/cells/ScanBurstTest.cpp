#include "cells/ScanBurst.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace voltaryn::cells {
namespace {

using std::chrono::milliseconds;

// Keys as typed: a character, '\n' for Enter or '\t' for another key, each `gap` ms after the one
// before; '!' drops the held keys. One letter per press: h held, H held after releasing the keys held before it, r the
// held keys released, s a scan, - nothing to do.
struct Typing {
    const char* name;
    std::string keys;
    int gap;
    std::string steps;
    std::vector<std::string> codes;
    std::vector<std::size_t> slowAfter = {};  // indexes of keys that come 200 ms after the one before
};

TEST(ScanBurst, TellsAScannersBurstFromAPersonsTyping)
{
    const Typing typings[] = {
        {"a scan", "LOT7-01\n", 10, "hhhhhhhs", {"LOT7-01"}},
        {"as slow as a scanner may be", "ABCD\n", 40, "hhhhs", {"ABCD"}},
        {"too slow for a scanner", "ABCD\n", 41, "hHHHr", {}},
        {"too short for a code", "ABC\n", 10, "hhhr", {}},
        {"a pause releases what was held", "ABC", 10, "hhH", {}, {2}},
        {"another key ends the burst", "ABCD\t\n", 10, "hhhhr-", {}},
        {"a pause before Enter", "ABCD\n", 10, "hhhhr", {}, {4}},
        {"a person's key, then a scan", "xLOT8\n", 10, "hHhhhs", {"LOT8"}, {1}},
        {"two scans in a row", "AAAA\nBBBB\n", 10, "hhhhshhhhs", {"AAAA", "BBBB"}},
        {"Enter alone is a person's", "\n", 10, "-", {}},
        {"a drop forgets the held keys", "ABCD!\n", 10, "hhhh-", {}},
    };
    for (const Typing& typing : typings) {
        ScanBurst burst;
        std::string steps;
        std::vector<std::string> codes;
        milliseconds at{1000};
        for (std::size_t i = 0; i < typing.keys.size(); ++i) {
            const bool slow = std::ranges::find(typing.slowAfter, i) != typing.slowAfter.end();
            at += milliseconds(slow ? 200 : typing.gap);
            const char key = typing.keys[i];
            if (key == '!') {
                burst.Drop();
                continue;
            }
            const ScanKey kind = key == '\n' ? ScanKey::Enter : key == '\t' ? ScanKey::Other : ScanKey::Printable;
            const ScanStep step = burst.Press(at, kind, std::string(1, key));
            steps += step.Code ? 's' : step.Hold ? (step.ReleaseHeld ? 'H' : 'h') : step.ReleaseHeld ? 'r' : '-';
            if (step.Code)
                codes.push_back(*step.Code);
        }
        EXPECT_EQ(steps, typing.steps) << typing.name;
        EXPECT_EQ(codes, typing.codes) << typing.name;
    }
}

} // namespace
} // namespace voltaryn::cells
