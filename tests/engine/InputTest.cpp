// XDXInput fed with window events: the key character table, typed entries with Shift, Caps Lock for
// released characters, the per-frame event limit, mouse rectangles, and picking with known matrices.
#include "engine/XBasicMesh.h"
#include "engine/XDXBoxObject.h"
#include "engine/XDXFrustum.h"
#include "engine/XDXInput.h"
#include "engine/XGameEngine.h"
#include "tests/engine/EngineTempFolder.h"
#include "tests/engine/XFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>

using plk::gfx::Matrix;

namespace
{

plk::Event Key(int key, bool down)
{
    plk::Event e;
    e.type = down ? plk::EventType::kKeyDown : plk::EventType::kKeyUp;
    e.key = key;
    return e;
}

plk::Event Move(int x, int y)
{
    plk::Event e;
    e.type = plk::EventType::kMouseMove;
    e.x = x;
    e.y = y;
    return e;
}

plk::Event Button(int button, bool down)
{
    plk::Event e;
    e.type = down ? plk::EventType::kMouseButtonDown : plk::EventType::kMouseButtonUp;
    e.button = button;
    return e;
}

const int kKeyA = 0x1E;
const int kKeyCapsLock = 0x3A;

} // namespace

TEST(InputKeys, TheCharacterTableFollowsTheKeyboardRows)
{
    EXPECT_EQ(27, XDXInput::TranslateKey(0x01, false));
    EXPECT_EQ('!', XDXInput::TranslateKey(0x02, true));
    EXPECT_EQ(')', XDXInput::TranslateKey(0x0B, true));
    EXPECT_EQ('q', XDXInput::TranslateKey(0x10, false));
    EXPECT_EQ('P', XDXInput::TranslateKey(0x19, true));
    EXPECT_EQ('{', XDXInput::TranslateKey(0x1A, true));
    EXPECT_EQ(13, XDXInput::TranslateKey(0x9C, false));
    EXPECT_EQ('l', XDXInput::TranslateKey(0x26, false));
    EXPECT_EQ('"', XDXInput::TranslateKey(0x28, true));
    EXPECT_EQ('~', XDXInput::TranslateKey(0x29, true));
    EXPECT_EQ('`', XDXInput::TranslateKey(0x29, false));
    EXPECT_EQ('|', XDXInput::TranslateKey(0x2B, true));
    EXPECT_EQ('M', XDXInput::TranslateKey(0x32, true));
    EXPECT_EQ('?', XDXInput::TranslateKey(0x35, true));
    EXPECT_EQ('/', XDXInput::TranslateKey(0xB5, true));
    // Keypad digits keep their digit with Shift.
    EXPECT_EQ('7', XDXInput::TranslateKey(0x47, true));
    EXPECT_EQ('0', XDXInput::TranslateKey(0x52, false));
    EXPECT_EQ(127, XDXInput::TranslateKey(0xD3, false));
    EXPECT_EQ(0, XDXInput::TranslateKey(0x3B, false)); // F1
    EXPECT_EQ(0, XDXInput::TranslateKey(300, false));
}

TEST(InputKeys, ShiftAThenReleaseGivesTwoTypedEntriesAndAReleasedKey)
{
    XDXInput input;
    input.Init();
    input.HandleEvent(Key(plk::kKeyLeftShift, true));
    input.HandleEvent(Key(kKeyA, true));
    input.Read();
    ASSERT_EQ(2, input.GetTypedCount());
    bool down = false;
    EXPECT_EQ(0, input.GetTyped(0, down));
    EXPECT_TRUE(down);
    EXPECT_EQ('A', input.GetTyped(1, down));
    EXPECT_TRUE(input.IsShiftDown());
    EXPECT_TRUE(input.KeyDown(kKeyA));
    EXPECT_FALSE(input.KeyReleased(kKeyA));

    input.HandleEvent(Key(kKeyA, false));
    input.HandleEvent(Key(plk::kKeyLeftShift, false));
    input.HandleEvent(Key(kKeyA, true));
    input.Read();
    EXPECT_EQ('A', input.GetTyped(0, down));
    EXPECT_FALSE(down);
    EXPECT_EQ('a', input.GetTyped(2, down));
    EXPECT_FALSE(input.IsShiftDown());
    EXPECT_EQ(0, input.GetTyped(3, down));

    input.HandleEvent(Key(kKeyA, false));
    input.Read();
    EXPECT_TRUE(input.KeyReleased(kKeyA));
    EXPECT_TRUE(input.AnyKeyReleased());
    EXPECT_EQ('a', input.GetReleasedChar());
    input.Read();
    EXPECT_FALSE(input.KeyReleased(kKeyA));
    EXPECT_EQ(0, input.GetReleasedChar());
}

