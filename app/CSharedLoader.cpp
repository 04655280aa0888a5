// The shared-resource loader thread and the ordered unloading.
#include "app/CSharedLoader.h"

#include "game/CFieldObject.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "foundation/XException.h"

#include <chrono>
#include <exception>
#include <new>
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
        RunStep(step);
    if (m_published)
        m_published();
    // Publishes m_errors too: the main thread reads them only after it saw the flag.
    m_loaded.store(true, std::memory_order_release);
}

void CSharedLoader::RunStep(Step& step)
{
    // Nothing may leave the thread: an exception that ends a thread's function ends the process.
    try
    {
        XString error;
        if (!step.load || step.load(error))
            return;
        Record(step.name, error.GetBuffer());
    }
    catch (const XException& e)
    {
        Record(step.name, e.GetMessage());
    }
    catch (const std::bad_alloc&)
    {
        Record(step.name, "out of memory");
    }
    catch (const std::exception& e)
    {
        Record(step.name, e.what());
    }
    catch (...)
    {
        Record(step.name, "an exception of unknown type");
    }
}

void CSharedLoader::Record(const char* stepName, const char* error) noexcept
{
    try
    {
        XString line("Error: in CSharedLoader, loading the ");
        line += stepName;
        line += " failed. Msg=";
        line += error;
        m_errors.push_back(line);
    }
    catch (...)
    {
        // Memory ran out again while the failure was written down; TakeErrors still tells of it.
        ++m_uiUnrecorded;
    }
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

std::vector<XString> CSharedLoader::TakeErrors()
{
    std::vector<XString> errors;
    if (!m_loaded.load(std::memory_order_acquire))
        return errors;
    errors.swap(m_errors);
    if (m_uiUnrecorded > 0)
    {
        XString line;
        line.Format("Error: in CSharedLoader, %u more loading failures could not be recorded (out of memory).",
                    m_uiUnrecorded);
        errors.push_back(line);
        m_uiUnrecorded = 0;
    }
    return errors;
}
