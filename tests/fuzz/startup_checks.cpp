// "Chks.xml", the start-up dialog's check boxes, beside a stored login that reads.
#include "app/CStartupFiles.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    static bool loginWritten = false;
    if (!loginWritten)
    {
        CStartupFiles::Checks stored;
        stored.userName = "player";
        stored.password = "secret";
        CStartupFiles(folder.c_str()).Save(stored);
        loginWritten = true;
    }
    fuzz::WriteBytes(folder + CStartupFiles::kChecksFile, data, size);
    CStartupFiles::Checks checks;
    CStartupFiles(folder.c_str()).Load(checks);
    if (!checks.storeLogin)
        fuzz::Check(checks.userName.IsEmpty() && checks.password.IsEmpty(), "a login filled in with its box off");
    return 0;
}
