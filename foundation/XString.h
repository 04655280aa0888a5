// XString: the one string type, 8-bit ANSI text with an explicit length, 64 characters inline.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "foundation/XBStr.h"

class XException;
class XStringArray;

// Default for every count and for the start of backward searches: "to the end".
const unsigned XSTR_ALL = 0x80000000u;

class XString
{
public:
    // Characters that fit the inline buffer; one more byte for the terminator, padded to 68.
    static const unsigned kInlineChars = 64;
    static const unsigned kInlineBytes = 68;

    // ReadFile and WriteFile mode bits.
    static const unsigned kFileBinary = 0x04;
    static const unsigned kFileTruncate = 0x10;
    static const unsigned kFileAppend = 0x20;
    static const unsigned kFileAtEnd = 0x40;

    // Construction, assignment and state ------------------------------------------------------

    XString();
    // Creates the error text object only when withErrorText is true; the second flag is unused.
    XString(bool withErrorText, bool unused);
    XString(const XString& other);
    XString(const char* pcsz);
    explicit XString(char c);
    explicit XString(int value);
    explicit XString(unsigned value);
    explicit XString(long value);
    virtual ~XString();

    // Resets every field to an empty inline string; the scratch results are released.
    void Init(bool withErrorText);

    // A NULL text leaves the string unchanged.
    XString& operator=(const char* pcsz);
    // On a string whose Init never ran, runs Init(true) first.
    XString& operator=(const XString& other);
    XString& operator=(const XBStr& wide);
    XString& operator=(int value);
    XString& operator=(unsigned value);
    XString& operator=(int64_t value);

    // Replaces the text by the first `length` characters of pcsz (all of it for -1); NULL does
    // nothing. Resets the append statistics, so a long text gets a heap buffer without spare room.
    void SetData(const char* pcsz, int length = -1);
    void SetData(const XString& other);
    // Wide text is converted to Windows-1252; characters outside it become '?'.
    void SetData(const XBStr& wide);

    // Releases the heap buffer and both scratch results and the error text; the text becomes "".
    void Free();
    // Ensures room for n characters plus the terminator; keeps the text.
    void MakeSize(unsigned n);

    unsigned GetLength() const { return m_uiLength; }
    bool IsEmpty() const { return m_uiLength == 0; }
    bool HasLength(unsigned n) const { return m_uiLength >= n; }
    // 65 while the text is inline, else the heap buffer's size.
    unsigned GetCapacity() const;
    // Pointer to the character at min(index, length); never fails and never returns NULL.
    char* GetBuffer(unsigned index = 0);
    const char* GetBuffer(unsigned index = 0) const;
    // Recomputes the length up to the first NUL after a caller wrote into the buffer directly.
    void SyncLength();
    // Decimals for appended floats; values below -1 are stored as -1 (= "%f").
    void SetPrecision(signed char precision);
    signed char GetPrecision() const { return m_cPrecision; }
    // The last error of a file or system member, or "" when there is none.
    const char* GetErrorMsg() const;

    // Growth statistics of the append path (reset by SetData and Init).
    unsigned GetReallocCount() const { return m_uiReallocCount; }
    unsigned GetAppendCount() const { return m_uiAppendCount; }
    float GetAverageAppend() const { return m_fAverageAppend; }

    // Appending ------------------------------------------------------------------------------

    XString& operator+=(const char* pcsz);
    XString& operator+=(const XString& other);
    XString& operator+=(char c);
    XString& operator+=(int value);
    XString& operator+=(unsigned value);
    XString& operator+=(uint64_t value);
    XString& operator+=(bool value);
    XString& operator+=(float value);
    XString& operator+=(double value);

