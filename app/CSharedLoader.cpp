// The shared-resource loader thread and the ordered unloading.
#include "app/CSharedLoader.h"

#include "game/CFieldObject.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "foundation/XException.h"

#include <chrono>
#include <system_error>

namespace
{

// How often the main thread looks at the flag while it waits: short, so that start-up never
// idles long after the loader is done.
const std::chrono::milliseconds kPollInterval(5);

} // namespace

std::vector<CSharedLoader::Step> CSharedLoader::GameSteps(const XString& dataFolder)
{
    return {
        {"scenery meshes", [dataFolder](XString& error) { return CFieldObject::LoadShared(dataFolder, error); },
         [] { CFieldObject::FreeShared(); }},
        {"wall textures", [dataFolder](XString& error) { return CWallBlock::LoadShared(dataFolder, error); },
         [] { CWallBlock::FreeShared(); }},
        {"cube meshes and textures",
         [dataFolder](XString& error) { return CPlayBlock::LoadShared(dataFolder, error); },
         [] { CPlayBlock::FreeShared(); }},
    };
}

CSharedLoader::CSharedLoader(std::vector<Step> steps, std::function<void()> published)
    : m_steps(std::move(steps)), m_published(std::move(published))
{
}

CSharedLoader::~CSharedLoader()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CSharedLoader::RunSteps()
{
    for (Step& step : m_steps)
    {
        XString error;
        bool ok = true;
        try
        {
            ok = !step.load || step.load(error);
        }
        catch (const XException& e)
        {
            // An exception must not end the process from a thread nobody catches on.
            ok = false;
            error = e.GetMessage();
        }
        if (!ok)
        {
            XString line("Error: in CSharedLoader, loading the ");
            line += step.name;
            line += " failed. Msg=";
            line += error;
            m_errors.push_back(line);
        }
    }
    if (m_published)
        m_published();
    // Publishes m_errors too: the main thread reads them only after it saw the flag.
    m_loaded.store(true, std::memory_order_release);
}

bool CSharedLoader::Start()
{
    try
    {
        m_thread = std::thread([this] { RunSteps(); });
        return true;
    }
    catch (const std::system_error&)
    {
        RunSteps();
        return false;
    }
}

bool CSharedLoader::Wait(unsigned maxMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (!m_loaded.load(std::memory_order_acquire))
    {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

bool CSharedLoader::Unload()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_bUnloaded || !m_loaded.load(std::memory_order_acquire))
        return false;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        if (step->unload)
            step->unload();
    m_bUnloaded = true;
    return true;
}
