// SDL2_mixer behind the plain sound API: device, chunk table and channel bookkeeping.
#include "platform/audio/Audio.h"

#include "platform/audio/WaveStream.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace plk::audio
{

namespace
{

// Enough for every cube of a busy board to knock at once, plus music and weather.
const int kMixChannels = 64;
// The format every sound of the game is recorded in: 22 kHz mono, and none is panned. Loaded
// sounds are held in the mixer's format, so mixing at a higher rate or in stereo would only double
// the memory of each one (the level's music most) and add nothing a listener could hear; SDL
// converts the finished mix for the device instead.
const int kMixRate = 22050;
const int kMixChannelCount = 1;
// About 23 ms: short enough that UI clicks feel immediate.
const int kBufferFrames = 512;

// One decoded file, shared by every handle loaded from the same path: a board of 100 cubes
// loads the same few knocks hundreds of times. A streamed file holds only where its samples lie,
// and plays through the carrier.
struct SharedChunk
{
    Mix_Chunk* chunk = nullptr;
    int users = 0;
    bool streamed = false;
    std::string path;
    plk::audio::WaveLayout layout;
};

// A short silence that a streamed play loops on its channel: the channel's effect puts the file's
// samples in its place as the mixer asks for them, so that streamed plays overlap, stop and take
// their volume like any other.
const int kCarrierBytes = 4096;
std::array<uint8_t, kCarrierBytes> g_silence{};
Mix_Chunk* g_carrier = nullptr;

bool g_open = false;
bool g_sdlAudioStarted = false;
std::map<std::string, SharedChunk> g_chunks;
// Each handle names the cache entry it uses; the entry outlives none of its handles.
std::map<SoundHandle, std::map<std::string, SharedChunk>::iterator> g_sounds;
SoundHandle g_nextHandle = 1;
// The handle that started each channel's latest play: handles of one file share a chunk, so the
// chunk alone cannot tell whose play a channel holds.
std::array<SoundHandle, kMixChannels> g_channelOwner{};
// Set on the mixer thread when a streamed play that does not loop has given its last sample; the
// channel still plays the carrier until the main thread halts it.
std::array<std::atomic<bool>, kMixChannels> g_streamEnded{};
// Mixer volumes of the handles that were given one; the rest play at full volume.
std::map<SoundHandle, int> g_volumes;

// Raised by the mixer thread whenever a channel ends; WaitForSound sleeps on it.
std::mutex g_finishedMutex;
std::condition_variable g_finishedSignal;
uint64_t g_finishedCount = 0;

int Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what;
    return code;
}

// Runs on the mixer thread with the mixer locked: it must not call back into SDL_mixer.
void SDLCALL OnChannelFinished(int)
{
    {
        std::lock_guard<std::mutex> lock(g_finishedMutex);
        ++g_finishedCount;
    }
    g_finishedSignal.notify_all();
}

// Runs on the mixer thread with the mixer locked, in place of the carrier's silence.
void SDLCALL StreamEffect(int channel, void* stream, int length, void* reader)
{
    auto* play = static_cast<WaveReader*>(reader);
    auto* out = static_cast<uint8_t*>(stream);
    const int filled = play->Read(out, length);
    if (filled >= length)
        return;
    std::memset(out + filled, 0, static_cast<size_t>(length - filled));
    if (play->Loops() || g_streamEnded[channel].exchange(true))
        return;
    {
        std::lock_guard<std::mutex> lock(g_finishedMutex);
        ++g_finishedCount;
    }
    g_finishedSignal.notify_all();
}

// The mixer drops a channel's effects when the channel halts; the play ends with them.
void SDLCALL StreamDone(int, void* reader)
{
    delete static_cast<WaveReader*>(reader);
}

// Halts the channels whose streamed play has ended, so that they count as silent and free.
void HaltEndedStreams()
{
    for (int ch = 0; ch < kMixChannels; ++ch)
    {
        // Once halted the channel has no effect left to set the flag again.
        if (!g_streamEnded[ch])
            continue;
        if (Mix_GetChunk(ch) == g_carrier)
            Mix_HaltChannel(ch);
        g_streamEnded[ch] = false;
    }
}

const SharedChunk* FindShared(SoundHandle sound)
{
    auto it = g_sounds.find(sound);
    return it == g_sounds.end() ? nullptr : &it->second->second;
}

Mix_Chunk* FindChunk(SoundHandle sound)
{
    const SharedChunk* shared = FindShared(sound);
    return shared ? shared->chunk : nullptr;
}

// A channel remembers the last chunk it played after it ends, so every check is needed.
bool ChannelPlays(int channel, SoundHandle sound, const Mix_Chunk* chunk)
{
    return Mix_Playing(channel) != 0 && g_channelOwner[channel] == sound && Mix_GetChunk(channel) == chunk &&
           !g_streamEnded[channel];
}

// "a/./b.wav" and "a/b.wav" are one file; a path that cannot be resolved keys as given.
std::string CacheKey(const std::string& path)
{
    std::error_code failed;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, failed);
    return failed ? path : resolved.string();
}

} // namespace

