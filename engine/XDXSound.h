// Sound effects and music from wave files: one object per loaded sound, all linked in a process-wide
// list so that switching effects or music off reaches every one of them.
#pragma once

#include "foundation/XString.h"

class XDXSound
{
public:
    enum Kind
    {
        kSoundEffect = 0,
        kMusic = 1,
    };

    enum FileType
    {
        kFileNone = 0,
        kFileWave = 1,
        kFileMidi = 2,
        kFileMp3 = 3,
    };

    // Appends the object to the process-wide list; the destructor unloads and unlinks it.
    XDXSound();
    virtual ~XDXSound();
    XDXSound(const XDXSound&) = delete;
    XDXSound& operator=(const XDXSound&) = delete;

    // Opens the audio device (closing an open one first). False leaves the game silent: every
    // later Load and Play answers false, and nothing else changes.
    static bool Init(XString& errorMsg);
    static void Shutdown();
    // Folder that names without a backslash are looked up in; a backslash is appended when missing.
    static void SetPath(const XString& folder);
    static const XString& GetPath();
    // Off stops every effect that is playing; music is untouched.
    static void EnableSounds(bool on);
    // Off stops every music that is playing; on with restart plays every loaded music again, looped
    // when its last Play asked for a loop and once otherwise.
    static void EnableMusic(bool on, bool restart);
    // Loudness of all music, playing and to come, from 0 to 1: the fade while the game is paused
    // in the background.
    static void SetMusicVolume(float volume);
    static float GetMusicVolume();
    static bool SoundsEnabled();
    static bool MusicEnabled();
    static bool IsInitialized();
    // From now on every Load on the calling thread answers false: a worker's objects stay silent
    // and never touch the audio device.
    static void MuteThisThread();

    // Loads a wave file (the ending is compared without case); loading the name already loaded
    // keeps it and answers true. A name with a backslash is taken as the whole path.
    bool Load(const XString& name, int kind);
    // True without a sound while the kind is switched off.
    bool Play(bool loopForever);
    bool Stop();
    bool IsPlaying() const;
    void Unload();

    const XString& GetName() const { return m_strName; }
    int GetFileType() const { return m_iFileType; }
    int GetKind() const { return m_iKind; }
    bool IsLoaded() const { return m_hSound != 0; }
    const XString& GetErrorMsg() const { return m_strErrorMsg; }

private:
    XString m_strName;
    XDXSound* m_pNext = nullptr;
    XDXSound* m_pPrevious = nullptr;
    int m_iFileType = kFileNone;
    int m_iKind = kSoundEffect;
    XString m_strErrorMsg;
    int m_hSound = 0; // the audio layer's handle, 0 while nothing is loaded
    bool m_bLoopForever = false; // how the last Play started it, for a restart by EnableMusic
};
