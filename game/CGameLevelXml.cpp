// Element writing and tag-search reading of the level document.
#include "game/CGameLevelXml.h"

#include "engine/XDXMeshObject.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

namespace
{

const char kTab = '\t';
const char* const kCrLf = "\r\n";
// Radians to the degrees the document stores.
const float kDegreesPerRadian = 57.2957795f;
const double kFullTurn = 360.0;

// Tags and numbers are put together in a buffer on the stack and appended in one piece: a level
// document is written as some 15,000 of them, on every edit in the builder.
const size_t kTagRoom = 96;
const size_t kNumberRoom = 64;
// How far past the end of one object element the next is first looked for.
const unsigned kNextElementReach = 256;
// Opening and closing tags of the object with most elements, a cube, with room to spare.
const size_t kTypicalTags = 48;

// "<name>" or "</name>" (with closing), or "" for a name too long for the buffer, which no
// element of the document has.
size_t MakeTag(char* buffer, const char* name, bool closing)
{
    const size_t length = std::strlen(name);
    const size_t prefix = closing ? 2 : 1;
    if (length + prefix + 2 > kTagRoom)
    {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, closing ? "</" : "<", prefix);
    std::memcpy(buffer + prefix, name, length);
    buffer[prefix + length] = '>';
    buffer[prefix + length + 1] = '\0';
    return prefix + length + 1;
}

// "<kind_N>" or "</kind_N>".
size_t MakeObjectTag(char* buffer, const char* kind, int index, bool closing)
{
    char name[kTagRoom];
    const size_t length = std::strlen(kind);
    if (length + 16 > kTagRoom)
    {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(name, kind, length);
    name[length] = '_';
    const std::to_chars_result number = std::to_chars(name + length + 1, name + kTagRoom - 1, index);
    *number.ptr = '\0';
    return MakeTag(buffer, name, closing);
}

void AppendOpen(XString& out, int depth, const char* name)
{
    out.Append(kTab, static_cast<unsigned>(depth));
    char tag[kTagRoom];
    MakeTag(tag, name, false);
    out += tag;
}

void AppendClose(XString& out, const char* name)
{
    char tag[kTagRoom + 2];
    const size_t length = MakeTag(tag, name, true);
    std::memcpy(tag + length, kCrLf, 3);
    out += tag;
}

template <class Number>
void AppendNumber(XString& out, Number value)
{
    char text[kNumberRoom];
    *std::to_chars(text, text + sizeof(text) - 1, value).ptr = '\0';
    out += text;
}

// Where the text between the tags open and close lies, the first open at or after start; false
// when either is missing.
bool FindBetween(const XString& document, const char* open, size_t openLength, const char* close, unsigned start,
                 unsigned& textStart, unsigned& textLength)
{
    if (openLength == 0)
        return false;
    const int begin = document.Find(open, start);
    if (begin < 0)
        return false;
    textStart = static_cast<unsigned>(begin) + static_cast<unsigned>(openLength);
    const int end = document.Find(close, textStart);
    if (end < 0)
        return false;
    textLength = static_cast<unsigned>(end) - textStart;
    return true;
}

bool FindElement(const XString& document, const char* name, unsigned start, unsigned& textStart,
                 unsigned& textLength)
{
    char open[kTagRoom];
    char close[kTagRoom];
    const size_t openLength = MakeTag(open, name, false);
    MakeTag(close, name, true);
    return FindBetween(document, open, openLength, close, start, textStart, textLength);
}

// Where the text of the index-th object of kind lies in the document; false when it is missing.
bool FindObject(const XString& document, const char* kind, int index, unsigned& textStart, unsigned& textLength)
{
    char open[kTagRoom];
    char close[kTagRoom];
    const size_t openLength = MakeObjectTag(open, kind, index, false);
    MakeObjectTag(close, kind, index, true);
    return FindBetween(document, open, openLength, close, 0, textStart, textLength);
}

// The element's text as the conversions read it: up to its end or its first NUL. Numbers are read
// some 10,000 times for a full level, where a std::string of a few characters needs no heap.
std::string ElementValue(const XString& document, const char* name)
{
    unsigned textStart = 0;
    unsigned textLength = 0;
    if (!FindElement(document, name, 0, textStart, textLength))
        return std::string();
    return std::string(document.GetBuffer(textStart), textLength);
}

int IntOf(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX)));
}

