// "_lg.dat", the enciphered stored login, read as the start-up dialog reads it.
#include "app/CStartupFiles.h"
#include "tests/fuzz/FuzzSupport.h"

namespace
{

bool HoldsTag(const XString& text)
{
    for (const char* tag : {"<User>", "</User>", "<Pass>", "</Pass>"})
        if (text.Find(tag) >= 0)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    static bool checksWritten = false;
    if (!checksWritten)
    {
        const XString text = CStartupFiles::ChecksText(true, true);
        fuzz::WriteBytes(folder + CStartupFiles::kChecksFile, reinterpret_cast<const uint8_t*>(text.GetBuffer()),
                         text.GetLength());
        checksWritten = true;
    }
    fuzz::WriteBytes(folder + CStartupFiles::kLoginFile, data, size);
    CStartupFiles::Checks checks;
    CStartupFiles(folder.c_str()).Load(checks);
    // What was read is written again and must read back as the same login. The file keeps its
    // texts as typed, without escaping, so a text that holds one of the file's own tags is cut
    // where the tag stands, as it always was; those texts are left out of the check.
    CStartupFiles(folder.c_str()).Save(checks);
    CStartupFiles::Checks again;
    CStartupFiles(folder.c_str()).Load(again);
    if (!HoldsTag(checks.userName) && !HoldsTag(checks.password))
        fuzz::Check(again.userName == checks.userName && again.password == checks.password,
                    "a stored login reads back as another login", checks.userName.GetBuffer());
    return 0;
}
