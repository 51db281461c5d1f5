// Each policy's verdicts and figures by hand, a whole inspection's summary, and policy files.
#include "strings/PolicyJson.h"
#include "strings/Verdicts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace voltaryn::strings {
namespace {

using namespace std::chrono;
using enum Verdict;

const StringLayout FourVrla{4, 12, Chemistry::Vrla, 6, true};

Reading At(std::optional<double> volts, std::optional<double> milliohm, std::optional<double> celsius = {})
{
    return {volts, milliohm, celsius};
}

Reading Strapped(double microohm) { return {0.001, microohm / 1000, std::nullopt}; }

InspectionRecord Inspected(std::vector<std::optional<Reading>> blocks, std::vector<std::optional<Reading>> straps = {},
                           std::optional<double> ambient = {})
{
    return {7, sys_days{2025y / May / 2}, ambient, std::move(blocks), std::move(straps)};
}

std::vector<std::optional<Baseline>> Baselines(std::initializer_list<std::optional<double>> milliohm)
{
    std::vector<std::optional<Baseline>> baselines;
    for (const std::optional<double>& value : milliohm)
        if (value)
            baselines.push_back(Baseline{*value, BaselineSource::Settled, 1, sys_days{2024y / May / 2}});
        else
            baselines.emplace_back();
    return baselines;
}

// The verdict `policy` gives the reading of `place`, and its text.
std::pair<Verdict, std::string> ResultOf(const InspectionVerdicts& verdicts, Place place, std::string_view policy)
{
    for (const ReadingVerdict& reading : verdicts.readings)
        if (reading.place == place)
            for (const PolicyResult& result : reading.results)
                if (result.policy == policy)
                    return {result.verdict, PolicyResultText(result)};
    throw std::out_of_range(PlaceText(place) + " has no result of " + std::string(policy));
}

InspectionVerdicts Judge(const StringLayout& layout, const InspectionRecord& inspection,
                         const std::vector<std::optional<Baseline>>& baselines = {},
                         const std::vector<std::optional<FirstReading>>& firsts = {})
{
    return JudgeInspection(layout, DefaultPolicies(), inspection, baselines, firsts);
}

TEST(Policies, ResistanceAgainstTheBaselineAndTheStringAverage)
{
    // Baselines of 4 mOhm. The string average is over the blocks read: block 3 is missing.
    const InspectionRecord inspection = Inspected({At(13.5, 5.2), At(13.5, 6.0), std::nullopt, At(13.5, 3.2)});
    const struct {
        int block;
        std::optional<double> baseline;
        Verdict verdict;
        const char* text;
    } againstBaseline[] = {
        {1, 4.0, Warn, "+30.0 % vs baseline"},  // 5.2 / 4: on the warn line
        {2, 4.0, Fail, "+50.0 % vs baseline"},  // 6 / 4: on the fail line
        {4, 4.0, Pass, "-20.0 % vs baseline"},
        {4, std::nullopt, None, "no baseline"},
        {1, 5.0, Pass, "+4.0 % vs baseline"},
    };
    for (const auto& row : againstBaseline) {
        std::vector<std::optional<Baseline>> baselines = Baselines({4.0, 4.0, 4.0, 4.0});
        baselines[static_cast<std::size_t>(row.block - 1)] = Baselines({row.baseline})[0];
        const InspectionVerdicts verdicts = Judge(FourVrla, inspection, baselines);
        EXPECT_EQ(ResultOf(verdicts, BlockPlace(row.block), "baseline"), std::pair(row.verdict, std::string(row.text)));
    }

    // The mean of 5.2, 6.0 and 3.2 is 4.8: +8.3 %, +25.0 %, -33.3 %.
    const InspectionVerdicts verdicts = Judge(FourVrla, inspection, Baselines({4.0, 4.0, 4.0, 4.0}));
    const std::tuple<int, Verdict, const char*> againstAverage[] = {
        {1, Pass, "+8.3 % vs string average"}, {2, Warn, "+25.0 % vs string average"}, {4, Pass, "-33.3 % vs string average"}};
    for (const auto& [block, verdict, text] : againstAverage)
        EXPECT_EQ(ResultOf(verdicts, BlockPlace(block), "string-average"), std::pair(verdict, std::string(text)));
    // A reading's verdict is its worst policy's; its change is against its baseline.
    ASSERT_EQ(verdicts.readings.size(), 3u) << "the missing block is not judged";
    EXPECT_EQ(verdicts.readings[1].verdict, Fail);
    EXPECT_NEAR(*verdicts.readings[1].changePercent, 50, 1e-9);
    EXPECT_EQ(verdicts.readings[1].referenceMilliohm, 4.0);
}

TEST(Policies, FloatVoltagePerCellMovesWithTemperature)
{
    // VRLA 2.23-2.30 V/cell at 25 °C, -3 mV/°C/cell: at 35 °C the band is 2.200-2.270. A cell
    // outside it warns; more than 50 mV outside it fails.
    const StringLayout vla{1, 2, Chemistry::Vla, 1, false};
    const StringLayout nicd{1, 12, Chemistry::Nicd, 10, false};
    const StringLayout lifepo4{1, 12, Chemistry::Lifepo4, 4, false};
    const StringLayout vrla{1, 12, Chemistry::Vrla, 6, false};
    const struct {
        StringLayout layout;
        Reading reading;
        std::optional<double> ambient;
        Verdict verdict;
        const char* text;
    } rows[] = {
        {vrla, At(13.5, 4, 25.0), {}, Pass, "2.250 V/cell, float 2.230–2.300 V at 25.0 °C"},
        {vrla, At(13.74, 4, 25.0), {}, Pass, "2.290 V/cell, float 2.230–2.300 V at 25.0 °C"},
        {vrla, At(13.74, 4, 35.0), {}, Warn, "2.290 V/cell, float 2.200–2.270 V at 35.0 °C"},  // 20 mV above
        {vrla, At(14.1, 4, 35.0), {}, Fail, "2.350 V/cell, float 2.200–2.270 V at 35.0 °C"},   // 80 mV above
        {vrla, At(13.74, 4, 15.0), {}, Pass, "2.290 V/cell, float 2.260–2.330 V at 15.0 °C"},
        {vrla, At(13.74, 4), 35.0, Warn, "2.290 V/cell, float 2.200–2.270 V at 35.0 °C"},  // the ambient
        {vrla, At(13.74, 4, 25.0), 35.0, Pass, "2.290 V/cell, float 2.230–2.300 V at 25.0 °C"},  // the block's own
        {vrla, At(13.2, 4), {}, Warn, "2.200 V/cell, float 2.230–2.300 V at 25 °C"},   // 30 mV below
        {vrla, At(12.9, 4), {}, Fail, "2.150 V/cell, float 2.230–2.300 V at 25 °C"},   // 80 mV below
        {vrla, At(std::nullopt, 4), {}, None, "no voltage"},
        {vla, At(2.2, 0.3, 25.0), {}, Pass, "2.200 V/cell, float 2.140–2.250 V at 25.0 °C"},
        {nicd, At(14.2, 2, 25.0), {}, Pass, "1.420 V/cell, float 1.380–1.470 V at 25.0 °C"},
        {lifepo4, At(13.9, 2, 25.0), {}, Warn, "3.475 V/cell, float 3.300–3.450 V at 25.0 °C"},
    };
    for (const auto& row : rows) {
        const InspectionVerdicts verdicts = Judge(row.layout, Inspected({row.reading}, {}, row.ambient));
        EXPECT_EQ(ResultOf(verdicts, BlockPlace(1), "float-voltage"), std::pair(row.verdict, std::string(row.text)));
    }
}

TEST(Policies, StrapsAgainstTheirMeanFirstAndTheirFirstReadingLater)
{
    // First: fails more than 10 % above the straps' mean or 5 µΩ above it, whichever is more.
    const struct {
        std::vector<double> microohm;  // straps 1, 2 and 3; strap 3 is judged
        Verdict verdict;
        const char* text;
    } first[] = {
        // Mean 32: 10 % is 3.2 µΩ, so 5 µΩ (15.6 %) holds; 36 is +12.5 %, which 10 % alone would fail.
        {{30, 30, 36}, Pass, "+12.5 % vs strap mean, fails above +15.6 %"},
        // Mean 33.33: 40 is +20.0 %, above 5 µΩ (15.0 %).
        {{30, 30, 40}, Fail, "+20.0 % vs strap mean, fails above +15.0 %"},
        // Mean 82.83: 10 % is 8.3 µΩ, more than 5; 88.5 is +6.8 %.
        {{80, 80, 88.5}, Pass, "+6.8 % vs strap mean, fails above +10.0 %"},
        // Mean 90: 120 is +33.3 %.
        {{75, 75, 120}, Fail, "+33.3 % vs strap mean, fails above +10.0 %"},
    };
    for (const auto& row : first) {
        std::vector<std::optional<Reading>> straps;
        for (const double microohm : row.microohm)
            straps.emplace_back(Strapped(microohm));
        const InspectionVerdicts verdicts = Judge(FourVrla, Inspected({At(13.5, 4), At(13.5, 4), At(13.5, 4), At(13.5, 4)}, straps));
        EXPECT_EQ(ResultOf(verdicts, StrapPlace(3), "strap"), std::pair(row.verdict, std::string(row.text)));
    }

    // Later: more than 20 % above the strap's own first reading, 30 µΩ, fails. Strap 3's first
    // reading is in this inspection (7): it is still judged against the mean (of 36, 36 and 30).
    const std::vector<std::optional<FirstReading>> firsts = {FirstReading{0.030, 2}, FirstReading{0.030, 2}, FirstReading{0.030, 7}};
    const InspectionVerdicts later =
        Judge(FourVrla, Inspected({At(13.5, 4), At(13.5, 4), At(13.5, 4), At(13.5, 4)}, {Strapped(36), Strapped(36.1), Strapped(30)}),
              {}, firsts);
    const std::tuple<int, Verdict, const char*> rows[] = {
        {1, Pass, "+20.0 % vs first reading"},  // on the line: not more
        {2, Fail, "+20.3 % vs first reading"},
        {3, Pass, "-11.9 % vs strap mean, fails above +14.7 %"},
    };
    for (const auto& [strap, verdict, text] : rows)
        EXPECT_EQ(ResultOf(later, StrapPlace(strap), "strap"), std::pair(verdict, std::string(text)));
    EXPECT_EQ(later.readings[1].referenceMilliohm, 0.030);
    EXPECT_FALSE(later.readings[5].referenceMilliohm) << "no earlier reading of strap 3";
}

TEST(Policies, TemperatureAboveTheCoolestAndTheSummary)
{
    // The coolest block is 22 °C: 25.0 is 3 °C above it, not more; 25.1 fails.
    const InspectionRecord inspection = Inspected({At(13.5, 4, 22.0), At(13.5, 4, 25.0), At(13.5, 4, 25.1), At(13.5, 4)},
                                                  {Strapped(30), std::nullopt, Strapped(60)});
    const InspectionVerdicts verdicts = Judge(FourVrla, inspection, Baselines({4.0, 4.0, 4.0, 4.0}));
    const std::tuple<int, Verdict, const char*> rows[] = {
        {1, Pass, "+0.0 °C vs coolest block"}, {2, Pass, "+3.0 °C vs coolest block"},
        {3, Fail, "+3.1 °C vs coolest block"}, {4, None, "no temperature"}};
    for (const auto& [block, verdict, text] : rows)
        EXPECT_EQ(ResultOf(verdicts, BlockPlace(block), "temperature"), std::pair(verdict, std::string(text)));
    // Walk order; a block has the four block rules, a strap the strap rule. Strap 3 is +33 % over
    // the straps' mean of 45 µΩ.
    std::vector<std::pair<std::string, std::size_t>> places;
    for (const ReadingVerdict& reading : verdicts.readings)
        places.emplace_back(PlaceText(reading.place), reading.results.size());
    EXPECT_EQ(places, (std::vector<std::pair<std::string, std::size_t>>{
                          {"block 1", 4}, {"strap 1→2", 1}, {"block 2", 4}, {"block 3", 4}, {"strap 3→4", 1}, {"block 4", 4}}));
    EXPECT_EQ(verdicts.summary, (InspectionSummary{4, 2, 0, 2}));
    EXPECT_EQ(SummaryText(verdicts.summary), "4 blocks, 2 straps: 0 warn, 2 fail");
}

TEST(PolicyJson, RoundTripsAndFillsLeftOutFigures)
{
    const PolicySet defaults = DefaultPolicies();
    const PoliciesRead read = PoliciesFromJson(PoliciesToJson(defaults));
    ASSERT_TRUE(read.policies) << PolicyFaultText(*read.fault);
    EXPECT_EQ(*read.policies, defaults);

    PolicySet custom;
    FloatVoltageRule floatRule;
    floatRule.bands[static_cast<std::size_t>(Chemistry::Vla)] = {2.15, 2.24};
    floatRule.mvPerCelsiusPerCell = -2.5;
    custom.policies = {{"warranty", BaselineRule{{50, 100}}}, {"baseline", BaselineRule{}}, {"float", floatRule}};
    EXPECT_EQ(PoliciesFromJson(PoliciesToJson(custom)).policies, custom);
    EXPECT_EQ(BaselineLimits(custom), (ChangeLimits{50, 100})) << "the first baseline policy's lines";
    EXPECT_EQ(FloatBandOf(custom, Chemistry::Vla), (FloatBand{2.15, 2.24}));
    EXPECT_EQ(FloatBandOf(custom, Chemistry::Nicd), (FloatBand{1.38, 1.47}));

    const PoliciesRead partial = PoliciesFromJson(
        R"({"policies": [{"rule": "strap", "laterPercent": 25}, {"rule": "float-voltage", "bands": {"vla": {"high": 2.24}}}]})");
    ASSERT_TRUE(partial.policies);
    StrapRule strap;
    strap.laterPercent = 25;
    FloatVoltageRule vla;
    vla.bands[0].high = 2.24;
    EXPECT_EQ(partial.policies->policies, (std::vector<Policy>{{"strap", strap}, {"float-voltage", vla}}));
    EXPECT_FALSE(BaselineLimits(*partial.policies)) << "no baseline policy, no lines";
    EXPECT_FALSE(FloatBandOf(PolicySet{{{"strap", StrapRule{}}}}, Chemistry::Vla)) << "no float-voltage policy, no band";
}

TEST(PolicyJson, RefusesWithWhereAndWhat)
{
    const std::pair<const char*, const char*> rows[] = {
        {"[]", R"(not a policy set: expected an object with "policies", a list)"},
        {R"({"policies": {}})", R"(not a policy set: expected an object with "policies", a list)"},
        {R"({"policy": []})", R"(unknown key "policy")"},
        {R"({"policies": []})", "the set holds no policy"},
        {R"({"policies": [3]})", "policy 1: not an object"},
        {R"({"policies": [{}]})", R"(policy 1: "rule" is missing)"},
        {R"({"policies": [{"rule": 4}]})", R"(policy 1: "rule" is not text)"},
        {R"({"policies": [{"rule": "voltage"}]})",
         R"(policy 1: unknown rule "voltage" (the rules are "baseline", "string-average", "float-voltage", "strap", "temperature"))"},
        {R"({"policies": [{"rule": "baseline", "warnPercnt": 30}]})", R"(policy 1 ("baseline"): unknown key "warnPercnt")"},
        {R"({"policies": [{"rule": "baseline", "failPercent": "50"}]})", R"(policy 1 ("baseline"): "failPercent" is not a number)"},
        {R"({"policies": [{"rule": "baseline", "warnPercent": 60}]})", R"(policy 1 ("baseline"): "warnPercent" is above "failPercent")"},
        {R"({"policies": [{"rule": "temperature", "aboveCoolestCelsius": -1}]})",
         R"(policy 1 ("temperature"): "aboveCoolestCelsius" -1 is not within 0 to 50)"},
        {R"({"policies": [{"rule": "strap"}, {"rule": "strap"}]})",
         R"(policy 2 ("strap"): the name "strap" is already an earlier policy's)"},
        {R"({"policies": [{"name": "my rule", "rule": "strap"}]})",
         R"(policy 1: a policy's name is 1 to 40 letters, digits, '-' and '_', not "my rule")"},
        {R"({"policies": [{"rule": "float-voltage", "bands": []}]})", R"(policy 1 ("float-voltage"): "bands" is not an object)"},
        {R"({"policies": [{"rule": "float-voltage", "bands": {"agm": {}}}]})", R"(policy 1 ("float-voltage"): unknown key "agm")"},
        {R"({"policies": [{"rule": "float-voltage", "bands": {"vrla": {"low": 2.3}}}]})",
         R"(policy 1 ("float-voltage"): the "vrla" band's low is not below its high)"},
        {R"({"policies": [{"rule": "float-voltage", "bands": {"vrla": {"mid": 2.3}}}]})",
         R"(policy 1 ("float-voltage"), band vrla: unknown key "mid")"},
        {R"({"policies": [{"rule": "float-voltage", "bands": {"nicd": {"low": 0.1}}}]})",
         R"(policy 1 ("float-voltage"): "nicd" 0.1 is not within 0.5 to 5)"},
    };
    for (const auto& [text, fault] : rows) {
        const PoliciesRead read = PoliciesFromJson(text);
        ASSERT_TRUE(read.fault) << text;
        EXPECT_FALSE(read.policies) << text;
        EXPECT_EQ(PolicyFaultText(*read.fault), fault) << text;
    }
    const PoliciesRead broken = PoliciesFromJson(R"({"policies": [)");
    ASSERT_TRUE(broken.fault);
    EXPECT_EQ(broken.fault->reason, PolicyFault::Reason::NotJson);
    EXPECT_EQ(PolicyFaultText(*broken.fault).rfind("not valid JSON: parse error at line 1", 0), 0u) << PolicyFaultText(*broken.fault);

    PolicySet notANumber = DefaultPolicies();
    std::get<BaselineRule>(notANumber.policies[0].rule).limits.failPercent = std::nan("");
    ASSERT_TRUE(PolicySetProblem(notANumber));
    EXPECT_EQ(PolicySetProblem(notANumber)->reason, PolicyFault::Reason::OutOfRange);
}

} // namespace
} // namespace voltaryn::strings