unsigned UnsignedOf(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value < 0)
        return 0;
    return value > static_cast<long long>(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(value);
}

// strtod's reading of the text. A plain decimal ("-12.500000", as the writer writes them) is
// converted by from_chars, which rounds exactly as strtod does without its locale and blank and
// hex handling; anything else goes to strtod itself.
double DoubleOf(const std::string& text)
{
    const char* const first = text.c_str();
    const char* const last = first + text.size();
    const char* at = first + (first != last && *first == '-' ? 1 : 0);
    bool digits = false;
    bool point = false;
    for (; at != last; ++at)
    {
        if (*at >= '0' && *at <= '9')
            digits = true;
        else if (*at == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits && at == last)
    {
        // Out of range, from_chars leaves the value alone where strtod gives infinity or zero.
        double value = 0.0;
        const std::from_chars_result read = std::from_chars(first, last, value, std::chars_format::fixed);
        if (read.ec == std::errc() && read.ptr == last)
            return value;
    }
    return std::strtod(first, nullptr);
}

float FloatOf(const std::string& text, float lowest, float highest)
{
    // Clamped as a double: a value beyond the float range has no float to convert to.
    const double read = DoubleOf(text);
    const double value = std::isnan(read) ? 0.0 : read;
    return static_cast<float>(std::clamp(value, static_cast<double>(lowest), static_cast<double>(highest)));
}

float AngleOf(const std::string& text)
{
    const double value = DoubleOf(text);
    if (!std::isfinite(value))
        return 0.0f;
    return static_cast<float>(std::fmod(value, kFullTurn));
}

bool BoolOf(const std::string& text)
{
    return text.size() >= 4 && strncasecmp(text.c_str(), "true", 4) == 0;
}

} // namespace

namespace LevelXml
{

Fields::Fields(const XString& text)
{
    Scan(text.GetBuffer(), text.GetBuffer() + text.GetLength());
}

Fields::Fields(const XString& document, const char* kind, int index)
{
    unsigned textStart = 0;
    unsigned textLength = 0;
    if (FindObject(document, kind, index, textStart, textLength))
        Scan(document.GetBuffer(textStart), document.GetBuffer(textStart) + textLength);
}

void Fields::Scan(const char* const data, const char* const end)
{
    // One plain loop: the tags are a few characters long, where a library search per character
    // class costs more in calls than it saves.
    m_tags.reserve(kTypicalTags);
    const char* open = nullptr;
    // The first '<' after open, which is where the next tag starts.
    const char* inner = nullptr;
    for (const char* at = data; at < end; ++at)
    {
        if (!open)
        {
            if (*at == '<')
                open = at;
        }
        else if (*at == '>')
        {
            m_tags.push_back({open + 1, static_cast<size_t>(at - open - 1)});
            // The next tag is looked for just after this one's '<', as a search from there would:
            // from a '<' inside this tag, or else past its '>'.
            open = inner;
            inner = nullptr;
            if (open)
                at = open;
        }
        else if (*at == '<' && !inner)
            inner = at;
    }
}

std::string Fields::Value(const char* name) const
{
    // "<name>" stands at a '<' exactly when the text up to the next '>' is the name, since no name
    // holds a '<' or a '>'; so the first such tag, and the first "</name>" after it, are what a
    // search of the text finds.
    const size_t length = std::strlen(name);
    if (length == 0)
        return std::string();
    size_t i = 0;
    while (i < m_tags.size() && !m_tags[i].Is(name, length))
        ++i;
    for (size_t j = i + 1; j < m_tags.size(); ++j)
        if (m_tags[j].IsClosing(name, length))
        {
            const char* text = m_tags[i].name + m_tags[i].length + 1;
            return std::string(text, static_cast<size_t>(m_tags[j].name - 1 - text));
        }
    return std::string();
}

int ReadInt(const Fields& fields, const char* name)
{
    return IntOf(fields.Value(name));
}

float ReadFloat(const Fields& fields, const char* name, float lowest, float highest)
{
    return FloatOf(fields.Value(name), lowest, highest);
}

bool ReadBool(const Fields& fields, const char* name)
{
    return BoolOf(fields.Value(name));
}

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
    AppendNumber(out, value);
    AppendClose(out, name);
}