TEST(InputKeys, CapsLockHeldMakesReleasedCharactersUpperCaseButNotTypedOnes)
{
    XDXInput input;
    input.Init();
    input.HandleEvent(Key(kKeyCapsLock, true));
    input.HandleEvent(Key(kKeyA, true));
    input.Read();
    input.HandleEvent(Key(kKeyA, false));
    input.Read();
    EXPECT_EQ('A', input.GetReleasedChar());
    bool down = true;
    EXPECT_EQ('a', input.GetTyped(0, down));
    EXPECT_FALSE(down);
}

TEST(InputKeys, OnlyTheFirstFifteenKeyEventsOfAFrameAreTyped)
{
    XDXInput input;
    input.Init();
    for (int i = 0; i < 10; ++i)
    {
        input.HandleEvent(Key(0x10 + i, true));
        input.HandleEvent(Key(0x10 + i, false));
    }
    input.HandleEvent(Key(0x2C, true)); // the 21st: still changes the key state
    input.Read();
    EXPECT_EQ(XDXInput::kMaxTypedEvents, input.GetTypedCount());
    bool down = false;
    EXPECT_EQ('i', input.GetTyped(14, down)); // the eighth key's down event
    EXPECT_TRUE(down);
    EXPECT_TRUE(input.KeyDown(0x2C));
}

TEST(InputMouse, RectanglesAreInclusiveAndScaledButtonsStopAtThree)
{
    XDXInput input;
    input.Init();
    input.HandleEvent(Move(20, 30));
    input.Read();
    EXPECT_TRUE(input.MouseInRect(20, 30, 20, 30, 1.0f, 1.0f));
    EXPECT_FALSE(input.MouseInRect(21, 30, 21, 30, 1.0f, 1.0f));
    EXPECT_FALSE(input.MouseInRect(20, 31, 25, 40, 1.0f, 1.0f));
    // A 1024 x 768 design rectangle on a 2048 x 1536 screen.
    EXPECT_TRUE(input.MouseInRect(5, 10, 10, 15, 2.0f, 2.0f));
    EXPECT_FALSE(input.MouseInRect(5, 10, 9, 15, 2.0f, 2.0f));

    input.HandleEvent(Button(0, true));
    input.HandleEvent(Button(3, true));
    input.Read();
    EXPECT_TRUE(input.MouseButtonDown(0));
    EXPECT_FALSE(input.MouseButtonDown(3));
    EXPECT_FALSE(input.MouseClickedInRect(0, 0, 0, 100, 100, 1.0f, 1.0f));
    input.HandleEvent(Button(0, false));
    input.HandleEvent(Button(3, false));
    input.Read();
    EXPECT_TRUE(input.MouseClickedInRect(0, 0, 0, 100, 100, 1.0f, 1.0f));
    EXPECT_FALSE(input.MouseClickedInRect(0, 50, 50, 100, 100, 1.0f, 1.0f));
    EXPECT_FALSE(input.MouseButtonReleased(3));
}

namespace
{

class PickTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_view = plk::gfx::MatrixLookAtLH({0.0f, 0.0f, -100.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
        m_projection = plk::gfx::MatrixPerspectiveFovLH(0.7853982f, 1.0f, 1.0f, 1000.0f);
        m_folder.Write("Square.x", SquareMesh(5.0f, 4, {{1, 1, 1, 1, ""}}));
        ASSERT_TRUE(m_square.Load((m_folder.GamePath() + "Square.x").c_str(), nullptr, false, false));
    }

    // Cursor at (x, y) of a 200 x 200 view whose corner is at (0, top); button 0 clicked.
    void Click(int x, int y, int top = 0)
    {
        m_input.HandleEvent(Move(x, y));
        m_input.HandleEvent(Button(0, true));
        m_input.Read();
        m_input.HandleEvent(Button(0, false));
        m_input.Read();
        m_input.BeginPick(m_view, m_projection, 0, top, 200, 200);
    }

    XGameEngine m_engine;
    EngineTempFolder m_folder;
    XBasicMesh m_square;
    XDXInput m_input;
    Matrix m_view;
    Matrix m_projection;
};

} // namespace

TEST_F(PickTest, TheRayThroughTheCentreHitsTheNearerObject)
{
    XDXBoxObject nearBox, farBox;
    nearBox.Init(false, 0);
    farBox.Init(false, 0);
    nearBox.Build(10.0f, 10.0f, 10.0f, nullptr, 20.0f);
    farBox.Build(10.0f, 10.0f, 10.0f, nullptr, 20.0f);
    farBox.SetPosition(0.0f, 0.0f, 50.0f);
    Click(100, 100);
    m_input.TestPick(&farBox);
    m_input.TestPick(&nearBox);
    EXPECT_EQ(&nearBox, m_input.GetPicked(0));
    EXPECT_NEAR(95.0f, m_input.GetPickDistance(), 1e-3f);
    EXPECT_EQ(nullptr, m_input.GetPicked(1));
}

