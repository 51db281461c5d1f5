#include "graphs/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace voltaryn {
namespace {

TEST(NumberText, EachPatternShowsItsDigitsRoundedHalfAwayFromZero)
{
    const std::tuple<const char*, float, const char*> cases[] = {  // pattern, value, text
        {".00#", 67, "67.00"},       {".00#", 0.5f, ".50"},     {".00#", 0.125f, ".125"},
        {".00#", 1.2345f, "1.235"},  {".00#", -0.25f, "-.25"},  {".00#", 0, ".00"},
        {".0##", 670, "670.0"},      {".0##", 0.1f, ".1"},      {".0##", 2.0004f, "2.0"},
        {".###", 9999, "9999"},      {".###", 0, "0"},          {".###", 0.0004f, "0"},
        {".###", -0.0004f, "0"},     {".###", 1.9996f, "2"},    {"0.0", 0.125f, "0.1"},
        {"0.0", 0.15f, "0.2"},       {"0.0", -0.05f, "-0.1"},   {"0.0", 99.96f, "100.0"},
        {"0.0", -0.04f, "0.0"},      {"0.00", 4.2f, "4.20"},    {"0.000", 4.2f, "4.200"},
        {"0.000", 1e-45f, "0.000"},  {"0.0", 3e38f, "300000000000000000000000000000000000000.0"},
        {"", 51, "51"},              {"", 0.125f, "0.125"},     {"", -0.0f, "0"},
        {"", 1e-7f, "0.0000001"},
    };
    for (const auto& [pattern, value, text] : cases)
        EXPECT_EQ(FormatNumber(value, pattern), text) << pattern << " " << value;
}

TEST(NumberText, ANumeralGivesItsFloatAndAnythingElseIsRefused)
{
    constexpr float Largest = std::numeric_limits<float>::max();
    constexpr NumberRefusal NotANumber = NumberRefusal::NotANumber;
    const std::pair<const char*, ParsedNumber> cases[] = {
        {"0.125", {0.125f}}, {" -2.5 ", {-2.5f}}, {"+7", {7}}, {".5", {0.5f}}, {"5.", {5}}, {"-.25", {-0.25f}},
        {"1e3", {1000}}, {"2.5E-1", {0.25f}}, {"1e-333", {0}}, {"8888444E-44444", {0}},
        {"-0.000000000000000000000000000000000000000000000000001", {-0.0f}},
        {"340282350000000000000000000000000000000", {Largest}},
        {"1e39", {0, NumberRefusal::TooLarge}}, {"-8888444E44444", {0, NumberRefusal::TooLarge}},
        {"", {0, NotANumber}}, {"   ", {0, NotANumber}}, {"abc", {0, NotANumber}}, {"1,5", {0, NotANumber}},
        {"1.2.3", {0, NotANumber}}, {".", {0, NotANumber}}, {"-", {0, NotANumber}}, {"1e", {0, NotANumber}},
        {"e5", {0, NotANumber}}, {"inf", {0, NotANumber}}, {"nan", {0, NotANumber}}, {"0x10", {0, NotANumber}},
        {"4 Ohm", {0, NotANumber}},
    };
    for (const auto& [text, parsed] : cases)
        EXPECT_EQ(ParseNumber(text), parsed) << '"' << text << '"';
}

TEST(NumberText, WhatAFieldShowsReadsBackAsTheSameValue)
{
    for (const float value : {0.5f, -0.25f, 67.0f, 4.2f, 0.125f, std::numeric_limits<float>::max()})
        for (const char* pattern : {"", ".###"})
            EXPECT_EQ(ParseNumber(FormatNumber(value, pattern)).Value, value) << pattern << " " << value;
}

} // namespace
} // namespace voltaryn
