// The level document's element writer and readers: numbers are written exactly as printf writes
// them, and an object's elements read from one pass over its text exactly as a tag search reads
// them, on odd and damaged texts too.
#include "game/CGameLevelXml.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace LevelXml;

namespace
{

XString Text(const std::string& text)
{
    XString out;
    out.SetData(text.data(), static_cast<int>(text.size()));
    return out;
}

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

} // namespace

TEST(LevelXml, FloatsAndIntegersAreWrittenAsPrintfWritesThem)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    std::vector<float> values = {0.0f, -0.0f, 0.5f, 1.0f / 3.0f, 0.0000005f, 0.0000015f, -45.0f, 999999.9f, 1e38f,
                                 -3.4e38f, std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    for (int i = 0; i < 20000; ++i)
    {
        // Every bit pattern, and the sizes a level holds: within the world, to a few decimals.
        const uint32_t pattern = bits(random);
        float any;
        std::memcpy(&any, &pattern, sizeof(any));
        values.push_back(any);
        values.push_back(static_cast<float>(static_cast<int>(pattern % 2000001) - 1000000) / 1000.0f);
    }
    for (float value : values)
    {
        XString out;
        AppendFloat(out, 0, "F", value);
        char expected[128];
        std::snprintf(expected, sizeof(expected), "<F>%f</F>\r\n", static_cast<double>(value));
        ASSERT_EQ(expected, Str(out)) << "bits of " << value;
    }
    for (int value : {0, -1, 7, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
    {
        XString out;
        AppendInt(out, 2, "I", value);
        EXPECT_EQ("\t\t<I>" + std::to_string(value) + "</I>\r\n", Str(out));
    }
    XString out;
    AppendUnsigned(out, 1, "U", 4294967295u);
    EXPECT_EQ("\t<U>4294967295</U>\r\n", Str(out));
}

TEST(LevelXml, AnObjectsElementsReadAsATagSearchReadsThem)
{
    const std::string texts[] = {
        "\t\t<XPos>1.5</XPos>\r\n\t\t<YPos>-2</YPos>\r\n\t\t<ZPos>3</ZPos>\r\n",
        // Out of order, and the first of two.
        "<ZPos>9</ZPos><XPos>4</XPos><XPos>5</XPos>",
        // An opening tag with no closing tag after it hides a later complete element.
        "<XPos>7<YPos>8</YPos><XPos>6</XPos>",
        "</XPos>1<XPos>2</XPos>",
        // A '<' in front of the tag, tags inside the text, a name that another name ends with.
        "<<XPos>11</XPos><YPos><ZPos>12</ZPos></YPos><AXPos>13</AXPos>",
        // Damaged: a NUL inside the text, an unclosed '<', a tag cut short.
        std::string("<XPos>1\0 2</XPos><YPos", 22),
        "<XPos>true</XPos><YPos>TRUEish</YPos><ZPos>tru</ZPos><Used>  true</Used>",
        "<XPos></XPos><YPos>>3</YPos><>",
        "",
    };
    const char* names[] = {"XPos", "YPos", "ZPos", "Used", "AXPos", "/XPos", "Pos"};
    for (const std::string& raw : texts)
    {
        const XString text = Text(raw);
        const Fields fields(text);
        for (const char* name : names)
        {
            EXPECT_EQ(Str(ElementText(text, name)), fields.Value(name)) << name << " in " << raw;
            EXPECT_EQ(ReadInt(text, name), ReadInt(fields, name)) << name << " in " << raw;
            EXPECT_EQ(ReadBool(text, name), ReadBool(fields, name)) << name << " in " << raw;
            const float tagRead = ReadFloat(text, name, -100.0f, 100.0f);
            EXPECT_EQ(tagRead, ReadFloat(fields, name, -100.0f, 100.0f)) << name << " in " << raw;
        }
    }
}

// Numbers are read as strtod reads them, plain decimals and everything else alike, then clamped.
TEST(LevelXml, FloatsAreReadAsStrtodReadsThem)
{
    const std::string texts[] = {"12.500000", "-0.000001", "7", "1.", ".5", "-", ".", "", "+3.5", " 2.25", "1e3",
                                 "0x10", "inf", "-nan", "1.5.5", "--1", "3,5", std::string(400, '9'),
                                 "0." + std::string(400, '0') + "1", "-" + std::string(320, '1') + ".5"};
    for (const std::string& text : texts)
    {
        const XString document = Text("<F>" + text + "</F>");
        const double read = std::strtod(text.c_str(), nullptr);
        const float expected = static_cast<float>(std::isnan(read) ? 0.0 : std::clamp(read, -1000.0, 1000.0));
        EXPECT_EQ(expected, ReadFloat(document, "F", -1000.0f, 1000.0f)) << text;
        EXPECT_EQ(expected, ReadFloat(Fields(document), "F", -1000.0f, 1000.0f)) << text;
    }
}

TEST(LevelXml, ObjectElementsAreFoundFromTheCursorAndOutOfOrder)
{
    XString document;
    for (int index : {0, 1, 10, 2})
    {
        OpenObject(document, "PlayBlock", index);
        AppendInt(document, 2, "BlockType", index);
        CloseObject(document, "PlayBlock", index);
    }
    unsigned cursor = 0;
    for (int index : {0, 1, 2, 10, 1})
    {
        const XString element = ObjectElement(document, "PlayBlock", index, cursor);
        EXPECT_EQ(index, ReadInt(ObjectText(element, "PlayBlock", index), "BlockType")) << index;
        // Read in place, from the element or the whole document, as from the object's text.
        EXPECT_EQ(index, ReadInt(Fields(element, "PlayBlock", index), "BlockType")) << index;
        EXPECT_EQ(index, ReadInt(Fields(document, "PlayBlock", index), "BlockType")) << index;
    }
    EXPECT_EQ(0, ReadInt(Fields(document, "PlayBlock", 3), "BlockType"));
    // An object whose closing tag is missing has no fields, as its text is empty.
    EXPECT_EQ("", Fields(Text("<PlayBlock_4><BlockType>4</BlockType>"), "PlayBlock", 4).Value("BlockType"));
    EXPECT_EQ("", Str(ObjectElement(document, "PlayBlock", 3, cursor)));
}