TEST_F(PickTest, ABoxTurnedInsideItsBoundingBoxIsHitOnlyOnItsFaces)
{
    // A cube turned 45 degrees about the view axis: a diamond inside its unturned bounds.
    XDXBoxObject cube;
    cube.Init(false, 0);
    cube.Build(20.0f, 20.0f, 20.0f, nullptr, 20.0f);
    cube.SetRotationDegrees(0.0f, 0.0f, 45.0f);
    Click(100, 100);
    m_input.TestPick(&cube);
    EXPECT_EQ(&cube, m_input.GetPicked(0));
    EXPECT_NEAR(90.0f, m_input.GetPickDistance(), 1e-3f);
    // Near the bounds' corner (x = y = 9 at the front face) the ray misses the diamond.
    Click(124, 76);
    m_input.TestPick(&cube);
    EXPECT_EQ(nullptr, m_input.GetPicked(0));
}

TEST_F(PickTest, MeshObjectsArePickedThroughTheirWorldMatrix)
{
    XDXMeshObject object;
    object.Init(false, 2);
    object.SetMesh(&m_square);
    object.SetScale(2.0f, 2.0f, 2.0f);
    object.SetPosition(30.0f, 0.0f, 0.0f);
    // The square spans x 20..40 at z 0, where a pixel is tan(22.5 degrees) units wide.
    const float unitsPerPixel = 0.41421f;
    Click(172, 100);
    m_input.TestPick(&object);
    EXPECT_EQ(&object, m_input.GetPicked(0));
    EXPECT_NEAR(std::hypot(100.0f, 72 * unitsPerPixel), m_input.GetPickDistance(), 1e-2f);
    Click(199, 100);
    m_input.TestPick(&object);
    EXPECT_EQ(nullptr, m_input.GetPicked(0));

    XDXMeshObject noMesh;
    noMesh.Init(false, 1);
    EXPECT_EQ(XDXMeshObject::kPickNone, noMesh.GetPickShape());
}

TEST_F(PickTest, TheViewsTopEdgeIsTakenIntoAccount)
{
    XDXBoxObject box;
    box.Init(false, 0);
    box.Build(10.0f, 10.0f, 10.0f, nullptr, 20.0f);
    // A view drawn 100 pixels down the window: its centre is at window y 200.
    Click(100, 200, 100);
    m_input.TestPick(&box);
    EXPECT_EQ(&box, m_input.GetPicked(0));
}

TEST(Frustum, NearPlaneSitsAtTheNearDistance)
{
    XDXFrustum frustum;
    const Matrix projection = plk::gfx::MatrixPerspectiveFovLH(0.7853982f, 1.0f, 10.0f, 1000.0f);
    frustum.Construct(plk::gfx::MatrixIdentity(), projection, 0.0f);
    EXPECT_FALSE(frustum.CheckSphere(0.0f, 0.0f, 7.0f, 1.0f)); // in front of the eye, before the near plane
    EXPECT_TRUE(frustum.CheckSphere(0.0f, 0.0f, 9.5f, 1.0f));  // touches it from outside
    EXPECT_TRUE(frustum.CheckSphere(0.0f, 0.0f, 500.0f, 1.0f));
    EXPECT_FALSE(frustum.CheckSphere(0.0f, 0.0f, 1002.0f, 1.0f));
    EXPECT_FALSE(frustum.CheckBox(0.0f, 0.0f, 5.0f, 2.0f, 2.0f, 2.0f));
    EXPECT_TRUE(frustum.CheckBox(0.0f, 0.0f, 9.0f, 2.0f, 2.0f, 2.0f));
    // A screen depth pulls the far plane in.
    frustum.Construct(plk::gfx::MatrixIdentity(), projection, 200.0f);
    EXPECT_FALSE(frustum.CheckSphere(0.0f, 0.0f, 300.0f, 1.0f));
    EXPECT_TRUE(frustum.CheckSphere(0.0f, 0.0f, 150.0f, 1.0f));
}

TEST_F(PickTest, AnOffCentreProjectionPicksWhereTheObjectIsDrawn)
{
    // The view's middle drawn a quarter of the width right of the screen's: the box at the
    // origin now lies under pixel 125, no longer under the screen's middle.
    m_projection = m_projection * plk::gfx::MatrixTranslation(0.25f, -0.5f, 0.0f);
    XDXBoxObject box;
    box.Init(false, 0);
    box.Build(10.0f, 10.0f, 10.0f, nullptr, 20.0f);
    Click(125, 150);
    m_input.TestPick(&box);
    EXPECT_EQ(&box, m_input.GetPicked(0));
    Click(100, 100);
    m_input.TestPick(&box);
    EXPECT_EQ(nullptr, m_input.GetPicked(0));
}
