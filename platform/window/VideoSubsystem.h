// Scoped hold on SDL's video subsystem, which SDL counts per init and quit.
#pragma once

#include <string>

namespace plk
{

class VideoSubsystem
{
public:
    VideoSubsystem();
    ~VideoSubsystem();
    VideoSubsystem(const VideoSubsystem&) = delete;
    VideoSubsystem& operator=(const VideoSubsystem&) = delete;

    bool Ok() const { return m_ok; }
    // Copies SDL's last error into error (when given) and returns the failure code.
    static int Fail(std::string* error);

private:
    bool m_ok = false;
};

const int kSdlFailure = -1;

} // namespace plk