int OpenAudio(std::string* error)
{
    if (g_open)
        CloseAudio();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return Fail(error, std::string("SDL_InitSubSystem(SDL_INIT_AUDIO) failed. Msg=") + SDL_GetError(),
                    kErrDevice);
    g_sdlAudioStarted = true;
    // No changes allowed: a device that asks for another rate gets the mix resampled by SDL, so
    // sounds keep the size they were loaded at whatever the hardware does.
    if (Mix_OpenAudioDevice(kMixRate, AUDIO_S16SYS, kMixChannelCount, kBufferFrames, nullptr, 0) < 0)
    {
        std::string reason = std::string("Mix_OpenAudioDevice failed. Msg=") + Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_sdlAudioStarted = false;
        return Fail(error, reason, kErrDevice);
    }
    if (Mix_AllocateChannels(kMixChannels) != kMixChannels)
    {
        std::string reason = std::string("Mix_AllocateChannels failed. Msg=") + Mix_GetError();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_sdlAudioStarted = false;
        return Fail(error, reason, kErrDevice);
    }
    g_carrier = Mix_QuickLoad_RAW(g_silence.data(), kCarrierBytes);
    if (!g_carrier)
    {
        std::string reason = std::string("Mix_QuickLoad_RAW failed. Msg=") + Mix_GetError();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_sdlAudioStarted = false;
        return Fail(error, reason, kErrDevice);
    }
    Mix_ChannelFinished(OnChannelFinished);
    g_open = true;
    return kOk;
}

void CloseAudio()
{
    if (g_open)
    {
        Mix_HaltChannel(-1);
        for (auto& entry : g_chunks)
            if (!entry.second.streamed)
                Mix_FreeChunk(entry.second.chunk);
        g_chunks.clear();
        Mix_FreeChunk(g_carrier);
        g_carrier = nullptr;
        for (auto& ended : g_streamEnded)
            ended = false;
        g_sounds.clear();
        g_channelOwner.fill(kNoSound);
        Mix_ChannelFinished(nullptr);
        Mix_CloseAudio();
        g_open = false;
    }
    if (g_sdlAudioStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_sdlAudioStarted = false;
    }
}

bool AudioIsOpen()
{
    return g_open;
}

int LoadSound(const std::string& path, SoundHandle& out, std::string* error)
{
    out = kNoSound;
    if (!g_open)
        return Fail(error, "the audio device is not open", kErrNotOpen);
    const std::string key = CacheKey(path);
    auto cached = g_chunks.find(key);
    if (cached == g_chunks.end())
    {
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (!chunk)
            return Fail(error, "Mix_LoadWAV(" + path + ") failed. Msg=" + Mix_GetError(), kErrLoad);
        cached = g_chunks.emplace(key, SharedChunk{chunk, 0, false, path, {}}).first;
    }
    ++cached->second.users;
    out = g_nextHandle++;
    g_sounds.emplace(out, cached);
    return kOk;
}

int LoadStreamedSound(const std::string& path, SoundHandle& out, std::string* error)
{
    out = kNoSound;
    if (!g_open)
        return Fail(error, "the audio device is not open", kErrNotOpen);
    // Kept apart from a decoded copy of the same file: the two play differently.
    const std::string key = "stream:" + CacheKey(path);
    auto cached = g_chunks.find(key);
    if (cached == g_chunks.end())
    {
        WaveLayout layout;
        if (!ReadWaveLayout(path, layout))
            return LoadSound(path, out, error);
        cached = g_chunks.emplace(key, SharedChunk{g_carrier, 0, true, path, layout}).first;
    }
    ++cached->second.users;
    out = g_nextHandle++;
    g_sounds.emplace(out, cached);
    return kOk;
}

