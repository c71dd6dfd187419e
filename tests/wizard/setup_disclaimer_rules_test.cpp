// The safety agreements: the text as the box shows it, and no way on without "I Agree".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup_disclaimer_rules.h"
#include "wizard_fixture.h"
#include "wizard_pages.h"

using namespace velmora;

namespace {

// The text cut at its empty lines.
std::vector<std::string> paragraphs(const std::string& text)
{
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(at, end - at));
        at = end + 4;
    }
    return out;
}

} // namespace

TEST(SetupDisclaimerRules, TheAgreementsHaveTheirParagraphsInOrderAndTheClosingLine)
{
    const std::string closing = "I confirm I have read and fully understood the manual and the above conditions.\r\n";
    struct Quoted {
        std::size_t index;
        const char* text;
    };
    struct Case {
        int page;
        std::size_t count; // body paragraphs, then the closing line
        std::vector<Quoted> quoted;
    };
    const Case cases[] = {
        {page::kCoAgreement,
         16,
         {{0, "PLEASE READ THROUGH THE MANUAL, WHICH SHOULD BE KEPT FOR FUTURE REFERENCE."},
          {1, "PASS THE MANUAL ON TO THOSE WHO USE THIS DEVICE. "},
          {2, "DO NOT ATTEMPT TO USE THE KV-USB-5 WITHOUT READING AND UNDERSTANDING THE DOCUMENTATION. CARBON "
              "MONOXIDE MONITORING IS A COMPLEX PROCEDURE. IF THERE IS ANY DOUBT AS TO THE SAFETY OR APPLICATION - "
              "STOP! CONSULT A QUALIFIED EXPERT."},
          {10, "IMPORTANT INFORMATION"},
          {11, "- Always operate KV-USB-5 and replace its batteries according to the instructions."},
          {14, "KV-USB-5 is not authorized for use as a critical component in life support devices or systems without "
               "the express written approval of the Managing Director of Oskenby Electronics Ltd."}}},
        {page::kHtAgreement,
         8,
         {{0, "PLEASE READ THROUGH THE MANUAL, WHICH SHOULD BE KEPT FOR FUTURE REFERENCE."},
          {1, "PASS THE MANUAL ON TO THOSE WHO USE THIS DEVICE."},
          {2, "DO NOT ATTEMPT TO USE THE KV-USB-1-HT WITHOUT READING AND UNDERSTANDING THE DOCUMENTATION. THIS "
              "PRODUCT IS CAPABLE OF MEASURING HIGH TEMPERATURES, THE CORRECT PROCEDURES ARE REQUIRED TO AVOID "
              "INJURY. ANY DOUBT AS TO THE SAFETY OR APPLICATION - STOP! CONSULT A QUALIFIED EXPERT."},
          {3, "The KV-USB-1-HT is a professional measuring instrument, designed to record TEMPERATURE. Care must be "
              "taken when:"},
          {5, "2. Replacing batteries - Always operate KV-USB-1-HT and replace its batteries according to the "
              "instructions."},
          {7, "KV-USB-1-HT is not authorized for use as a critical component in life support devices or systems "
              "without the express written approval of the Managing Director of Oskenby Electronics Ltd."}}},
    };
    for (const Case& c : cases) {
        const setup_disclaimer::Values v = setup_disclaimer::load(c.page);
        const std::vector<std::string> parts = paragraphs(v.text);
        ASSERT_EQ(parts.size(), c.count + 1) << c.page;
        EXPECT_EQ(parts.back(), closing) << c.page;
        for (const Quoted& q : c.quoted)
            EXPECT_EQ(parts[q.index], q.text) << c.page << " paragraph " << q.index + 1;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            EXPECT_FALSE(parts[i].empty()) << c.page << " paragraph " << i + 1;
            EXPECT_EQ(parts[i].find_first_of("\r\n"), std::string::npos) << c.page << " paragraph " << i + 1;
        }
        EXPECT_EQ(v.choice, setup_disclaimer::Choice::DoNotAgree);
        EXPECT_FALSE(setup_disclaimer::nextEnabled(v));
    }
    // Paragraphs given in part: what they begin with.
    const std::vector<std::string> co = paragraphs(setup_disclaimer::agreementText(page::kCoAgreement));
    EXPECT_EQ(co[3].rfind("The KV-USB-5 is a professional measuring instrument, designed to record Carbon Monoxide "
                          "(CO) gas levels for later analysis.",
                          0),
              0u);
    for (std::size_t i = 4; i < 8; ++i)
        EXPECT_EQ(co[i].rfind(std::to_string(i - 3) + ". ", 0), 0u) << co[i];
    EXPECT_EQ(co[12].rfind("- ", 0), 0u);
    const std::vector<std::string> ht = paragraphs(setup_disclaimer::agreementText(page::kHtAgreement));
    EXPECT_EQ(ht[4].rfind("1. Removing the logger from extreme environment - ", 0), 0u);
}

class SetupDisclaimer : public test::WizardFixture {};

TEST_F(SetupDisclaimer, NextGoesOnOnlyAfterIAgree)
{
    struct Case {
        LoggerType type;
        int page;
        int next;
    };
    const Case cases[] = {{9, page::kCoAgreement, page::kCoName},
                          {11, page::kCoAgreement, page::kCoName},
                          {14, page::kHtAgreement, page::kName}};
    for (const Case& c : cases) {
        connect(c.type);
        setup_disclaimer::Values v = setup_disclaimer::load(c.page);
        EXPECT_EQ(setup_disclaimer::next(core, c.page, v), WizardStep::stay()) << int(c.type);
        v.choice = setup_disclaimer::Choice::Agree;
        EXPECT_TRUE(setup_disclaimer::nextEnabled(v));
        EXPECT_EQ(setup_disclaimer::next(core, c.page, v), WizardStep::to(c.next)) << int(c.type);
        bridge.detach(0);
    }
}
