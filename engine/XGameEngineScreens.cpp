// The screen stack: queuing, the per-frame update with its transition gate, drawing bottom-up, deletion.
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "engine/XScreenTransition.h"

void XGameEngine::AddScreen(bool keepOthers, bool unusedFlag, bool exclusive, XGameScreen* screen,
                            XScreenTransition* transition)
{
    if (transition)
    {
        delete m_pTransition;
        m_pTransition = transition;
        ++m_uiTransitionSerial;
    }
    if (!screen)
        return;
    screen->m_bKeepOthers = keepOthers;
    screen->m_bUnused = unusedFlag;
    screen->m_bExclusive = exclusive;
    m_llPending.AddTail(screen);
}

void XGameEngine::Update(bool& quit)
{
    bool midpointNow = false;
    bool skipUpdatePass = false;
    const unsigned gateSerial = m_uiTransitionSerial;
    if (m_pTransition)
    {
        if (m_pTransition->IsHalfway())
        {
            midpointNow = true;
        }
        else if (!m_pTransition->IsFinished())
        {
            return;
        }
        else
        {
            delete m_pTransition;
            m_pTransition = nullptr;
            skipUpdatePass = true;
        }
    }
    bool keepRunning = true;

    if (!skipUpdatePass)
    {
        for (unsigned i = m_llActive.GetCount(); i-- > 0;)
        {
            XGameScreen* screen = m_llActive.Get(i);
            if (!screen)
                continue;
            if (!screen->m_bClosed)
            {
                m_input.SetPlacement2D(GetPlacement2D(screen->GetAnchor2D()));
                screen->MyUpdate();
            }
            if (screen->m_bExclusive)
                break;
        }
    }

    bool replacing = false;
    for (unsigned i = 0; i < m_llPending.GetCount(); ++i)
    {
        XGameScreen* screen = m_llPending.Get(i);
        if (screen && !screen->m_bKeepOthers)
            replacing = true;
    }
    if (replacing)
    {
        for (unsigned i = 0; i < m_llActive.GetCount(); ++i)
        {
            if (XGameScreen* screen = m_llActive.Get(i))
                screen->Close();
        }
    }

    // A transition queued during this update, or one that replaced the transition at its
    // midpoint, holds the queued screens back until its own midpoint.
    const bool sameTransition = m_uiTransitionSerial == gateSerial;
    if (m_pTransition && (!midpointNow || !sameTransition))
        return;

    for (unsigned i = 0; i < m_llActive.GetCount();)
    {
        XGameScreen* screen = m_llActive.Get(i);
        if (!screen || screen->m_bClosed)
            m_llDelete.AddTail(m_llActive.Remove(i));
        else
            ++i;
    }

    if (m_llActive.GetCount() == 0 && m_llPending.GetCount() == 0)
        m_bStop = true;

    if (m_bStop)
    {
        while (m_llActive.GetCount() > 0)
            m_llDelete.AddTail(m_llActive.RemoveHead());
        keepRunning = false;
    }
    else if (replacing)
    {
        m_input.Reset();
        while (m_llActive.GetCount() > 0)
            m_llDelete.AddTail(m_llActive.RemoveHead());
    }

    DeleteDoomed();

    if (keepRunning && m_llPending.GetCount() > 0)
    {
        m_input.Reset();
        // Screens that a MyInit queues wait for the next update.
        for (unsigned count = m_llPending.GetCount(); count > 0; --count)
        {
            XGameScreen* screen = m_llPending.RemoveHead();
            if (!screen)
                continue;
            screen->m_pEngine = this;
            screen->MyInit();
            m_bFrameLoaded = true;
            m_llActive.AddTail(screen);
        }
    }

    if (midpointNow && sameTransition && m_pTransition)
        m_pTransition->StartSecondHalf();

    if (!keepRunning)
        quit = true;
}

void XGameEngine::DrawScreens()
{
    for (unsigned i = 0; i < m_llActive.GetCount(); ++i)
    {
        if (XGameScreen* screen = m_llActive.Get(i))
        {
            const XPlacement2D placement = GetPlacement2D(screen->GetAnchor2D());
            m_device.SetScreenPlacement(placement.scale, placement.offsetX, placement.offsetY);
            screen->MyDraw();
        }
    }
    // The transition and the statistics overlay count back-buffer pixels.
    m_device.SetScreenPlacement(1.0f, 0.0f, 0.0f);
}

void XGameEngine::DeleteDoomed()
{
    while (m_llDelete.GetCount() > 0)
    {
        XGameScreen* screen = m_llDelete.RemoveHead();
        if (!screen)
            continue;
        screen->MyFree();
        delete screen;
    }
}

void XGameEngine::DeleteAll(XLinkList<XGameScreen*>& list)
{
    while (list.GetCount() > 0)
        delete list.RemoveHead();
}
