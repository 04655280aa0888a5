// XBStr: a reference-counted wide (UTF-16) string, the stand-in for the system's BSTR holder.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class XBStr
{
public:
    // An empty holder reads as an empty wide string; copies share the same text.
    XBStr() = default;
    explicit XBStr(std::u16string text);

    // Converts 8-bit Windows-1252 text; every byte maps to exactly one UTF-16 unit.
    static XBStr FromAnsi(const char* text, size_t length);
    // Converts back to Windows-1252; units without a code in that page become '?'.
    std::string ToAnsi() const;

    const char16_t* GetData() const;
    size_t GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    std::u16string_view View() const;
    // Number of holders sharing the text (0 for an empty holder).
    long UseCount() const { return m_spText.use_count(); }

    bool operator==(const XBStr& other) const { return View() == other.View(); }

private:
    std::shared_ptr<const std::u16string> m_spText;
};
