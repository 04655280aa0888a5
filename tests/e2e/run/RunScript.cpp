#include "tests/e2e/run/RunScript.h"

#include "tests/e2e/run/ScreenPoints.h"

namespace
{
// After the save button the name box is up this long; the list's rows are 30 units apart.
const int kNameBoxUp = 30;
const float kRowStep = 30;
} // namespace

int RunScript::X(float designX)
{
    return static_cast<int>(designX * kWidth / 1024.0f);
}

int RunScript::Y(float designY)
{
    return static_cast<int>(designY * kHeight / 768.0f);
}

void RunScript::Line(int frame, const std::string& what)
{
    m_text += std::to_string(frame) + " " + what + "\n";
}

void RunScript::Click(int frame, float designX, float designY)
{
    ClickPixel(frame, X(designX), Y(designY));
}

void RunScript::ClickPixel(int frame, int x, int y)
{
    Line(frame, "click " + std::to_string(x) + " " + std::to_string(y));
}

void RunScript::Move(int frame, float designX, float designY)
{
    Line(frame, "move " + std::to_string(X(designX)) + " " + std::to_string(Y(designY)));
}

void RunScript::Key(int frame, const char* name)
{
    KeyDown(frame, name);
    KeyUp(frame + 1, name);
}

void RunScript::KeyDown(int frame, const char* name)
{
    Line(frame, std::string("keydown ") + name);
}

void RunScript::KeyUp(int frame, const char* name)
{
    Line(frame, std::string("keyup ") + name);
}

void RunScript::Type(int frame, const std::string& text)
{
    Line(frame, "type " + text);
}

void RunScript::Shot(int frame)
{
    Line(frame, "shot");
}

void RunScript::Pace(int frame, int ms)
{
    Line(frame, "pace " + std::to_string(ms));
}

int RunScript::SaveAndExit(int frame, const std::string& name)
{
    Click(frame, ScreenPoints::kBarX, ScreenPoints::kSaveY);
    Type(frame + kNameBoxUp, name);
    Key(frame + kNameBoxUp + 10, "Return");
    Click(frame + kNameBoxUp + 50, ScreenPoints::kBarX, ScreenPoints::kExitY);
    return frame + kNameBoxUp + 50 + ScreenPoints::kTitleAgain;
}

int RunScript::LoadFromTitle(int frame, int row)
{
    const float rowY = ScreenPoints::kFirstRowY + kRowStep * static_cast<float>(row);
    Click(frame, ScreenPoints::kLoadGameX, ScreenPoints::kLoadGameY);
    // The row is hovered first, as a player's cursor passes over it.
    Move(frame + ScreenPoints::kListUp, ScreenPoints::kFirstRowX, rowY);
    Click(frame + ScreenPoints::kListUp + 2, ScreenPoints::kFirstRowX, rowY);
    return frame + ScreenPoints::kListUp + 2 + ScreenPoints::kLoadedCardUp;
}
