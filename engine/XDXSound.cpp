// The process-wide sound list and its switches over the platform's audio layer.
#include "engine/XDXSound.h"

#include "platform/audio/Audio.h"
#include "platform/fs/Path.h"

#include <mutex>

namespace
{

struct SoundSystem
{
    XString folder;
    bool initialized = false;
    bool soundsOn = false;
    bool musicOn = false;
    float musicVolume = 1.0f;
    XDXSound* head = nullptr;
    XDXSound* tail = nullptr;
    // Sounds are made and destroyed on worker threads too (the solver's own cubes), so the list
    // is only walked or changed under this lock.
    std::mutex listLock;
};

thread_local bool t_muted = false;

SoundSystem& System()
{
    static SoundSystem system;
    return system;
}

} // namespace

XDXSound::XDXSound()
{
    SoundSystem& system = System();
    std::lock_guard<std::mutex> lock(system.listLock);
    m_pPrevious = system.tail;
    if (system.tail)
        system.tail->m_pNext = this;
    else
        system.head = this;
    system.tail = this;
}

XDXSound::~XDXSound()
{
    Unload();
    SoundSystem& system = System();
    std::lock_guard<std::mutex> lock(system.listLock);
    if (m_pPrevious)
        m_pPrevious->m_pNext = m_pNext;
    else
        system.head = m_pNext;
    if (m_pNext)
        m_pNext->m_pPrevious = m_pPrevious;
    else
        system.tail = m_pPrevious;
}

bool XDXSound::Init(XString& errorMsg)
{
    if (System().initialized)
        Shutdown();
    std::string reason;
    if (plk::audio::OpenAudio(&reason) != plk::audio::kOk)
    {
        errorMsg = "Error: in XDXSound::Init, opening the audio device failed. Msg=";
        errorMsg += reason.c_str();
        return false;
    }
    SoundSystem& system = System();
    system.initialized = true;
    system.soundsOn = true;
    system.musicOn = true;
    return true;
}

void XDXSound::Shutdown()
{
    SoundSystem& system = System();
    // Closing the device frees every chunk, so no object may keep a handle to one.
    std::lock_guard<std::mutex> lock(system.listLock);
    for (XDXSound* sound = system.head; sound; sound = sound->m_pNext)
        sound->Unload();
    plk::audio::CloseAudio();
    system.initialized = false;
    system.soundsOn = false;
    system.musicOn = false;
}

void XDXSound::SetPath(const XString& folder)
{
    XString& stored = System().folder;
    stored = folder;
    if (!stored.EndsWith('\\'))
        stored += '\\';
}

const XString& XDXSound::GetPath()
{
    return System().folder;
}

void XDXSound::EnableSounds(bool on)
{
    SoundSystem& system = System();
    if (!system.initialized)
        return;
    system.soundsOn = on;
    if (on)
        return;
    std::lock_guard<std::mutex> lock(system.listLock);
    for (XDXSound* sound = system.head; sound; sound = sound->m_pNext)
    {
        if (sound->m_iKind == kSoundEffect && sound->IsPlaying())
            sound->Stop();
    }
}

void XDXSound::EnableMusic(bool on, bool restart)
{
    SoundSystem& system = System();
    if (!system.initialized)
        return;
    system.musicOn = on;
    std::lock_guard<std::mutex> lock(system.listLock);
    for (XDXSound* sound = system.head; sound; sound = sound->m_pNext)
    {
        if (sound->m_iKind != kMusic)
            continue;
        // A level track started looped must keep looping, or it would end after one pass.
        if (on && restart)
            sound->Play(sound->m_bLoopForever);
        else if (!on && sound->IsPlaying())
            sound->Stop();
    }
}

void XDXSound::SetMusicVolume(float volume)
{
    SoundSystem& system = System();
    system.musicVolume = volume;
    for (XDXSound* sound = system.head; sound; sound = sound->m_pNext)
    {
        if (sound->m_iKind == kMusic && sound->m_hSound != 0)
            plk::audio::SetSoundVolume(sound->m_hSound, volume);
    }
}

float XDXSound::GetMusicVolume()
{
    return System().musicVolume;
}

bool XDXSound::SoundsEnabled()
{
    return System().soundsOn;
}

bool XDXSound::MusicEnabled()
{
    return System().musicOn;
}

bool XDXSound::IsInitialized()
{
    return System().initialized;
}

void XDXSound::MuteThisThread()
{
    t_muted = true;
}

bool XDXSound::Load(const XString& name, int kind)
{
    if (!System().initialized || t_muted)
        return false;
    // Only a name that really loaded is kept: a failed load must not answer true the next time.
    if (m_hSound != 0 && name == m_strName)
        return true;
    Unload();
    m_strErrorMsg = "";
    m_iKind = kind;

    XString path;
    if (name.Find('\\') >= 0)
        path = name;
    else
    {
        path = System().folder;
        path += name;
    }
    if (name.EndsWithNoCase(".mp3"))
        m_iFileType = kFileMp3;
    else if (name.EndsWithNoCase(".wav"))
        m_iFileType = kFileWave;
    else if (name.EndsWithNoCase(".mid"))
        m_iFileType = kFileMidi;
    if (m_iFileType != kFileWave)
    {
        m_strErrorMsg = "Error: in XDXSound::Load, only wave files can be played. File=";
        m_strErrorMsg += path;
        m_iFileType = kFileNone;
        return false;
    }
    std::string reason;
    plk::audio::SoundHandle handle = plk::audio::kNoSound;
    // Music is long and plays one piece at a time, so it is read as it goes rather than held.
    const std::string file = plk::fs::ResolvePath(path.GetBuffer());
    const int loaded = kind == kMusic ? plk::audio::LoadStreamedSound(file, handle, &reason)
                                      : plk::audio::LoadSound(file, handle, &reason);
    if (loaded != plk::audio::kOk)
    {
        m_strErrorMsg = "Error: in XDXSound::Load, loading the wave file failed. File=";
        m_strErrorMsg += path;
        m_strErrorMsg += " Msg=";
        m_strErrorMsg += reason.c_str();
        m_iFileType = kFileNone;
        return false;
    }
    m_hSound = handle;
    m_strName = name;
    return true;
}

bool XDXSound::Play(bool loopForever)
{
    if (!System().initialized || m_hSound == 0)
        return false;
    // Kept even when the kind is off, so that switching music on again starts it as asked.
    m_bLoopForever = loopForever;
    if ((m_iKind == kMusic && !System().musicOn) || (m_iKind == kSoundEffect && !System().soundsOn))
        return true;
    if (m_iKind == kMusic)
        plk::audio::SetSoundVolume(m_hSound, System().musicVolume);
    std::string reason;
    if (plk::audio::PlaySound(m_hSound, loopForever, nullptr, &reason) != plk::audio::kOk)
    {
        m_strErrorMsg = "Error: in XDXSound::Play, playing the sound failed. Msg=";
        m_strErrorMsg += reason.c_str();
        return false;
    }
    return true;
}

bool XDXSound::Stop()
{
    if (!System().initialized || m_hSound == 0)
        return false;
    plk::audio::StopSound(m_hSound);
    return true;
}

bool XDXSound::IsPlaying() const
{
    return System().initialized && m_hSound != 0 && plk::audio::SoundIsPlaying(m_hSound);
}

void XDXSound::Unload()
{
    if (m_hSound != 0)
        plk::audio::FreeSound(m_hSound);
    m_hSound = 0;
    m_bLoopForever = false;
    m_iFileType = kFileNone;
    m_strName = "";
}
