#include "core/util/xml.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

using Apostrophe = XmlEscaping::Apostrophe;

struct EscapeCase
{
    const char *name;
    std::string text;
    XmlEscaping how;
    std::string expected;
};

class EscapeXml : public testing::TestWithParam<EscapeCase>
{ };

TEST_P(EscapeXml, WritesWhatTheReaderNeeds)
{
    EXPECT_EQ(escapeXml(GetParam().text, GetParam().how), GetParam().expected);
}

const XmlEscaping numbered {.apostrophe = Apostrophe::Numbered, .numberNonAscii = true};

INSTANTIATE_TEST_SUITE_P(
    Texts, EscapeXml,
    testing::Values(
        EscapeCase {
            "Markup", R"(<a href="x">&y</a>)", {}, "&lt;a href=&quot;x&quot;&gt;&amp;y&lt;/a&gt;"},
        EscapeCase {"ApostropheNamed", "N's", {}, "N&apos;s"},
        EscapeCase {"ApostropheKept", "Quorel's", {.apostrophe = Apostrophe::Kept}, "Quorel's"},
        EscapeCase {"ApostropheNumbered", "N's", {.apostrophe = Apostrophe::Numbered}, "N&#39;s"},
        EscapeCase {
            "ControlsKept", std::string("a\x01\r\n\0b", 6), {}, std::string("a\x01\r\n\0b", 6)},
        EscapeCase {"ControlsDroppedTabKept",
                    std::string("a\x01\t\r\n\0b\x1F", 8),
                    {.dropControls = true},
                    "a\tb"},
        EscapeCase {"NonAsciiKept", "\xc5\x82\xc3\xb3", {}, "\xc5\x82\xc3\xb3"},
        EscapeCase {"NonAsciiNumbered", "z\xc5\x82o\xf0\x9f\x98\x80", numbered,
                    "z&#322;o&#128512;"},
        EscapeCase {"InvalidByteKept", "a\xb3<", numbered, "a\xb3&lt;"},
        EscapeCase {"DeleteIsAscii", "\x7F", {.dropControls = true}, "\x7F"},
        EscapeCase {"Empty", "", numbered, ""}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace quorel
