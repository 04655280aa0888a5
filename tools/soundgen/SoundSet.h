// The whole sound set of the game: which files to make from which sources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plk::soundgen
{

struct SoundJob
{
    std::string output; // file name in the data folder
    bool music = false;
    std::string source; // music: the note file's path
    std::string recipe; // effects: the recipe's name
    float level = 0.2f;
    uint64_t seed = 1;
};

// Reads effects.txt ("FILE RECIPE level=L seed=S" per line, '#' comments) and lists every
// "*.trk" note file of the music folder as a job named after it with ".wav". Throws
// std::runtime_error naming the file and line of any error.
std::vector<SoundJob> ListSoundJobs(const std::string& contentDir);

// Renders one job into outputDir; false with the reason in `error` on failure.
bool RunSoundJob(const SoundJob& job, const std::string& outputDir, std::string& error);

} // namespace plk::soundgen
