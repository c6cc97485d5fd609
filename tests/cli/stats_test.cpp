#include "clitest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <stdlib.h>

using quorel::test::addressLimitWorks;
using quorel::test::runCli;
using quorel::test::shellQuote;

namespace {

// A small JSON reader for checking the output: enough of the grammar to reject malformed
// text and to look at members, arrays, strings and numbers.
struct Json
{
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members; // in their written order

    const Json &operator[](const std::string &name) const
    {
        for (const auto &[key, value] : members) {
            if (key == name)
                return value;
        }
        static const Json missing;
        ADD_FAILURE() << "no member " << name;
        return missing;
    }
    bool has(const std::string &name) const
    {
        for (const auto &member : members) {
            if (member.first == name)
                return true;
        }
        return false;
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto &member : members)
            out.push_back(member.first);
        return out;
    }
    std::vector<std::string> strings() const
    {
        std::vector<std::string> out;
        for (const Json &item : items)
            out.push_back(item.text);
        return out;
    }
};

class JsonParser
{
public:
    explicit JsonParser(std::string_view text)
        : m_text(text)
    { }

    // The value, or nullopt when the text is not exactly one JSON value.
    std::optional<Json> parse()
    {
        Json value;
        if (!parseValue(value))
            return std::nullopt;
        skipBlanks();
        if (m_pos != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size()
               && std::string_view(" \t\r\n").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
    }
    bool eat(char c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool word(std::string_view w)
    {
        if (m_text.substr(m_pos, w.size()) != w)
            return false;
        m_pos += w.size();
        return true;
    }
    bool parseString(std::string &out)
    {
        if (!eat('"'))
            return false;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (m_pos + 4 > m_text.size())
                    return false;
                const auto code = std::stoul(std::string(m_text.substr(m_pos, 4)), nullptr, 16);
                m_pos += 4;
                if (code >= 0x80)
                    return false; // the writer escapes only control bytes
                out += static_cast<char>(code);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }
    bool parseValue(Json &value)
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            return false;
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            value.kind = Json::Kind::Object;
            if (eat('}'))
                return true;
            do {
                std::string key;
                Json member;
                if (!parseString(key) || !eat(':') || !parseValue(member))
                    return false;
                value.members.emplace_back(key, std::move(member));
            } while (eat(','));
            return eat('}');
        }
        if (c == '[') {
            ++m_pos;
            value.kind = Json::Kind::Array;
            if (eat(']'))
                return true;
            do {
                Json item;
                if (!parseValue(item))
                    return false;
                value.items.push_back(std::move(item));
            } while (eat(','));
            return eat(']');
        }
        if (c == '"') {
            value.kind = Json::Kind::String;
            return parseString(value.text);
        }
        if (word("true") || word("false")) {
            value.kind = Json::Kind::Bool;
            value.boolean = m_text[m_pos - 1] == 'e' && m_text[m_pos - 2] == 'u';
            return true;
        }
        if (word("null"))
            return true;
        const std::size_t start = m_pos;
        while (m_pos < m_text.size()
               && std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        if (start == m_pos)
            return false;
        value.kind = Json::Kind::Number;
        value.number = std::stod(std::string(m_text.substr(start, m_pos - start)));
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

Json parseJson(const std::string &text)
{
    std::optional<Json> json = JsonParser(text).parse();
    EXPECT_TRUE(json.has_value()) << "not valid JSON:\n" << text;
    return json.value_or(Json {});
}

class StatsFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorel-stats-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string make(const std::string &name, std::string_view bytes)
    {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string errFile() const { return m_dir + "/stderr.txt"; }
    std::string errText() const
    {
        std::ifstream in(errFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string m_dir;
};

const std::string dashes(38, '-');

TEST_F(StatsFiles, JsonHasExactlyTheDocumentedMembers)
{
    const std::string file = make("joints.qrl",
                                  "// quarry\n12\t40\n15/30\n19.2 45\nabc\n355\n"
                                  ";MLinesStyle=9\n;DescFontBold=yes\n;FillColor=clRed\n");
    const auto run = runCli("stats " + shellQuote(file) + " --json --decimal-separator .");
    ASSERT_EQ(run.status, 0);
    const Json json = parseJson(run.out);
    EXPECT_EQ(
        json.names(),
        (std::vector<std::string> {"file", "measurements", "max", "errors", "cancelled", "sectors",
                                   "sector_lists", "report", "style", "circular"}));
    EXPECT_EQ(json["file"].text, file);
    EXPECT_EQ(json["measurements"].number, 4);
    EXPECT_EQ(json["max"].number, 3);
    EXPECT_EQ(json["errors"].number, 1);
    EXPECT_EQ(json["cancelled"].kind, Json::Kind::Bool);
    EXPECT_FALSE(json["cancelled"].boolean);
    ASSERT_EQ(json["sectors"].items.size(), 36u);
    EXPECT_EQ(json["sectors"].items[1].number, 3);
    EXPECT_EQ(json["sectors"].items[35].number, 1);
    ASSERT_EQ(json["sector_lists"].items.size(), 36u);
    EXPECT_EQ(json["sector_lists"].items[1].text, "12; 15; 19.2");
    EXPECT_EQ(json["sector_lists"].items[0].text, "");
    EXPECT_EQ(json["report"].strings(),
              (std::vector<std::string> {"File: " + file, dashes, "Invalid data in line: 5",
                                         "\"abc\" is not a number !", "", dashes, "Errors: 1",
                                         "Correct data and try again."}));
}

TEST_F(StatsFiles, StyleValuesAsTheWriteBackWritesThem)
{
    const std::string file = make("style.qrl",
                                  ";MLinesStyle=9\n;DescFontBold=yes\n;FillColor=clRed\n"
                                  ";DescText=a=b\n;DescX=$10\n;DiagWidth=abc\n");
    const auto run = runCli("stats " + shellQuote(file) + " --json");
    ASSERT_EQ(run.status, 0);
    const Json style = parseJson(run.out)["style"];
    EXPECT_EQ(style.names(),
              (std::vector<std::string> {"DescText", "DescX", "DescY", "DescFontName",
                                         "DescFontSize", "DescFontColor", "DescFontBold",
                                         "DescFontItalic", "DescFontUnderline", "MLinesColor",
                                         "SLinesColor", "MLinesStyle", "SLinesStyle", "FillColor",
                                         "FillStyle", "DiagWidth", "FontColor", "BgColor"}));
    EXPECT_EQ(style["DescText"].text, "a=b");
    EXPECT_EQ(style["DescX"].text, "16");
    EXPECT_EQ(style["MLinesStyle"].text, "-1");
    EXPECT_EQ(style["DescFontBold"].text, "True");
    EXPECT_EQ(style["DescFontItalic"].text, "False");
    EXPECT_EQ(style["FillColor"].text, "255");
    // First-run values where the file says nothing (or something unusable).
    EXPECT_EQ(style["DiagWidth"].text, "460");
    EXPECT_EQ(style["BgColor"].text, "-16777211");
    EXPECT_EQ(style["MLinesColor"].text, "12632256");
    EXPECT_EQ(style["DescFontName"].text, "Arial");
    EXPECT_EQ(style["SLinesStyle"].text, "2");
}

TEST_F(StatsFiles, MeasurementsOptionListsStoredTexts)
{
    const std::string file = make("m.txt", "45,5 30\n400\n0045.50\n");
    const auto point = parseJson(
        runCli("stats " + shellQuote(file) + " --json --measurements --decimal-separator .").out);
    EXPECT_EQ(point["azimuths"].strings(),
              (std::vector<std::string> {"45.5", "40.0000", "0045.50"}));
    const auto comma = parseJson(
        runCli("stats " + shellQuote(file) + " --measurements --json --decimal-separator ,").out);
    EXPECT_EQ(comma["azimuths"].strings(),
              (std::vector<std::string> {"45,5", "40,0000", "0045,50"}));
    EXPECT_FALSE(parseJson(runCli("stats " + shellQuote(file) + " --json").out).has("azimuths"));
}

TEST_F(StatsFiles, NonUtf8BytesStillGiveValidJson)
{
    // A Windows-1250 remark line ("łupek" with 0xB3) that is not a number, and a quote.
    const std::string file = make("pl.qrl", "\xB3upek\n\"x\" 5\n;DescText=Kamienio\xB3om\n");
    const auto run = runCli("stats " + shellQuote(file) + " --json");
    ASSERT_EQ(run.status, 0);
    const Json json = parseJson(run.out);
    EXPECT_EQ(json["report"].items[3].text, "\"\xC5\x82upek\" is not a number !");
    EXPECT_EQ(json["report"].items[6].text, "\"\"x\"\" is not a number !");
    EXPECT_EQ(json["style"]["DescText"].text, "Kamienio\xC5\x82om");
}

TEST_F(StatsFiles, EmptyFile)
{
    const std::string file = make("empty.qrl", "");
    const Json json = parseJson(runCli("stats " + shellQuote(file) + " --json").out);
    EXPECT_EQ(json["measurements"].number, 0);
    EXPECT_EQ(json["max"].number, 0);
    EXPECT_EQ(json["report"].strings(),
              (std::vector<std::string> {"File: " + file, dashes, "No errors."}));
}

TEST_F(StatsFiles, TextOutputShowsTheStatisticsTable)
{
    const std::string file = make("t.qrl", "12\n15\n355\nbad\n");
    const auto run = runCli("stats " + shellQuote(file));
    ASSERT_EQ(run.status, 0);
    for (const char *expected : {"All measurements : 3", "Max : 2", "Errors: 1",
                                 "\n 0 - 10     0\n", "\n11 - 20     2      12; 15\n",
                                 "\n351 - 360   1      355\n", "\"bad\" is not a number !"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\nin\n" << run.out;
}

TEST_F(StatsFiles, LongSectorListsArriveWhole)
{
    // Lists longer than the output's block go out unbuffered, between buffered text.
    std::string data;
    for (int i = 0; i < 60000; ++i)
        data += i % 2 ? "12.5\n" : "355\n";
    const std::string file = make("long.qrl", data);
    std::string expected12;
    std::string expected355;
    for (int i = 0; i < 30000; ++i) {
        expected12 += i ? "; 12.5" : "12.5";
        expected355 += i ? "; 355" : "355";
    }
    const Json json = parseJson(runCli("stats " + shellQuote(file) + " --json").out);
    EXPECT_EQ(json["sector_lists"].items[1].text, expected12);
    EXPECT_EQ(json["sector_lists"].items[35].text, expected355);
    EXPECT_EQ(json["report"].items.back().text, "No errors.");

    const auto text = runCli("stats " + shellQuote(file)).out;
    EXPECT_NE(text.find("\n11 - 20     30000  " + expected12 + "\n21 - 30     0\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n351 - 360   30000  " + expected355 + "\n\nFile: "), std::string::npos);
}

// Every example file, as directions and as orientations: the circular member's figures in full
// precision, everything before it the same with and without --axial.
TEST_F(StatsFiles, CircularStatisticsOfEveryExample)
{
    const std::vector<std::string> names = {"axial",
                                            "n",
                                            "mean_direction",
                                            "mean_resultant_length",
                                            "circular_variance",
                                            "circular_sd",
                                            "angular_deviation",
                                            "rayleigh_z",
                                            "rayleigh_p",
                                            "ci95",
                                            "kappa",
                                            "band",
                                            "band_by_sector"};
    for (const std::string file : {"bedding.dat", "faults.txt", "joints.qrl"}) {
        const std::string command =
            "stats " + shellQuote(std::string(QUOREL_EXAMPLES_DIR) + "/" + file) + " --json";
        const auto directions = runCli(command + " --decimal-separator .");
        const auto orientations = runCli(command + " --axial --decimal-separator .");
        ASSERT_EQ(directions.status, 0);
        ASSERT_EQ(orientations.status, 0);
        const auto start = directions.out.find(",\n  \"circular\"");
        EXPECT_EQ(directions.out.substr(0, start), orientations.out.substr(0, start)) << file;
        for (const bool axial : {false, true}) {
            const Json json = parseJson(axial ? orientations.out : directions.out);
            const Json &circular = json["circular"];
            EXPECT_EQ(circular.names(), names);
            EXPECT_EQ(circular["axial"].boolean, axial);
            EXPECT_EQ(circular["n"].number, json["measurements"].number);
            EXPECT_GE(circular["mean_direction"].number, 0);
            EXPECT_LT(circular["mean_direction"].number, axial ? 180 : 360);
            EXPECT_EQ(circular["band"].items.size(), 2u);
            // A band per sector; the 10° figure is that of the middle ones, and opposite
            // sectors share the band of their pair.
            const Json &bands = circular["band_by_sector"];
            ASSERT_EQ(bands.items.size(), 36u);
            for (std::size_t k = 0; k < 36; ++k) {
                ASSERT_EQ(bands.items[k].items.size(), 2u);
                if (axial) {
                    EXPECT_EQ(bands.items[k].items[1].number,
                              bands.items[(k + 18) % 36].items[1].number);
                }
            }
            EXPECT_EQ(bands.items[1].items[1].number, circular["band"].items[1].number);
        }
    }
    // Full precision: the mean of the joints as R's circular has it, to the last digits.
    const Json joints =
        parseJson(runCli("stats " + shellQuote(std::string(QUOREL_EXAMPLES_DIR) + "/joints.qrl")
                         + " --json --decimal-separator .")
                      .out)["circular"];
    EXPECT_NEAR(joints["mean_direction"].number, 77.58905527842948, 1e-12);
}

// Directions that cancel out have no mean and no interval; no measurements, no figures at all.
TEST_F(StatsFiles, UndefinedCircularFiguresAreNull)
{
    const Json cancelling =
        parseJson(runCli("stats " + shellQuote(make("c.qrl", "10\n190\n")) + " --json").out);
    for (const char *name : {"mean_direction", "circular_sd", "ci95"})
        EXPECT_EQ(cancelling["circular"][name].kind, Json::Kind::Null) << name;
    EXPECT_EQ(cancelling["circular"]["kappa"].number, 0);
    EXPECT_EQ(cancelling["circular"]["rayleigh_p"].number, 1);

    const Json empty =
        parseJson(runCli("stats " + shellQuote(make("e.qrl", "")) + " --json --axial").out);
    EXPECT_EQ(empty["circular"]["n"].number, 0);
    for (const char *name :
         {"mean_direction", "mean_resultant_length", "circular_variance", "angular_deviation",
          "rayleigh_z", "rayleigh_p", "kappa", "band", "band_by_sector"})
        EXPECT_EQ(empty["circular"][name].kind, Json::Kind::Null) << name;
}

TEST_F(StatsFiles, TextOutputEndsWithTheCircularStatistics)
{
    const std::string file = make("t.qrl", "10\n190\n");
    const std::string text = runCli("stats " + shellQuote(file) + " --decimal-separator .").out;
    const auto block = text.find("\nCircular statistics (n = 2):\n"
                                 "No preferred direction can be shown (Rayleigh p = 1.000).\n");
    ASSERT_NE(block, std::string::npos) << text;
    EXPECT_NE(text.find("\nBand of chance: 0 to 2 measurements per petal;", block),
              std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\n', text.find("Band of chance", block)), text.size() - 1);

    const std::string axial =
        runCli("stats " + shellQuote(file) + " --axial --decimal-separator .").out;
    EXPECT_NE(axial.find("\nCircular statistics, axial data (n = 2):\n"
                         "The orientations cluster around the 010.0\u00B0\u2013190.0\u00B0 axis"),
              std::string::npos)
        << axial;
    EXPECT_NE(runCli("stats --help").out.find("--axial"), std::string::npos);

    // The joints' mean lies between their two sets: significant, but it says nothing.
    const std::string joints =
        runCli("stats " + shellQuote(std::string(QUOREL_EXAMPLES_DIR) + "/joints.qrl")).out;
    EXPECT_EQ(joints.find("significantly clustered"), std::string::npos);
    EXPECT_NE(joints.find("\nThe directions are not spread at random (Rayleigh test, p < 0.001).\n"
                          "The Rayleigh test looks for one preferred direction: two opposite "
                          "clusters cancel out, so treat orientations as axial data.\n"
                          "The directions form separate groups: their mean direction, "
                          "077.6\u00B0, falls where few of them lie and describes none of them.\n"),
              std::string::npos)
        << joints;
    const std::string opposite =
        runCli("stats " + shellQuote(make("o.qrl", "40\n220\n42\n222\n38\n218\n41\n221\n"))).out;
    EXPECT_NE(opposite.find("\nThe directions form two opposite groups: run again with --axial.\n"),
              std::string::npos)
        << opposite;
}

// Failures and usage errors.
struct ExitCase
{
    const char *name;
    std::string args;
    int status;
};

class StatsExit : public StatsFiles, public testing::WithParamInterface<ExitCase>
{ };

TEST_P(StatsExit, ExitStatus)
{
    const std::string file = make("ok.qrl", "10\n");
    std::string args = GetParam().args;
    if (const auto at = args.find("FILE"); at != std::string::npos)
        args.replace(at, 4, shellQuote(file));
    const auto run = runCli("stats " + args, errFile());
    EXPECT_EQ(run.status, GetParam().status);
    if (GetParam().status != 0) {
        EXPECT_TRUE(run.out.empty());
        const std::string err = errText();
        EXPECT_EQ(err.rfind("quorel-cli: ", 0), 0u) << err;
    }
}

const ExitCase exitCases[] = {
    {"Readable", "FILE --json", 0},
    {"Axial", "FILE --axial --json", 0},
    {"Missing", "/nonexistent/file.qrl", 1},
    {"Folder", "/tmp", 1},
    {"NoFile", "--json", 2},
    {"TwoFiles", "FILE FILE", 2},
    {"UnknownOption", "FILE --jsn", 2},
    {"SeparatorWithoutValue", "FILE --decimal-separator", 2},
    {"SeparatorTooLong", "FILE --decimal-separator ab", 2},
};

INSTANTIATE_TEST_SUITE_P(Args, StatsExit, testing::ValuesIn(exitCases),
                         [](const auto &test) { return std::string(test.param.name); });

TEST_F(StatsFiles, MissingFileMessageIsOneLineWithTheReason)
{
    const auto run = runCli("stats /nonexistent/file.qrl", errFile());
    const std::string err = errText();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(err.find("/nonexistent/file.qrl"), std::string::npos);
    EXPECT_NE(err.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(err.find('\n'), err.size() - 1);
}

// stats and render tell on stderr, in one line, how many lines were not measurements and where
// the first is; their output and exit status stay what they were.
TEST_F(StatsFiles, InvalidLinesAreCountedOnStderr)
{
    struct Case
    {
        const char *name;
        const char *bytes;
        std::string err;
    };
    const Case cases[] = {
        {"none", "10\n# note\n\n20\n", ""},
        {"one", "10\n20\n30\n40\n50\n60\nx7\n",
         "quorel-cli: 1 line is not a valid measurement (line 7)\n"},
        {"three", "1\n2\n3\n4\n5\n6\nx7\n8\n/9\nabc\n",
         "quorel-cli: 3 lines are not valid measurements (first: line 7)\n"},
    };
    const std::string svg = m_dir + "/rose.svg";
    for (const Case &c : cases) {
        const std::string file = make("data.qrl", c.bytes);
        for (const std::string &command :
             {"stats " + file, "stats --json " + file, "render " + file + " -o " + svg}) {
            const auto run = runCli(command, errFile());
            EXPECT_EQ(run.status, 0) << c.name << ": " << command;
            EXPECT_EQ(errText(), c.err) << c.name << ": " << command;
        }
    }
}

// A file whose measurements need some megabytes, read with more and more address space to
// spare, from the limit where a small file just reads: every run ends with status 1 and one line
// that names the memory, until the limit is high enough to succeed. Stats on the larger file
// fails in the reader first; a report that fails has written nothing.
struct MemoryCase
{
    const char *command;
    int lines;
};

class MemoryLimit : public StatsFiles, public testing::WithParamInterface<MemoryCase>
{ };

TEST_P(MemoryLimit, FileTooLargeForTheMemoryFailsWithOneLine)
{
    if (!addressLimitWorks)
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit allows";
    constexpr std::size_t megabyte = std::size_t(1) << 20;
    const std::string command = GetParam().command;
    const std::string small = make("small.qrl", "10\n");
    std::string lines;
    for (int i = 0; i < GetParam().lines; ++i)
        lines += "7\n";
    const std::string large = make("large.qrl", lines);
    const std::string page = m_dir + "/report.html";
    const std::string options = command == "report" ? " -o " + page : "";

    std::size_t base = 16 * megabyte;
    while (base < 2048 * megabyte
           && runCli(command + " " + small + options, "/dev/null", base).status)
        base += 4 * megabyte;
    ASSERT_LT(base, 2048 * megabyte) << "quorel-cli does not start under any limit";
    std::filesystem::remove(page);

    bool done = false;
    for (std::size_t spare = 0; !done && spare <= 256 * megabyte; spare += 2 * megabyte) {
        const auto run = runCli(command + " " + large + options, errFile(), base + spare);
        const std::string err = errText();
        done = run.status == 0;
        if (done)
            break;
        ASSERT_EQ(run.status, 1) << "spare " << spare << ": " << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_NE(err.find("memory"), std::string::npos) << err;
        if (spare == 0 && command == "stats") {
            EXPECT_EQ(err, "quorel-cli: Not enough memory to read file \"" + large + "\".\n");
        }
        EXPECT_FALSE(std::filesystem::exists(page));
    }
    EXPECT_TRUE(done);
}

INSTANTIATE_TEST_SUITE_P(Commands, MemoryLimit,
                         testing::Values(MemoryCase {"stats", 2'000'000},
                                         MemoryCase {"report", 100'000}),
                         [](const auto &test) { return std::string(test.param.command); });

} // namespace

TEST_F(StatsFiles, SphericalMemberOnlyWhenAskedFor)
{
    // Bedding poles about 300/50, one lone azimuth and one quadrant dip.
    const std::string file = make("dips.qrl", "120/40\n125 42\n200\n118/45 SE\n61/61S\n");
    const Json plain = parseJson(runCli("stats " + shellQuote(file) + " --json").out);
    EXPECT_FALSE(plain.has("spherical"));
    const auto run = runCli("stats " + shellQuote(file) + " --json --spherical");
    ASSERT_EQ(run.status, 0);
    const Json json = parseJson(run.out);
    EXPECT_EQ(json.names().back(), "spherical");
    const Json &s = json["spherical"];
    EXPECT_EQ(s.names(),
              (std::vector<std::string> {"kind", "n", "without_dip", "mean",
                                         "mean_resultant_length", "kappa", "alpha95", "eigenvalues",
                                         "eigenvectors", "woodcock_k", "woodcock_c", "girdle"}));
    EXPECT_EQ(s["kind"].text, "poles");
    EXPECT_EQ(s["n"].number, 3);
    EXPECT_EQ(s["without_dip"].number, 2);
    EXPECT_NEAR(s["mean"]["trend"].number, 301, 2);
    EXPECT_EQ(s["eigenvectors"].items.size(), 3u);
    // The command line's meaning wins over the file's; a lone pole has no spread.
    const Json lines =
        parseJson(runCli("stats " + shellQuote(make("one.qrl", ";Azimuth=Strike\n10/20\n"))
                         + " --json --spherical --azimuth trend")
                      .out)["spherical"];
    EXPECT_EQ(lines["kind"].text, "lines");
    EXPECT_EQ(lines["mean"]["trend"].number, 10);
    EXPECT_EQ(lines["kappa"].kind, Json::Kind::Null);
    EXPECT_EQ(lines["girdle"].kind, Json::Kind::Null);
}

TEST_F(StatsFiles, SphericalTextSaysTheFiguresInWords)
{
    const std::string example = std::string(QUOREL_EXAMPLES_DIR) + "/gray1980-bedding.txt";
    const auto bedding = runCli("stats " + shellQuote(example) + " --spherical");
    ASSERT_EQ(bedding.status, 0);
    const std::string tail = bedding.out.substr(bedding.out.find("\nSpherical statistics"));
    EXPECT_NE(tail.find("Spherical statistics, poles of planes (n = 8):\n"), std::string::npos)
        << tail;
    EXPECT_NE(tail.find("\nShape K = 0.2: a girdle (K < 1) \u2014 the poles spread along a great "
                        "circle\n"),
              std::string::npos);
    EXPECT_NE(tail.find("\nBest-fit girdle 007/59, \u03b2 axis 187/31 (fold axis for bedding "
                        "poles).\n"),
              std::string::npos);
    const auto few = runCli("stats " + shellQuote(make("few.qrl", "10/20\n30\n40/x\n"))
                            + " --spherical --azimuth trend");
    EXPECT_NE(few.out.find("Spherical statistics, lines (n = 1):\n2 measurements have no valid "
                           "dip: lines 2, 3\nMean line 010/20 (trend/plunge)\n"),
              std::string::npos)
        << few.out;
}
