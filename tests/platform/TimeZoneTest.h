// A test fixture that runs each test under a TZ rule of its choosing and gives the process its
// old zone back afterwards, so that later tests see the machine's own zone.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

class TimeZoneTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_hadZone)
            setenv("TZ", m_oldZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    void UseZone(const char* rule)
    {
        setenv("TZ", rule, 1);
        tzset();
    }

private:
    const char* m_saved = std::getenv("TZ");
    bool m_hadZone = m_saved != nullptr;
    std::string m_oldZone = m_saved ? m_saved : "";
};
