// Listing and rendering of the sound set.
#include "tools/soundgen/SoundSet.h"

#include "tools/soundgen/Effects.h"
#include "tools/soundgen/ScoreParser.h"
#include "tools/soundgen/Sequencer.h"
#include "tools/soundgen/WaveFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace plk::soundgen
{

namespace
{

const char* const kEffectList = "effects.txt";
const char* const kMusicFolder = "music";
const char* const kNoteFileExtension = ".trk";

SoundJob ParseEffectLine(const std::vector<std::string>& w, const std::string& where)
{
    if (w.size() < 2)
        throw std::runtime_error(where + ": expected FILE RECIPE [level=L] [seed=S]");
    SoundJob job;
    job.output = w[0];
    job.recipe = w[1];
    if (!FindEffectRecipe(job.recipe))
        throw std::runtime_error(where + ": unknown recipe '" + job.recipe + "'");
    for (size_t i = 2; i < w.size(); ++i)
    {
        const size_t eq = w[i].find('=');
        const std::string key = w[i].substr(0, eq == std::string::npos ? w[i].size() : eq);
        const std::string value = eq == std::string::npos ? "" : w[i].substr(eq + 1);
        try
        {
            if (key == "level")
                job.level = std::stof(value);
            else if (key == "seed")
                job.seed = std::stoull(value);
            else
                throw std::runtime_error("unknown");
        }
        catch (const std::exception&)
        {
            throw std::runtime_error(where + ": bad setting '" + w[i] + "'");
        }
    }
    if (!(job.level > 0.0f && job.level <= 0.5f))
        throw std::runtime_error(where + ": level must lie in (0, 0.5]");
    return job;
}

} // namespace

std::vector<SoundJob> ListSoundJobs(const std::string& contentDir)
{
    namespace fs = std::filesystem;
    std::vector<SoundJob> jobs;
    const fs::path listPath = fs::path(contentDir) / kEffectList;
    std::ifstream list(listPath);
    if (!list)
        throw std::runtime_error(listPath.string() + ": cannot open");
    std::string line;
    int number = 0;
    while (std::getline(list, line))
    {
        ++number;
        std::istringstream in(line.substr(0, line.find('#')));
        std::vector<std::string> words;
        std::string w;
        while (in >> w)
            words.push_back(w);
        if (!words.empty())
            jobs.push_back(ParseEffectLine(words, listPath.string() + ":" + std::to_string(number)));
    }
    std::vector<fs::path> scores;
    for (const fs::directory_entry& e : fs::directory_iterator(fs::path(contentDir) / kMusicFolder))
    {
        if (e.is_regular_file() && e.path().extension() == kNoteFileExtension)
            scores.push_back(e.path());
    }
    std::sort(scores.begin(), scores.end());
    for (const fs::path& p : scores)
    {
        SoundJob job;
        job.music = true;
        job.source = p.string();
        job.output = p.stem().string() + ".wav";
        jobs.push_back(job);
    }
    for (size_t i = 0; i < jobs.size(); ++i)
    {
        for (size_t k = i + 1; k < jobs.size(); ++k)
        {
            if (jobs[i].output == jobs[k].output)
                throw std::runtime_error(jobs[i].output + " would be written twice");
        }
    }
    return jobs;
}

bool RunSoundJob(const SoundJob& job, const std::string& outputDir, std::string& error)
{
    Buffer samples;
    try
    {
        if (job.music)
            samples = RenderScore(LoadScore(job.source));
        else
            samples = RenderEffect(*FindEffectRecipe(job.recipe), job.seed, job.level);
    }
    catch (const std::exception& e)
    {
        error = e.what();
        return false;
    }
    return WriteWave((std::filesystem::path(outputDir) / job.output).string(), samples, error);
}

} // namespace plk::soundgen