void AppendUnsigned(XString& out, int depth, const char* name, unsigned value)
{
    AppendOpen(out, depth, name);
    AppendNumber(out, value);
    AppendClose(out, name);
}

void AppendFloat(XString& out, int depth, const char* name, float value)
{
    AppendOpen(out, depth, name);
    // Fixed with six decimals is exactly what printf's "%f" writes, without its locale and format
    // parsing; only the texts of infinities and NaNs differ, and those keep printf's.
    if (std::isfinite(value))
    {
        char text[kNumberRoom];
        const std::to_chars_result end =
            std::to_chars(text, text + sizeof(text) - 1, static_cast<double>(value), std::chars_format::fixed, 6);
        *end.ptr = '\0';
        if (end.ec == std::errc())
            out += text;
        else
            out.FormatAppend("%f", static_cast<double>(value));
    }
    else
    {
        out.FormatAppend("%f", static_cast<double>(value));
    }
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
    unsigned textStart = 0;
    unsigned textLength = 0;
    XString text;
    if (FindElement(document, name, start, textStart, textLength))
        text.SetData(document.GetBuffer(textStart), static_cast<int>(textLength));
    return text;
}

int ReadInt(const XString& document, const char* name)
{
    return IntOf(ElementValue(document, name));
}

unsigned ReadUnsigned(const XString& document, const char* name)
{
    return UnsignedOf(ElementValue(document, name));
}

float ReadFloat(const XString& document, const char* name, float lowest, float highest)
{
    return FloatOf(ElementValue(document, name), lowest, highest);
}

float ReadAngle(const XString& document, const char* name)
{
    return AngleOf(ElementValue(document, name));
}

bool ReadBool(const XString& document, const char* name)
{
    return BoolOf(ElementValue(document, name));
}

void OpenObject(XString& out, const char* kind, int index)
{
    char tag[kTagRoom];
    MakeObjectTag(tag, kind, index, false);
    out += kTab;
    out += tag;
    out += kCrLf;
}

void CloseObject(XString& out, const char* kind, int index)
{
    char tag[kTagRoom];
    MakeObjectTag(tag, kind, index, true);
    out += kTab;
    out += tag;
    out += kCrLf;
}

XString ObjectText(const XString& document, const char* kind, int index)
{
    unsigned textStart = 0;
    unsigned textLength = 0;
    XString text;
    if (FindObject(document, kind, index, textStart, textLength))
        text.SetData(document.GetBuffer(textStart), static_cast<int>(textLength));
    return text;
}

XString ObjectElement(const XString& document, const char* kind, int index, unsigned& cursor)
{
    char open[kTagRoom];
    char close[kTagRoom];
    const size_t openLength = MakeObjectTag(open, kind, index, false);
    const size_t closeLength = MakeObjectTag(close, kind, index, true);
    if (openLength == 0)
        return XString();
    // The element is expected right at the cursor, past the line end and indent of the one before.
    int begin = document.Find(open, cursor, kNextElementReach);
    if (begin < 0)
        begin = document.Find(open, cursor);
    if (begin < 0)
        begin = document.Find(open);
    if (begin < 0)
        return XString();
    const int end = document.Find(close, static_cast<unsigned>(begin) + static_cast<unsigned>(openLength));
    if (end < 0)
        return XString();
    const unsigned elementEnd = static_cast<unsigned>(end) + static_cast<unsigned>(closeLength);
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

void ReadPlacement(const Fields& fields, XDXMeshObject& object)
{
    object.SetPosition(ReadFloat(fields, "XPos", -kWorldReach, kWorldReach),
                       ReadFloat(fields, "YPos", -kWorldReach, kWorldReach),
                       ReadFloat(fields, "ZPos", -kWorldReach, kWorldReach));
    object.SetRotationDegrees(AngleOf(fields.Value("XAngle")), AngleOf(fields.Value("YAngle")),
                              AngleOf(fields.Value("ZAngle")));
    object.SetScale(ReadFloat(fields, "XScale", -kMaxScale, kMaxScale),
                    ReadFloat(fields, "YScale", -kMaxScale, kMaxScale),
                    ReadFloat(fields, "ZScale", -kMaxScale, kMaxScale));
}

} // namespace LevelXml
