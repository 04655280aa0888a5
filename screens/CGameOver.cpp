// The game-over screen: its banner, question, answer sprites and the retry or title that follows.
#include "screens/CGameOver.h"

#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "platform/gfx/TextLayout.h"
#include "screens/CBuilderActions.h"
#include "screens/CScreenFlow.h"
#include "screens/CTextEntry.h"
#include "ui/UiLayout.h"

namespace
{

const uint32_t kOpaqueBlack = 0xFF000000;
const uint32_t kUntinted = 0xFFFFFFFF;
const uint32_t kTextColour = 0xFFFFFFFF;
const int kFontPoints = 16;
const char* const kQuestion = "Your time has run out. Would you like to try again?";
const char* const kTestQuestion = "Time is up. Test the level again? No returns to the level builder.";
// The question and the answers sit in the middle of the free space under the 160-unit banner.
const int kQuestionTop = 320;
const int kQuestionBottom = 360;
const int kAnswerTop = 380;
// The answer sprites are small for a whole screen: they are drawn (and hit) at twice their size.
const int kAnswerScale = 2;
// Gap between the two answers, centred on the screen's middle.
const int kAnswerGap = 60;
const int kTextMargin = 40;

int Scaled(int design, float scale)
{
    return static_cast<int>(static_cast<float>(design) * scale);
}

const plk::ui::Sprite& SpriteOf(const char* name)
{
    const plk::ui::Sprite* sprite = plk::ui::FindSprite(name);
    return sprite ? *sprite : plk::ui::kSprites[0];
}

// Design rectangle of an answer sprite: yes left of the middle, no right of it.
plk::ui::Rect AnswerRect(CGameOver::Answer answer)
{
    const plk::ui::Sprite& sprite = SpriteOf(answer == CGameOver::kYes ? "yes" : "no");
    const int middle = plk::ui::kDesignW / 2;
    const int w = sprite.src.w * kAnswerScale;
    const int x = answer == CGameOver::kYes ? middle - kAnswerGap / 2 - w : middle + kAnswerGap / 2;
    return {x, kAnswerTop, w, sprite.src.h * kAnswerScale};
}

} // namespace

CGameOver::CGameOver(CGameLevel* level, const XString& retryName, bool builderTest)
    : m_pLevel(level), m_strRetryName(retryName), m_bBuilderTest(builderTest)
{
}

CGameOver::Answer CGameOver::AnswerAt(float x, float y)
{
    for (Answer answer : {kYes, kNo})
    {
        const plk::ui::Rect r = AnswerRect(answer);
        if (x >= static_cast<float>(r.x) && x < static_cast<float>(r.x + r.w) && y >= static_cast<float>(r.y) &&
            y < static_cast<float>(r.y + r.h))
            return answer;
    }
    return kNone;
}

CGameOver::Answer CGameOver::TypedAnswer(const XDXInput& input)
{
    for (int i = 0; i < input.GetTypedCount(); ++i)
    {
        bool down = false;
        const char c = input.GetTyped(i, down);
        if (!down)
            continue;
        if (c == 'y' || c == 'Y')
            return kYes;
        if (c == 'n' || c == 'N' || c == CTextEntry::kEscape)
            return kNo;
    }
    return kNone;
}

bool CGameOver::CreateFont(XGameEngine* engine, XDXFont& font)
{
    return font.Create("Arial", ScreenFlow::FontPoints(engine, kFontPoints), false, false);
}

void CGameOver::DrawBanner(XGameEngine* engine, XDXTexture& left, XDXTexture& right)
{
    const float sx = ScreenFlow::ScaleX(engine);
    const float sy = ScreenFlow::ScaleY(engine);
    const int middle = static_cast<int>(static_cast<float>(plk::ui::kDesignW / 2) * sx);
    if (left.GetTexture())
        left.Draw(middle - static_cast<int>(static_cast<float>(left.GetImageWidth()) * sx), 0, 0, 0, 0, 0, sx, sy,
                  kUntinted, false);
    if (right.GetTexture())
        right.Draw(middle, 0, 0, 0, 0, 0, sx, sy, kUntinted, false);
}

