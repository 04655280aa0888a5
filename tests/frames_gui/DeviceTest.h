// A window and its device for the drawing tests, and the comparison of two pictures they share.
#pragma once

#include "engine/XGameEngine.h"
#include "platform/gfx/Device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

// The largest difference of a colour channel between two pictures of one size; alpha is left out.
inline int LargestDifference(const plk::Image& a, const plk::Image& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        if (i % 4 != 3)
            largest = std::max(largest, std::abs(a.pixels[i] - b.pixels[i]));
    return largest;
}

class DeviceTest : public ::testing::Test
{
protected:
    void OpenDevice(unsigned width, unsigned height)
    {
        m_engine = std::make_unique<XGameEngine>();
        ASSERT_TRUE(m_engine->Setup(true, true, width, height, 32, -1, nullptr, nullptr))
            << m_engine->GetErrorMsg().GetBuffer();
        m_device = m_engine->GetDevice();
        ASSERT_NE(nullptr, m_device);
    }

    std::unique_ptr<XGameEngine> m_engine;
    plk::gfx::Device* m_device = nullptr;
};
