#include "tests/e2e/run/RunScript.h"

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
    Line(frame, std::string("keydown ") + name);
    Line(frame + 1, std::string("keyup ") + name);
}

void RunScript::Type(int frame, const std::string& text)
{
    Line(frame, "type " + text);
}

void RunScript::Shot(int frame)
{
    Line(frame, "shot");
}
