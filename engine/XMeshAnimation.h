// Where an object stands in its mesh's frame animation: rate, direction, held or playing, looping.
#pragma once

class XMeshAnimation
{
public:
    enum Mode
    {
        kHeld,     // stays at its frame
        kForward,  // frame numbers grow
        kBackward, // frame numbers shrink
    };

    // Stops at frame; the rate stays for a later Play.
    void Hold(int frame);
    // Starts at frame; without looping the animation holds at the last (forward) or first
    // (backward) frame when it gets there.
    void PlayForward(int frame, bool loop);
    void PlayBackward(int frame, bool loop);
    void SetRate(float framesPerSecond) { m_fRate = framesPerSecond; }

    // Advances by dt milliseconds through a mesh of frameCount frames.
    void Step(float dt, int frameCount);

    // The frame to draw, kept inside 0 .. frameCount - 1.
    int GetFrame(int frameCount) const;
    float GetPosition() const { return m_fPosition; }
    float GetRate() const { return m_fRate; }
    Mode GetMode() const { return m_mode; }
    bool IsLooping() const { return m_bLoop; }
    bool IsPlaying() const { return m_mode != kHeld; }

private:
    void Start(Mode mode, int frame, bool loop);

    Mode m_mode = kHeld;
    float m_fRate = 0.0f;
    float m_fPosition = 0.0f; // in frames; the whole part is the frame shown
    bool m_bLoop = false;
};
