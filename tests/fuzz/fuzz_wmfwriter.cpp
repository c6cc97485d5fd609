// The metafile writer on random pictures: reading the file back gives exactly the picture
// (direct colours, coordinates within the format's 16 bits, texts the code pages can hold).
#include "fuzzcheck.h"

#include "core/diagram/picture.h"
#include "core/diagram/wmfwriter.h"
#include "support/wmfreader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

using namespace quorel;

namespace {

int coordinate(FuzzedDataProvider &provider)
{
    return provider.ConsumeIntegralInRange<int>(-32768, 32767);
}

Color directColor(FuzzedDataProvider &provider)
{
    return provider.ConsumeIntegralInRange<Color>(0, 0xFFFFFF);
}

// Text from pieces that survive the file: ASCII, plus the letters of one script per picture
// (a font has one code page, Windows-1252 or Windows-1250, for all the texts drawn in it; the
// device font before the first font is ANSI, so `script` 0 there).
std::string text(FuzzedDataProvider &provider, int script)
{
    static constexpr const char *ascii[] = {"0", "90", "N", " ", "Zbior", "10", "!", "~", "a b"};
    static constexpr const char *polish[] = {"\xC4\x85", "\xC4\x87", "\xC4\x99", "\xC5\x82",
                                             "\xC5\x84", "\xC3\xB3", "\xC5\x9B", "\xC5\xBA",
                                             "\xC5\xBC", "\xC5\x81"};
    static constexpr const char *western[] = {"\xC3\xA9", "\xC3\xA8", "\xC3\xB1",
                                              "\xC2\xB0", "\xC3\x9F", "\xE2\x82\xAC"};
    std::string out;
    const int pieces = provider.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < pieces; ++i) {
        if (provider.ConsumeBool())
            out += provider.PickValueInArray(ascii);
        else if (script == 1)
            out += provider.PickValueInArray(polish);
        else if (script == 2)
            out += provider.PickValueInArray(western);
    }
    return out;
}

// One operation in words, for the report of a failed round trip.
std::string describe(const PictureOp &op)
{
    return std::visit(
        [](const auto &o) {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, op::SelectPen>)
                return "pen " + std::to_string(o.pen.color) + " pattern "
                    + std::to_string(int(o.pen.pattern)) + " width " + std::to_string(o.pen.width);
            else if constexpr (std::is_same_v<T, op::SelectBrush>)
                return "brush kind " + std::to_string(int(o.brush.kind)) + " colour "
                    + std::to_string(o.brush.color) + " hatch "
                    + std::to_string(int(o.brush.hatch));
            else if constexpr (std::is_same_v<T, op::SelectFont>)
                return "font '" + o.font.face + "' " + std::to_string(o.font.points) + " colour "
                    + std::to_string(o.font.color) + " bold " + std::to_string(o.font.bold)
                    + " italic " + std::to_string(o.font.italic) + " underline "
                    + std::to_string(o.font.underline);
            else if constexpr (std::is_same_v<T, op::Text>)
                return "text " + std::to_string(o.x) + "," + std::to_string(o.y) + " '" + o.text
                    + "'";
            else
                return std::string("shape");
        },
        op);
}

void reportDifference(const Picture &expected, const Picture &actual)
{
    std::fprintf(stderr, "size %dx%d, read back %dx%d, %zu ops, read back %zu\n", expected.width(),
                 expected.height(), actual.width(), actual.height(), expected.ops().size(),
                 actual.ops().size());
    for (std::size_t i = 0; i < expected.ops().size() && i < actual.ops().size(); ++i) {
        if (!(expected.ops()[i] == actual.ops()[i])) {
            std::fprintf(stderr, "op %zu: wrote %s\n       read %s\n", i,
                         describe(expected.ops()[i]).c_str(), describe(actual.ops()[i]).c_str());
            return;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    Picture picture(provider.ConsumeIntegralInRange(0, 32767),
                    provider.ConsumeIntegralInRange(0, 32767));
    static constexpr const char *faces[] = {"Arial",   "Courier New",     "MS Sans Serif",
                                            "Verdana", "Times New Roman", "A"};
    const int script = provider.ConsumeIntegralInRange(0, 2);
    bool fontSelected = false;
    while (provider.remaining_bytes() > 0) {
        switch (provider.ConsumeIntegralInRange(0, 7)) {
        case 0:
            picture.selectPen({directColor(provider),
                               static_cast<PenPattern>(provider.ConsumeIntegralInRange(0, 4)),
                               provider.ConsumeIntegralInRange(0, 100)});
            break;
        case 1: {
            const auto kind = static_cast<Brush::Kind>(provider.ConsumeIntegralInRange(0, 2));
            const BrushPattern hatch = kind == Brush::Kind::Hatched
                ? static_cast<BrushPattern>(provider.ConsumeIntegralInRange(1, 6))
                : BrushPattern::Solid;
            picture.selectBrush({kind, directColor(provider), hatch});
            break;
        }
        case 2:
            fontSelected = true;
            picture.selectFont({provider.PickValueInArray(faces),
                                provider.ConsumeIntegralInRange(1, 400), directColor(provider),
                                provider.ConsumeBool(), provider.ConsumeBool(),
                                provider.ConsumeBool()});
            break;
        case 3:
            picture.rectangle(coordinate(provider), coordinate(provider), coordinate(provider),
                              coordinate(provider));
            break;
        case 4:
            picture.ellipse(coordinate(provider), coordinate(provider), coordinate(provider),
                            coordinate(provider));
            break;
        case 5:
            picture.line(coordinate(provider), coordinate(provider), coordinate(provider),
                         coordinate(provider));
            break;
        case 6:
            picture.pie(coordinate(provider), coordinate(provider), coordinate(provider),
                        coordinate(provider), coordinate(provider), coordinate(provider),
                        coordinate(provider), coordinate(provider));
            break;
        default:
            picture.text(coordinate(provider), coordinate(provider),
                         text(provider, fontSelected ? script : 0));
            break;
        }
    }
    const std::string file = writePlaceableWmf(picture, classicSystemColors());
    const auto back = readPlaceableWmf(file);
    FUZZ_CHECK(back.ok());
    if (!(*back == picture))
        reportDifference(picture, *back);
    FUZZ_CHECK(*back == picture);
    return 0;
}
