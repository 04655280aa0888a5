// "Upg.xml", the level sets an install offers: through the game's list and the score server's
// reading of the same file, which must agree on the names.
#include "screens/CLevelSetList.h"
#include "server/CServerOptions.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    fuzz::WriteBytes(folder + CLevelSetList::kFileName, data, size);
    CLevelSetList list;
    list.Read(folder.c_str());
    const std::vector<std::string> names =
        plk::server::LevelSetNames(std::string(reinterpret_cast<const char*>(data), size));
    fuzz::Check(names.size() == list.GetCount(), "the game and the server see different level sets");
    for (unsigned i = 0; i < list.GetCount(); ++i)
    {
        const XString& name = list.GetName(i);
        fuzz::Check(names[i] == std::string(name.GetBuffer(), name.GetLength()),
                    "the game and the server name a level set differently", names[i]);
        fuzz::Check(!name.IsEmpty() && !list.GetDescription(i).IsEmpty(), "a level set without a name");
    }
    return 0;
}