    // NUL appends nothing.
    void Append(char c);
    void Append(char c, unsigned count);
    // Appends the first min(maxLength, strlen) characters of pcsz, `times` times.
    void Append(const char* pcsz, unsigned times = 1, unsigned maxLength = XSTR_ALL);
    // Appends exactly `count` bytes (NUL bytes included); leaves the append statistics alone.
    void AppendData(const char* data, unsigned count);
    void AppendNoExist(char c, unsigned count = 1);
    void AppendNoExist(const char* pcsz, unsigned times = 1);
    void AppendNoExistNoCase(const char* pcsz, unsigned times = 1);
    // An index at or past the end appends.
    void Insert(const char* pcsz, unsigned index, unsigned times = 1);
    void Insert(char c, unsigned index, unsigned times = 1);
    void PadLeft(char c, unsigned width);
    // Returns the sub-result set to this text plus pcsz; this string is unchanged.
    XString& operator+(const char* pcsz) const;
    // printf-style; a bad format throws code 5019. Format of an empty result leaves "".
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatAppend(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    void FormatAppendV(const char* format, va_list args);

    // Comparing -----------------------------------------------------------------------------

    // NULL throws code 3.
    bool operator==(const char* pcsz) const;
    bool operator!=(const char* pcsz) const;
    // Equal lengths and equal bytes, embedded NULs included.
    bool operator==(const XString& other) const;
    bool operator!=(const XString& other) const { return !(*this == other); }

    // -1, 0 or 1 over at most `count` characters from each index; when one text runs out
    // first, the shorter remainder sorts first. Indexes past a non-empty text throw code 2.
    int Compare(const char* pcszCompareTo, unsigned uiCompareToIndex = 0, unsigned uiSrcIndex = 0,
                unsigned count = XSTR_ALL) const;
    int Compare(const XString& compareTo, unsigned uiCompareToIndex = 0, unsigned uiSrcIndex = 0,
                unsigned count = XSTR_ALL) const;
    // A difference is the runtime's signed difference, not normalised to +-1.
    int CompareNoCase(const char* pcszCompareTo, unsigned uiCompareToIndex = 0,
                      unsigned uiSrcIndex = 0, unsigned count = XSTR_ALL) const;
    int CompareNoCase(const XString& compareTo, unsigned uiCompareToIndex = 0,
                      unsigned uiSrcIndex = 0, unsigned count = XSTR_ALL) const;
    bool StartsWith(char c) const;
    bool EndsWith(char c) const;
    bool StartsWith(const char* pcsz) const;
    bool EndsWith(const char* pcsz) const;
    bool StartsWithNoCase(const char* pcsz) const;
    bool EndsWithNoCase(const char* pcsz) const;

    // Searching: each returns an index or -1; the window is [start, start + count) ------------

    int Find(char c, unsigned start = 0, unsigned count = XSTR_ALL) const;
    // An empty pcsz is never found.
    int Find(const char* pcsz, unsigned start = 0, unsigned count = XSTR_ALL) const;
    int FindNoCase(const char* pcsz, unsigned start = 0, unsigned count = XSTR_ALL) const;
    // Backward: start at or past the end means the last character.
    int FindRev(char c, unsigned start = XSTR_ALL, unsigned count = XSTR_ALL) const;
    int FindRev(const char* pcsz, unsigned start = XSTR_ALL, unsigned count = XSTR_ALL) const;
    // `which` receives the index in `set` of the character found.
    int FindOneOf(const char* set, unsigned start = 0, unsigned count = XSTR_ALL,
                  unsigned* which = nullptr) const;
    int FindOneOfNoCase(const char* set, unsigned start = 0, unsigned count = XSTR_ALL,
                        unsigned* which = nullptr) const;
    bool Contains(char c, unsigned start = 0, unsigned count = XSTR_ALL) const;
    bool Contains(const char* pcsz, unsigned start = 0, unsigned count = XSTR_ALL) const;
    bool ContainsNoCase(const char* pcsz, unsigned start = 0, unsigned count = XSTR_ALL) const;
    unsigned Count(char c) const;
    unsigned Count(char c, unsigned max, unsigned start) const;

    // Extracting: each returns this string's sub-result, OVERWRITTEN by the next such call -----

    XString& Sub(unsigned start, unsigned count = XSTR_ALL) const;
    XString& SubBegFindFwd(char c) const;
    XString& SubEndFindFwd(char c) const;
    XString& SubEndFindRev(char c) const;
    XString& SubEndFindRev(const char* pcsz) const;
    XString& SubBetweenFwd(const char* begin, const char* end, unsigned start = 0) const;
    XString& SubBetweenFwd(const XString& begin, const XString& end, unsigned start = 0) const;
    XString& SpanFwdExcluding(const char* set, unsigned start = 0, unsigned count = XSTR_ALL) const;
    // A lower-case letter in `set` also admits its upper-case form, not the other way round.
    XString& SpanFwdIncludingNoCase(const char* set, unsigned start = 0,
                                    unsigned count = XSTR_ALL) const;
    // Returns this string's split result, OVERWRITTEN by the next Split. With maxParts, the text
    // after the last separator taken is dropped.
    XStringArray& Split(char separator, unsigned maxParts = 0) const;

    // Editing in place ----------------------------------------------------------------------

    // c == NUL truncates at index; otherwise writes count copies from index, growing the text.
    void Set(char c, unsigned index, unsigned count = 1);
    char operator[](int index) const;
    char& operator[](int index);
    char& operator[](unsigned index);
    char operator[](size_t index) const;
    char& operator[](size_t index);
    void Delete(unsigned start, unsigned count);
    void Truncate(unsigned n);
    void CutAtLast(char c);
    void TrimLeft(char c);
    void TrimRight(char c);
    void Trim(char c);
    // Removes every trailing repetition of pcsz, ignoring case.
    void TrimRightNoCase(const char* pcsz);
    void CollapseRuns(char c);
    void RemoveChar(char c);
    void ReplaceChar(char from, char to);
    void ReplaceCharNoCase(char from, char to);
    void ReplaceFwd(char c, const char* with, unsigned start = 0, unsigned maxCount = XSTR_ALL);
    void ReplaceRev(char c, const char* with, unsigned start = XSTR_ALL, unsigned maxCount = XSTR_ALL);
    void ReplaceEndsWith(char c, const char* with);
    void MakeLower();
    void MakeUpper();
    void Reverse();

    // Converting ----------------------------------------------------------------------------

    int ToInt(unsigned index = 0) const;
    double ToDouble(unsigned index = 0) const;
    // "true" in any case at min(index, length); "trueish" counts too.
    bool IsTrue(unsigned index = 0) const;
    XBStr ToBStrT(unsigned index = 0) const;
    // Kind 1 is a two-way polynomial hash; any other kind gives 0.
    uint64_t GetHash(int kind) const;

    // File and system services: return false and leave the reason in GetErrorMsg() ----------

    // Replaces the text by the whole file (NUL bytes kept).
    bool ReadFile(const char* filename, unsigned mode = kFileBinary);
    // Writes all GetLength() bytes; mode kFileBinary, optionally | kFileAppend.
    bool WriteFile(const char* filename, bool createDirectories, unsigned mode = kFileBinary);
    bool DeleteFile();
    // Creates the directory this string names, with all missing parents.
    bool CreateDirectory();
    // Deletes the directory this string names with everything in it.
    bool RemoveDirectory();
    bool DirectoryExists() const;
    // path: root key, backslash, subkey path, backslash, value name.
    bool ReadRegistryValue(const char* path);
    bool GetComputerName();
    // Ends in a backslash.
    bool GetSystemDirectory();
    bool CreateGuid(bool withoutDashes);
    // NULL format means "MM/DD/YYYY hh:mm:ss tt".
    bool GetTime(const char* format, bool utc);
    // method 2 is the only cipher; any other method changes nothing and succeeds.
    bool Encrypt(const char* password, int method);
    bool Decrypt(const char* password, int method);
    void EncodeBase64();
    void DecodeBase64();
    void EncodeTwoByteHex();
    void UrlEncode(bool strict);

private:
    // Error text helpers for the file and system members; the error text object is created
    // on demand so that a failure on a string built without one still reports its reason.
    void ClearErrorMsg();
    void SetErrorMsg(const char* text, const char* detail = nullptr);
    void AppendErrorMsg(const char* text);
    void AppendErrorMsg(unsigned value);
    void AppendErrorMsg(int value);

    // The library's throwing convention: class literal "XString"; a rethrow keeps the code and
    // carries the inner message after the wrapper text ("in Member failed. Msg=").
    [[noreturn]] static void Throw(uint32_t code, const char* message);
    [[noreturn]] static void Rethrow(const XException& inner, const char* wrapper);
    // A heap block of `size` bytes, or NULL when it cannot be had (never throws).
    static char* AllocChars(uint64_t size);

    char* Data() { return m_pszHeap ? m_pszHeap : m_szInline; }
    const char* Data() const { return m_pszHeap ? m_pszHeap : m_szInline; }
    unsigned GrowthExtra() const;
    // The append path: counts the append and grows by the adaptive policy. `memoryError` is
    // the code-1 message of the calling member.
    void AppendChars(const char* data, unsigned n, const char* memoryError);
    void SetLengthRaw(unsigned length);
    XString& SubResult(const char* memoryError) const;
    void FormatInto(const char* format, va_list args, bool append);

    char* m_pszHeap;
    char m_szInline[kInlineBytes];
    unsigned m_uiLength;
    unsigned m_uiCapacity;
    bool m_bInitialised;
    // Scratch results: owned here, pointing at separate objects, never at this string.
    mutable XString* m_pSub;
    mutable XStringArray* m_pSplit;
    signed char m_cPrecision;
    XString* m_pErrorMsg;
    float m_fAverageAppend;
    unsigned m_uiReallocCount;
    unsigned m_uiAppendCount;
};

bool operator!=(const char* pcsz, const XString& str);