void CGameOver::DrawText(XGameEngine* engine, XDXFont& font, const XString& text, int top, int bottom)
{
    if (!font.GetFont())
        return;
    const float sx = ScreenFlow::ScaleX(engine);
    const float sy = ScreenFlow::ScaleY(engine);
    const int left = static_cast<int>(static_cast<float>(kTextMargin) * sx);
    const int y = Scaled(top, sy);
    font.Print(text, left, y, static_cast<int>(static_cast<float>(plk::ui::kDesignW) * sx) - 2 * left, Scaled(bottom, sy) - y, kTextColour,
               plk::gfx::kDtCenter | plk::gfx::kDtVCenter | plk::gfx::kDtWordBreak);
}

void CGameOver::MyInit()
{
    m_pEngine->SetClearColor(kOpaqueBlack);
    if (!m_texBanner0.Load("MnuGameOver0.bmp", 0, 0))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_texBanner0.Load", m_texBanner0.GetErrorMsg());
    if (!m_texBanner1.Load("MnuGameOver1.bmp", 0, 0))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_texBanner1.Load", m_texBanner1.GetErrorMsg());
    if (!m_texSprites.Load("MiscTex0.png", 0, 0))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_texSprites.Load", m_texSprites.GetErrorMsg());
    if (!CreateFont(m_pEngine, m_font))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_font.Create", m_font.GetErrorMsg());
    if (!m_sndMouseOver.Load("SndMouseOver.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_sndMouseOver.Load", m_sndMouseOver.GetErrorMsg());
    if (!m_sndSelect.Load("SndSelectArrow.wav", XDXSound::kSoundEffect))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_sndSelect.Load", m_sndSelect.GetErrorMsg());
    if (!m_sndMusic.Load("MusicGameOver.wav", XDXSound::kMusic))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_sndMusic.Load", m_sndMusic.GetErrorMsg());
    else if (!m_sndMusic.Play(false))
        ScreenFlow::LogFailure("CGameOver::MyInit", "m_sndMusic.Play", m_sndMusic.GetErrorMsg());
}

void CGameOver::MyDraw()
{
    DrawBanner(m_pEngine, m_texBanner0, m_texBanner1);
    DrawText(m_pEngine, m_font, XString(m_bBuilderTest ? kTestQuestion : kQuestion), kQuestionTop, kQuestionBottom);
    if (!m_texSprites.GetTexture())
        return;
    const float sx = ScreenFlow::ScaleX(m_pEngine);
    const float sy = ScreenFlow::ScaleY(m_pEngine);
    for (Answer answer : {kYes, kNo})
    {
        const bool hovered = m_hovered == answer;
        const plk::ui::Sprite& sprite =
            SpriteOf(answer == kYes ? (hovered ? "yesHover" : "yes") : (hovered ? "noHover" : "no"));
        const plk::ui::Rect r = AnswerRect(answer);
        m_texSprites.Draw(static_cast<int>(static_cast<float>(r.x) * sx), static_cast<int>(static_cast<float>(r.y) * sy),
                          sprite.src.x, sprite.src.y, sprite.src.w, sprite.src.h, sx * kAnswerScale, sy * kAnswerScale,
                          kUntinted, true);
    }
}

void CGameOver::MyUpdate()
{
    if (m_bLeaving)
        return;
    const XDXInput& input = m_pEngine->m_input;
    const Answer hovered = AnswerAt(input.GetMouseX2D() / ScreenFlow::ScaleX(m_pEngine),
                                    input.GetMouseY2D() / ScreenFlow::ScaleY(m_pEngine));
    if (hovered != kNone && hovered != m_hovered)
        m_sndMouseOver.Play(false);
    m_hovered = hovered;

    Answer answer = TypedAnswer(input);
    if (answer == kNone && hovered != kNone && input.MouseButtonReleased(0))
        answer = hovered;
    if (answer != kNone)
        Act(answer);
}

void CGameOver::Act(Answer answer)
{
    m_bLeaving = true;
    ScreenFlow::SelectPause(m_sndSelect);
    if (answer == kYes)
        ScreenFlow::StartPlay(m_pEngine, m_pLevel, m_strRetryName, false, m_bBuilderTest);
    else if (m_bBuilderTest)
        BuilderFlow::OpenBuilder(m_pEngine, m_pLevel, XString(CGameLevel::kLastEditedName));
    else
        ScreenFlow::ToTitle(m_pEngine, m_pLevel);
}

void CGameOver::MyFree()
{
    m_texBanner0.Release();
    m_texBanner1.Release();
    m_texSprites.Release();
    m_font.Release();
    m_sndMusic.Unload();
    m_sndMouseOver.Unload();
    m_sndSelect.Unload();
}