void FreeSound(SoundHandle sound)
{
    auto it = g_sounds.find(sound);
    if (it == g_sounds.end())
        return;
    // Other handles may still play the same samples: only this handle's plays end here.
    StopSound(sound);
    g_volumes.erase(sound);
    const auto cached = it->second;
    g_sounds.erase(it);
    if (--cached->second.users > 0)
        return;
    if (!cached->second.streamed)
        Mix_FreeChunk(cached->second.chunk);
    g_chunks.erase(cached);
}

int PlaySound(SoundHandle sound, bool loop, int* channel, std::string* error)
{
    if (!g_open)
        return Fail(error, "the audio device is not open", kErrNotOpen);
    const SharedChunk* shared = FindShared(sound);
    if (!shared)
        return Fail(error, "no sound is loaded under handle " + std::to_string(sound), kErrBadHandle);
    HaltEndedStreams();
    std::unique_ptr<WaveReader> reader;
    if (shared->streamed)
    {
        reader = std::make_unique<WaveReader>();
        std::string reason;
        if (!reader->Open(shared->path, shared->layout, kMixRate, kMixChannelCount, loop, &reason))
            return Fail(error, reason, kErrLoad);
    }
    // A streamed play loops its carrier however it plays: its end is the file's.
    const int loops = loop || reader ? -1 : 0;
    const int used = Mix_PlayChannel(-1, shared->chunk, loops);
    if (used < 0)
        return Fail(error, std::string("Mix_PlayChannel failed. Msg=") + Mix_GetError(), kErrNoChannel);
    if (reader)
    {
        if (Mix_RegisterEffect(used, StreamEffect, StreamDone, reader.get()) == 0)
        {
            std::string reason = std::string("Mix_RegisterEffect failed. Msg=") + Mix_GetError();
            Mix_HaltChannel(used);
            return Fail(error, reason, kErrNoChannel);
        }
        // The mixer owns the play from here and ends it through StreamDone.
        reader.release();
    }
    g_channelOwner[used] = sound;
    // A channel keeps the volume of its last play, so every play sets its own.
    const auto volume = g_volumes.find(sound);
    Mix_Volume(used, volume != g_volumes.end() ? volume->second : MIX_MAX_VOLUME);
    if (channel)
        *channel = used;
    return kOk;
}

void SetSoundVolume(SoundHandle sound, float volume)
{
    const float clamped = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    const int mixerVolume = static_cast<int>(clamped * MIX_MAX_VOLUME + 0.5f);
    g_volumes[sound] = mixerVolume;
    const Mix_Chunk* chunk = g_open ? FindChunk(sound) : nullptr;
    if (!chunk)
        return;
    for (int ch = 0; ch < kMixChannels; ++ch)
    {
        if (ChannelPlays(ch, sound, chunk))
            Mix_Volume(ch, mixerVolume);
    }
}

void StopSound(SoundHandle sound)
{
    const Mix_Chunk* chunk = g_open ? FindChunk(sound) : nullptr;
    if (!chunk)
        return;
    HaltEndedStreams();
    for (int ch = 0; ch < kMixChannels; ++ch)
    {
        if (ChannelPlays(ch, sound, chunk))
            Mix_HaltChannel(ch);
    }
}

bool SoundIsPlaying(SoundHandle sound)
{
    const Mix_Chunk* chunk = g_open ? FindChunk(sound) : nullptr;
    if (!chunk)
        return false;
    HaltEndedStreams();
    for (int ch = 0; ch < kMixChannels; ++ch)
    {
        if (ChannelPlays(ch, sound, chunk))
            return true;
    }
    return false;
}

bool WaitForSound(SoundHandle sound, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        uint64_t seen = 0;
        {
            std::lock_guard<std::mutex> lock(g_finishedMutex);
            seen = g_finishedCount;
        }
        // Asked without our lock held: the mixer thread holds its own lock while it notifies us.
        if (!SoundIsPlaying(sound))
            return true;
        std::unique_lock<std::mutex> lock(g_finishedMutex);
        if (!g_finishedSignal.wait_until(lock, deadline, [&] { return g_finishedCount != seen; }))
        {
            lock.unlock();
            return !SoundIsPlaying(sound);
        }
    }
}

} // namespace plk::audio
