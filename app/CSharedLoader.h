// The start-up loader: a one-shot thread that loads the meshes and textures the world objects
// share into CPU memory (GPU copies are made later on the main thread), and their unloading in
// reverse order at shutdown.
#pragma once

#include "foundation/XString.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

class CSharedLoader
{
public:
    struct Step
    {
        const char* name;
        // False with the reason in error; later steps still run.
        std::function<bool(XString& error)> load;
        std::function<void()> unload;
    };

    // The game's loaders in their fixed order: scenery meshes, wall textures, cube meshes and
    // textures. The line buffer and the 3D digits are GPU objects, made on first use instead.
    static std::vector<Step> GameSteps(const XString& dataFolder);

    // published runs on the loader's thread once every step ran (the level sets its flag there).
    CSharedLoader(std::vector<Step> steps, std::function<void()> published);
    // Joins a thread still running, so that it never outlives the flag it writes.
    ~CSharedLoader();
    CSharedLoader(const CSharedLoader&) = delete;
    CSharedLoader& operator=(const CSharedLoader&) = delete;

    // Starts the thread; when it cannot be started the steps run here, on the calling thread.
    // Returns whether a thread was started.
    bool Start();
    // Polls the flag until it is set or maxMs passed; true when set.
    bool Wait(unsigned maxMs);
    // Waits for the thread to end, then runs the unloaders in reverse order when every loader ran.
    // Returns whether the unloaders ran.
    bool Unload();

    // Failures of the loaders, one line each, handed over once: empty while the loader runs, and
    // on every later call. A step that returned false or threw anything at all counts as failed.
    std::vector<XString> TakeErrors();

private:
    void RunSteps();
    void RunStep(Step& step);
    void Record(const char* stepName, const char* error) noexcept;

    std::vector<Step> m_steps;
    std::function<void()> m_published;
    std::atomic<bool> m_loaded{false};
    std::vector<XString> m_errors;
    unsigned m_uiUnrecorded = 0;
    std::thread m_thread;
    bool m_bUnloaded = false;
};
