// The level document's element writer and tag-search reader: value encodings, object elements and
// the nine-float placement block shared by every world object.
#pragma once

#include "foundation/XString.h"

#include <cstring>
#include <string>
#include <vector>

class XDXMeshObject;

namespace LevelXml
{

// No level places anything this far from the board's centre (scenery stands within 200 units of
// it): positions and sizes beyond are damage, and far larger ones overflow the cell arithmetic.
constexpr float kWorldReach = 1000.0f;
// A scale beyond this would stretch one object across the whole world.
constexpr float kMaxScale = 100.0f;

// TAB <name>value</name> CR LF, with depth tabs in front. The reader finds elements by tag search,
// so a text holding markup would bring elements of its own: "<" and ">" are left out of value.
void AppendText(XString& out, int depth, const char* name, const XString& value);
void AppendInt(XString& out, int depth, const char* name, int value);
void AppendUnsigned(XString& out, int depth, const char* name, unsigned value);
// "%f": six digits after the point.
void AppendFloat(XString& out, int depth, const char* name, float value);
void AppendBool(XString& out, int depth, const char* name, bool value);

// The text between the first "<name>" at or after start and the following "</name>"; empty when
// either tag is missing. Safe on any bytes, NULs included.
XString ElementText(const XString& document, const char* name, unsigned start = 0);
// Like the C runtime's atoi: leading blanks, sign, digits; saturates instead of overflowing.
int ReadInt(const XString& document, const char* name);
// Negative texts read as 0.
unsigned ReadUnsigned(const XString& document, const char* name);
// Like atof, then held within lowest..highest: a file's float feeds casts to cell numbers and
// seconds that a huge value would overflow. A NaN reads as 0 before the clamp, an infinity as the
// end it points to.
float ReadFloat(const XString& document, const char* name, float lowest, float highest);
// Degrees brought within one turn (-360..360) by dropping whole turns, so the direction is kept;
// a NaN or an infinity reads as 0.
float ReadAngle(const XString& document, const char* name);
// True exactly when the text begins with "true" in any case.
bool ReadBool(const XString& document, const char* name);

// "<kind_N>" CR LF and its closing counterpart, tab-indented.
void OpenObject(XString& out, const char* kind, int index);
void CloseObject(XString& out, const char* kind, int index);
// The sub-document of object kind_N: between its first opening tag and the closing tag after it.
XString ObjectText(const XString& document, const char* kind, int index);
// The whole element kind_N, tags included, searched from cursor first (objects follow each other,
// so a level reads in one pass) and from the start when it is not found there. cursor moves past
// the element found.
XString ObjectElement(const XString& document, const char* kind, int index, unsigned& cursor);

// The elements of one object's text, found in one pass over it: a full level reads some 10,000 of
// them, which searching the text anew for each would make the bulk of an undo in the builder.
// Each reads exactly what the functions above read from the same text.
class Fields
{
public:
    // text must outlive the fields and stay unchanged.
    explicit Fields(const XString& text);
    // The fields of ObjectText(document, kind, index), read in place.
    Fields(const XString& document, const char* kind, int index);
    // The element's text, as ElementText gives it.
    std::string Value(const char* name) const;

private:
    void Scan(const char* data, const char* end);

    struct Tag
    {
        // First and last characters first: most tags differ there, and a call to memcmp for
        // each would cost more than the rest of the read.
        bool Is(const char* other, size_t otherLength) const
        {
            return length == otherLength && name[0] == other[0] && name[length - 1] == other[length - 1] &&
                   std::memcmp(name, other, length) == 0;
        }
        bool IsClosing(const char* other, size_t otherLength) const
        {
            return length == otherLength + 1 && name[0] == '/' && name[1] == other[0] &&
                   std::memcmp(name + 1, other, otherLength) == 0;
        }
        // The text after a '<' up to the next '>'.
        const char* name;
        size_t length;
    };

    // In the order of the text; pointing into the text, which outlives the fields.
    std::vector<Tag> m_tags;
};

int ReadInt(const Fields& fields, const char* name);
float ReadFloat(const Fields& fields, const char* name, float lowest, float highest);
bool ReadBool(const Fields& fields, const char* name);

// XPos .. ZScale: position, rotation in degrees, scale. Reading holds positions within
// kWorldReach of the centre and scales within kMaxScale either way.
void AppendPlacement(XString& out, const XDXMeshObject& object);
void ReadPlacement(const Fields& fields, XDXMeshObject& object);

} // namespace LevelXml
