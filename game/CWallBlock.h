// A wall: a textured box in steps of 10 units that stops cubes, drawn before the cubes when opaque
// and after them when blended, and its element of the level document.
#pragma once

#include "engine/XDXBoxObject.h"
#include "foundation/XString.h"

class XGameEngine;
class XDXTexture;

class CWallBlock : public XDXBoxObject
{
public:
    // The board's kind number of a wall.
    static constexpr int kKind = 0;
    static constexpr int kWallTypeCount = 7;
    // Smallest wall side and the step of the builder's size buttons, in world units.
    static constexpr float kMinSize = 10.0f;

    CWallBlock();
    ~CWallBlock() override;
    CWallBlock(const CWallBlock&) = delete;
    CWallBlock& operator=(const CWallBlock&) = delete;

    // Loads "Wall01.png" .. "Wall07.png" once for all walls; stops at the first failure.
    static bool LoadShared(const XString& dataFolder, XString& errorMsg);
    static void FreeShared();
    // "Wall01.png" for type 0 up to "Wall07.png" for type 6; "" outside.
    static XString TextureNameOfType(int wallType);

    using XDXBoxObject::Init; // the base's Init stays callable beside this one
    // A 10 x 10 x 10 box of that texture.
    void Init(XGameEngine* engine, int wallType);
    // Pass 0 draws opaque walls only, pass 1 blended walls only.
    void Draw(int pass);
    using XDXBoxObject::Draw;

    // Grows or shrinks the box (builder), keeping cell alignment; no side below 10.
    void Resize(float dWidth, float dHeight, float dDepth);
    void ToggleAlphaBlend() { m_bAlphaBlend = !m_bAlphaBlend; }
    bool IsAlphaBlend() const { return m_bAlphaBlend; }
    int GetWallType() const { return m_iWallType; }

    void WriteXml(XString& out, int index) const;
    void ReadXml(XGameEngine* engine, const XString& document, int index);

private:
    void Rebuild(float width, float height, float depth);

    XGameEngine* m_pGameEngine = nullptr;
    int m_iWallType = 0;
    bool m_bAlphaBlend = false;
};
