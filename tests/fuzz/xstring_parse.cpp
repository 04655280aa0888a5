// The text helpers every reader stands on: the level document's tag search and number readers, and
// XString's own number, truth, search and split members. Each holds its stated range on any bytes.
#include "foundation/XString.h"
#include "foundation/XStringArray.h"
#include "game/CGameLevelXml.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XString text;
    text.AppendData(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));

    static const char* const kNames[] = {"TimeLeft", "XPos", "CameraAngle", "BlockType", "PlayBlock_0"};
    for (const char* name : kNames)
    {
        const XString element = LevelXml::ElementText(text, name);
        fuzz::Check(element.GetLength() <= text.GetLength(), "an element longer than its document");
        const float position = LevelXml::ReadFloat(text, name, -LevelXml::kWorldReach, LevelXml::kWorldReach);
        fuzz::Check(position >= -LevelXml::kWorldReach && position <= LevelXml::kWorldReach,
                    "ReadFloat left its range");
        const float angle = LevelXml::ReadAngle(text, name);
        fuzz::Check(std::isfinite(angle) && std::fabs(angle) <= 360.0f, "ReadAngle left one turn");
        LevelXml::ReadInt(text, name);
        LevelXml::ReadUnsigned(text, name);
        LevelXml::ReadBool(text, name);
    }
    unsigned cursor = static_cast<unsigned>(size / 2);
    const XString object = LevelXml::ObjectElement(text, "PlayBlock", 0, cursor);
    fuzz::Check(object.IsEmpty() || cursor <= text.GetLength(), "the object cursor ran past the document");

    text.ToInt();
    text.ToDouble();
    text.IsTrue();
    text.FindOneOf("0123456789");
    text.FindNoCase("</GameLevel>");
    text.SubBetweenFwd("=\"", "\"");
    XStringArray& parts = text.Split(',');
    unsigned joined = 0;
    for (unsigned i = 0; i < parts.GetCount(); ++i)
        joined += parts.Get(i).GetLength();
    fuzz::Check(joined <= text.GetLength(), "split parts longer than the text");
    return 0;
}
