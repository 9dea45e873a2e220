// Records built and read by their fields' names: each record built is the
// one its line in the text form gives, in both units of the size byte; a
// field is read back by the name it was set by; a name or a value the
// catalogue does not have is refused.
#include "tools/protocol/record_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "tools/protocol/record_text.h"

namespace {

using records::Builder;

struct Built {
    std::string label;
    std::function<Builder()> build;
    std::string line;  // the same record in the text form
};

class BuiltRecords : public ::testing::TestWithParam<Built> {};

TEST_P(BuiltRecords, AreTheRecordsTheirLinesGive) {
    const Built& c = GetParam();
    for (const std::size_t unit : {1, 4}) {
        std::string error;
        const auto expected = records::record_of(c.line, unit, error);
        ASSERT_TRUE(expected) << error;
        EXPECT_EQ(records::line_of(c.build().bytes(unit), unit), c.line) << "unit " << unit;
        EXPECT_EQ(c.build().bytes(unit), *expected) << "unit " << unit;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByName, BuiltRecords,
    ::testing::Values(
        Built{"named_value",
              [] { return Builder("IS_TINY").set("ReqI", 7).set("SubT", "TINY_REPLY"); },
              "IS_TINY ReqI=7 SubT=TINY_REPLY"},
        Built{"flags_texts_and_an_array",
              [] {
                  return Builder("IS_NPL")
                      .set("PLID", 2)
                      .set("UCID", 3)
                      .set("Flags", "PIF_AUTOCLUTCH|PIF_MOUSE")
                      .set("PName", "Driver 2")
                      .set("Plate", "FULLPLAT")  // all 8 bytes, no 0
                      .set("CName", "FXO")
                      .set("Tyres[2]", "TYRE_R3")
                      .set("Tyres[3]", 3)
                      .set("NumP", 3);
              },
              "IS_NPL PLID=2 UCID=3 Flags=PIF_AUTOCLUTCH|PIF_MOUSE PName=\"Driver 2\" "
              "Plate=\"FULLPLAT\" CName=\"FXO\" Tyres=[TYRE_R1 TYRE_R1 TYRE_R3 TYRE_R4] NumP=3"},
        Built{"structures_of_a_variable_array",
              [] {
                  Builder nlp("IS_NLP", 3);
                  for (uint32_t i = 0; i < 3; ++i) {
                      const std::string car = "Info[" + std::to_string(i) + "].";
                      nlp.set(car + "Node", 10 + i)
                          .set(car + "PLID", i + 1)
                          .set(car + "Position", i + 1);
                  }
                  return nlp.set("ReqI", 4);
              },
              "IS_NLP ReqI=4 NumP=3 Info=[{Node=10 PLID=1 Position=1} {Node=11 PLID=2 Position=2} "
              "{Node=12 PLID=3 Position=3}]"},
        Built{"variable_text_grows_with_its_text",
              [] {
                  return Builder("IS_MSO")
                      .set("UCID", 1)
                      .set("UserType", "MSO_USER")
                      .set("Msg", "a line longer than four bytes");
              },
              "IS_MSO UCID=1 UserType=MSO_USER Msg=\"a line longer than four bytes\""},
        Built{"signed_fields_of_a_structure",
              [] {
                  return Builder("IS_CON")
                      .set("A.PLID", 1)
                      .set("A.Steer", static_cast<uint32_t>(-5))
                      .set("B.X", static_cast<uint32_t>(-16))
                      .set("B.PLID", 2);
              },
              "IS_CON A={PLID=1 Steer=-5} B={PLID=2 X=-16}"},
        Built{"element_of_a_byte_array",
              [] { return Builder("IS_REO").set("NumP", 2).set("PLID[0]", 2).set("PLID[1]", 1); },
              "IS_REO NumP=2 PLID=[2 1]"}),
    [](const auto& info) { return info.param.label; });

TEST(RecordFields, AreReadBackByTheirNames) {
    const sim::Bytes npl = Builder("IS_NPL")
                               .set("PLID", 9)
                               .set("PName", "Alice")
                               .set("Flags", "PIF_MOUSE")
                               .set("Tyres[1]", "TYRE_HYBRID")
                               .bytes(4);
    EXPECT_EQ(records::value_at(npl, "PLID"), 9u);
    EXPECT_EQ(records::value_at(npl, "Flags"), 1024u);
    EXPECT_EQ(records::text_at(npl, "PName"), "Alice");
    EXPECT_EQ(records::name_at(npl, "Tyres[1]"), "TYRE_HYBRID");
    EXPECT_EQ(records::name_at(npl, "Flags"), "") << "bits that combine have no one name";
    const sim::Bytes tiny = Builder("IS_TINY").set("SubT", "TINY_NCN").bytes();
    EXPECT_EQ(records::name_at(tiny, "SubT"), "TINY_NCN");
    const sim::Bytes mso = Builder("IS_MSO").set("Msg", "hi").bytes();
    EXPECT_EQ(records::text_at(mso, "Msg"), "hi");
    // A record cut short reads as 0 where its fields are missing.
    EXPECT_EQ(records::value_at(sim::Bytes{4, 4, 0, 7}, "UVal"), 0u);
}

TEST(RecordFields, WhatTheCatalogueDoesNotHaveIsRefused) {
    const std::function<void()> faults[] = {
        [] { Builder("IS_NOTHING"); },
        [] { Builder("IS_TINY").set("NoSuchField", 1); },
        [] { Builder("IS_TINY").set("SubT", "TINY_NOTHING"); },
        [] { Builder("IS_TINY").set("SubT", 256); },
        [] { Builder("IS_REO").set("PLID[40]", 1); },
        [] { Builder("IS_REO").set("PLID", 1); },             // an array, not one number
        [] { Builder("IS_NLP", 2).set("Info[2].Node", 1); },  // past its elements
        [] { Builder("IS_NLP", 41); },
        [] { Builder("IS_NPL").set("PName", std::string(25, 'n')); },
        [] { Builder("IS_MSO").set("Msg", std::string(129, 'm')); },
        [] { Builder("IS_NPL").set("PLID.X", 1); },
        [] {
            (void)records::value_at(sim::Bytes{4, 3, 0, 0}, "PName");
        },
        [] {
            (void)records::value_at(sim::Bytes{4, 250, 0, 0}, "PLID");
        },
    };
    for (std::size_t i = 0; i < std::size(faults); ++i) {
        EXPECT_THROW(faults[i](), std::invalid_argument) << "fault " << i;
    }
    // 16 cars make 452 bytes: only a size byte of 4-byte units holds them.
    const Builder report("IS_MCI", 16);
    EXPECT_THROW(report.bytes(1), std::length_error);
    EXPECT_EQ(report.bytes(4).size(), 452u);
}

}  // namespace
