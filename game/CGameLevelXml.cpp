// Element writing and tag-search reading of the level document.
#include "game/CGameLevelXml.h"

#include "engine/XDXMeshObject.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace
{

const char kTab = '\t';
const char* const kCrLf = "\r\n";
// Radians to the degrees the document stores.
const float kDegreesPerRadian = 57.2957795f;
const double kFullTurn = 360.0;

void AppendOpen(XString& out, int depth, const char* name)
{
    out.Append(kTab, static_cast<unsigned>(depth));
    out += '<';
    out += name;
    out += '>';
}

void AppendClose(XString& out, const char* name)
{
    out += "</";
    out += name;
    out += '>';
    out += kCrLf;
}

XString ObjectTag(const char* prefix, const char* kind, int index)
{
    XString tag(prefix);
    tag += kind;
    tag += '_';
    tag += index;
    tag += '>';
    return tag;
}

} // namespace

namespace LevelXml
{

void AppendText(XString& out, int depth, const char* name, const XString& value)
{
    AppendOpen(out, depth, name);
    const unsigned length = value.GetLength();
    const char* text = value.GetBuffer();
    for (unsigned i = 0; i < length; ++i)
        if (text[i] != '<' && text[i] != '>')
            out += text[i];
    AppendClose(out, name);
}

void AppendInt(XString& out, int depth, const char* name, int value)
{
    AppendOpen(out, depth, name);
    out += value;
    AppendClose(out, name);
}

void AppendUnsigned(XString& out, int depth, const char* name, unsigned value)
{
    AppendOpen(out, depth, name);
    out += value;
    AppendClose(out, name);
}

void AppendFloat(XString& out, int depth, const char* name, float value)
{
    AppendOpen(out, depth, name);
    out.FormatAppend("%f", static_cast<double>(value));
    AppendClose(out, name);
}

void AppendBool(XString& out, int depth, const char* name, bool value)
{
    AppendOpen(out, depth, name);
    out += value ? "true" : "false";
    AppendClose(out, name);
}

XString ElementText(const XString& document, const char* name, unsigned start)
{
    XString open("<");
    open += name;
    open += '>';
    const int begin = document.Find(open.GetBuffer(), start);
    if (begin < 0)
        return XString();
    const unsigned textStart = static_cast<unsigned>(begin) + open.GetLength();
    XString close("</");
    close += name;
    close += '>';
    const int end = document.Find(close.GetBuffer(), textStart);
    if (end < 0)
        return XString();
    XString text;
    text.SetData(document.GetBuffer(textStart), end - static_cast<int>(textStart));
    return text;
}

int ReadInt(const XString& document, const char* name)
{
    return ElementText(document, name).ToInt();
}

unsigned ReadUnsigned(const XString& document, const char* name)
{
    const long long value = std::strtoll(ElementText(document, name).GetBuffer(), nullptr, 10);
    if (value < 0)
        return 0;
    return value > static_cast<long long>(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(value);
}

float ReadFloat(const XString& document, const char* name, float lowest, float highest)
{
    // Clamped as a double: a value beyond the float range has no float to convert to.
    const double read = ElementText(document, name).ToDouble();
    const double value = std::isnan(read) ? 0.0 : read;
    return static_cast<float>(std::clamp(value, static_cast<double>(lowest), static_cast<double>(highest)));
}

float ReadAngle(const XString& document, const char* name)
{
    const double value = ElementText(document, name).ToDouble();
    if (!std::isfinite(value))
        return 0.0f;
    return static_cast<float>(std::fmod(value, kFullTurn));
}

bool ReadBool(const XString& document, const char* name)
{
    return ElementText(document, name).IsTrue();
}

void OpenObject(XString& out, const char* kind, int index)
{
    out += kTab;
    out += ObjectTag("<", kind, index);
    out += kCrLf;
}

void CloseObject(XString& out, const char* kind, int index)
{
    out += kTab;
    out += ObjectTag("</", kind, index);
    out += kCrLf;
}

XString ObjectText(const XString& document, const char* kind, int index)
{
    const XString open = ObjectTag("<", kind, index);
    const int begin = document.Find(open.GetBuffer());
    if (begin < 0)
        return XString();
    const unsigned textStart = static_cast<unsigned>(begin) + open.GetLength();
    const XString close = ObjectTag("</", kind, index);
    const int end = document.Find(close.GetBuffer(), textStart);
    if (end < 0)
        return XString();
    XString text;
    text.SetData(document.GetBuffer(textStart), end - static_cast<int>(textStart));
    return text;
}

XString ObjectElement(const XString& document, const char* kind, int index, unsigned& cursor)
{
    const XString open = ObjectTag("<", kind, index);
    int begin = document.Find(open.GetBuffer(), cursor);
    if (begin < 0)
        begin = document.Find(open.GetBuffer());
    if (begin < 0)
        return XString();
    const XString close = ObjectTag("</", kind, index);
    const int end = document.Find(close.GetBuffer(), static_cast<unsigned>(begin) + open.GetLength());
    if (end < 0)
        return XString();
    const unsigned elementEnd = static_cast<unsigned>(end) + close.GetLength();
    cursor = elementEnd;
    XString element;
    element.SetData(document.GetBuffer(static_cast<unsigned>(begin)), static_cast<int>(elementEnd) - begin);
    return element;
}

void AppendPlacement(XString& out, const XDXMeshObject& object)
{
    const plk::gfx::Vector3& position = object.GetPosition();
    const plk::gfx::Vector3& rotation = object.GetRotation();
    const plk::gfx::Vector3& scale = object.GetScale();
    AppendFloat(out, 2, "XPos", position.x);
    AppendFloat(out, 2, "YPos", position.y);
    AppendFloat(out, 2, "ZPos", position.z);
    AppendFloat(out, 2, "XAngle", rotation.x * kDegreesPerRadian);
    AppendFloat(out, 2, "YAngle", rotation.y * kDegreesPerRadian);
    AppendFloat(out, 2, "ZAngle", rotation.z * kDegreesPerRadian);
    AppendFloat(out, 2, "XScale", scale.x);
    AppendFloat(out, 2, "YScale", scale.y);
    AppendFloat(out, 2, "ZScale", scale.z);
}

void ReadPlacement(const XString& objectText, XDXMeshObject& object)
{
    object.SetPosition(ReadFloat(objectText, "XPos", -kWorldReach, kWorldReach),
                       ReadFloat(objectText, "YPos", -kWorldReach, kWorldReach),
                       ReadFloat(objectText, "ZPos", -kWorldReach, kWorldReach));
    object.SetRotationDegrees(ReadAngle(objectText, "XAngle"), ReadAngle(objectText, "YAngle"),
                              ReadAngle(objectText, "ZAngle"));
    object.SetScale(ReadFloat(objectText, "XScale", -kMaxScale, kMaxScale),
                    ReadFloat(objectText, "YScale", -kMaxScale, kMaxScale),
                    ReadFloat(objectText, "ZScale", -kMaxScale, kMaxScale));
}

} // namespace LevelXml
