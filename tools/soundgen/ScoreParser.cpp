// Parser of the music note files.
#include "tools/soundgen/ScoreParser.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace plk::soundgen
{

namespace
{

const int kMaxPerBar = 48;
const int kMaxBars = 64;
// Far beyond any track we want; it stops a typo in a play line from filling the disk.
const double kMaxSeconds = 300.0;

// A comment starts with a word beginning with '#': sharps inside notes ("F#5") are not comments.
std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string w;
    while (in >> w && w[0] != '#')
        words.push_back(w);
    return words;
}

class Parser
{
public:
    explicit Parser(const std::string& fileName) { m_score.file = fileName; }

    Score Run(const std::string& text)
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line))
        {
            ++m_line;
            const std::vector<std::string> w = SplitWords(line);
            if (!w.empty())
                Statement(w);
        }
        if (m_section)
            Fail("section " + m_section->name + " has no end");
        if (m_score.order.empty())
            Fail("no play line: nothing to render");
        double beats = 0.0;
        for (const std::string& name : m_score.order)
        {
            const Section* s = m_score.FindSection(name);
            if (!s)
                Fail("play names an unknown section " + name);
            beats += static_cast<double>(s->bars) * m_score.beatsPerBar;
        }
        const double seconds = beats * m_score.SecondsPerBeat();
        if (seconds > kMaxSeconds)
            Fail("the track would last " + std::to_string(static_cast<int>(seconds)) + " s, more than " +
                 std::to_string(static_cast<int>(kMaxSeconds)));
        return m_score;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const
    {
        throw std::runtime_error(m_score.file + ":" + std::to_string(m_line) + ": " + why);
    }

    double Number(const std::string& text, double lo, double hi) const
    {
        size_t used = 0;
        double v = 0.0;
        try
        {
            v = std::stod(text, &used);
        }
        catch (const std::exception&)
        {
            Fail("'" + text + "' is not a number");
        }
        if (used != text.size())
            Fail("'" + text + "' is not a number");
        // Written so that "nan" fails too.
        if (!(v >= lo && v <= hi))
            Fail(text + " is outside " + std::to_string(lo) + " .. " + std::to_string(hi));
        return v;
    }

    void Expect(const std::vector<std::string>& w, size_t count) const
    {
        if (w.size() != count)
            Fail("'" + w[0] + "' takes " + std::to_string(count - 1) + " value(s)");
    }

    void Statement(const std::vector<std::string>& w)
    {
        const std::string& key = w[0];
        if (m_section)
        {
            SectionStatement(w);
            return;
        }
        if (key == "tempo")
        {
            Expect(w, 2);
            m_score.tempo = Number(w[1], 30, 300);
        }
        else if (key == "meter")
        {
            Expect(w, 2);
            m_score.beatsPerBar = static_cast<int>(Number(w[1], 2, 7));
        }
        else if (key == "grid")
        {
            Expect(w, 2);
            m_score.grid = static_cast<int>(Number(w[1], 1, kMaxPerBar));
        }
        else if (key == "reverb")
        {
            Expect(w, 4);
            m_score.reverbWet = static_cast<float>(Number(w[1], 0, 1));
            m_score.reverbRoom = static_cast<float>(Number(w[2], 0, 1));
            m_score.reverbDamping = static_cast<float>(Number(w[3], 0, 1));
        }
        else if (key == "loudness")
        {
            Expect(w, 2);
            m_score.loudness = static_cast<float>(Number(w[1], 0.01, 0.5));
        }
        else if (key == "oneshot")
        {
            Expect(w, 2);
            m_score.loop = false;
            m_score.tail = Number(w[1], 0, 10);
        }
        else if (key == "instrument")
            InstrumentStatement(w);
        else if (key == "section")
            SectionStart(w);
        else if (key == "play")
        {
            if (w.size() < 2)
                Fail("play needs at least one section");
            m_score.order.insert(m_score.order.end(), w.begin() + 1, w.end());
        }
        else
            Fail("unknown statement '" + key + "'");
    }

    void InstrumentStatement(const std::vector<std::string>& w)
    {
        if (w.size() < 3)
            Fail("instrument needs a name and a wave");
        if (m_score.FindInstrument(w[1]) || w[1] == "chords")
            Fail("instrument " + w[1] + " is defined twice or uses a reserved name");
        Instrument in;
        in.name = w[1];
        if (!ParseWave(w[2], in.wave))
            Fail("unknown wave '" + w[2] + "'");
        using Setter = std::function<void(double)>;
        const std::map<std::string, std::pair<std::pair<double, double>, Setter>> keys = {
            {"attack", {{0.001, 5}, [&](double v) { in.env.attack = static_cast<float>(v); }}},
            {"decay", {{0.001, 10}, [&](double v) { in.env.decay = static_cast<float>(v); }}},
            {"sustain", {{0, 1}, [&](double v) { in.env.sustain = static_cast<float>(v); }}},
            {"release", {{0.005, 10}, [&](double v) { in.env.release = static_cast<float>(v); }}},
            {"volume", {{0, 2}, [&](double v) { in.volume = static_cast<float>(v); }}},
            {"send", {{0, 1}, [&](double v) { in.send = static_cast<float>(v); }}},
            {"cutoff", {{40, 11000}, [&](double v) { in.cutoff = static_cast<float>(v); }}},
            {"resonance", {{0.3, 12}, [&](double v) { in.resonance = static_cast<float>(v); }}},
            {"envmod", {{0, 6}, [&](double v) { in.envmod = static_cast<float>(v); }}},
            {"detune", {{-100, 100}, [&](double v) { in.detune = static_cast<float>(v); }}},
            {"duty", {{0.05, 0.95}, [&](double v) { in.duty = static_cast<float>(v); }}},
            {"vibrato", {{0, 2}, [&](double v) { in.vibrato = static_cast<float>(v); }}},
            {"rate", {{0.1, 20}, [&](double v) { in.vibratoRate = static_cast<float>(v); }}},
            {"fmratio", {{0.1, 16}, [&](double v) { in.fmRatio = static_cast<float>(v); }}},
            {"fmindex", {{0, 20}, [&](double v) { in.fmIndex = static_cast<float>(v); }}},
            {"fmdecay", {{0.01, 10}, [&](double v) { in.fmDecay = static_cast<float>(v); }}},
            {"pitch", {{20, 10000}, [&](double v) { in.pitch = static_cast<float>(v); }}},
            {"length", {{0.1, 8}, [&](double v) { in.length = static_cast<float>(v); }}},
            {"octave", {{0, 7}, [&](double v) { in.octave = static_cast<int>(v); }}},
        };
        for (size_t i = 3; i < w.size(); ++i)
        {
            const size_t eq = w[i].find('=');
            if (eq == std::string::npos)
                Fail("expected key=value, got '" + w[i] + "'");
            auto it = keys.find(w[i].substr(0, eq));
            if (it == keys.end())
                Fail("unknown instrument setting '" + w[i].substr(0, eq) + "'");
            const auto& [range, set] = it->second;
            set(Number(w[i].substr(eq + 1), range.first, range.second));
        }
        m_score.instruments.push_back(in);
    }

    void SectionStart(const std::vector<std::string>& w)
    {
        if (w.size() != 3 && !(w.size() == 5 && w[3] == "like"))
            Fail("section NAME BARS [like OTHER]");
        if (m_score.FindSection(w[1]))
            Fail("section " + w[1] + " is defined twice");
        Section s;
        if (w.size() == 5)
        {
            const Section* base = m_score.FindSection(w[4]);
            if (!base)
                Fail("section " + w[1] + " is like an unknown section " + w[4]);
            s = *base;
        }
        s.name = w[1];
        s.bars = static_cast<int>(Number(w[2], 1, kMaxBars));
        m_score.sections.push_back(s);
        m_section = &m_score.sections.back();
        m_replaced.clear();
    }

    void SectionStatement(const std::vector<std::string>& w)
    {
        if (w[0] == "end")
        {
            Expect(w, 1);
            CheckSection();
            m_section = nullptr;
            return;
        }
        std::vector<std::string> tokens;
        for (size_t i = 1; i < w.size(); ++i)
        {
            if (w[i] != "|")
                tokens.push_back(w[i]);
        }
        if (tokens.empty())
            Fail("'" + w[0] + "' has no tokens");
        if (w[0] == "chords")
        {
            if (!m_replaced.count("chords"))
                m_section->chords.clear();
            m_replaced.insert("chords");
            for (const std::string& t : tokens)
            {
                Chord c;
                if (t != "-" && !ParseChord(t, c))
                    Fail("'" + t + "' is not a chord");
            }
            if (m_section->chords.empty() && tokens[0] == "-")
                Fail("the chords of a section cannot start with '-'");
            m_section->chords.insert(m_section->chords.end(), tokens.begin(), tokens.end());
            return;
        }
        std::string part = w[0];
        int perBar = m_score.grid;
        const size_t colon = part.find(':');
        if (colon != std::string::npos)
        {
            perBar = static_cast<int>(Number(part.substr(colon + 1), 1, kMaxPerBar));
            part = part.substr(0, colon);
        }
        const Instrument* in = m_score.FindInstrument(part);
        if (!in)
            Fail("unknown instrument '" + part + "'");
        for (const std::string& t : tokens)
            CheckToken(*in, t);
        PartLine* target = nullptr;
        for (PartLine& p : m_section->parts)
        {
            if (p.part == part)
                target = &p;
        }
        if (target && !m_replaced.count(part))
        {
            target->tokens.clear();
            target->perBar = perBar;
        }
        if (!target)
        {
            m_section->parts.push_back(PartLine{part, perBar, {}, m_line});
            target = &m_section->parts.back();
        }
        if (target->perBar != perBar)
            Fail("lines of " + part + " in one section must share one grid");
        m_replaced.insert(part);
        target->line = m_line;
        target->tokens.insert(target->tokens.end(), tokens.begin(), tokens.end());
    }

    void CheckToken(const Instrument& in, const std::string& t) const
    {
        if (t == "-" || t == ".")
            return;
        if (in.IsDrum())
        {
            if (t != "x" && t != "X" && t != "o")
                Fail("drum " + in.name + " takes x, X, o, '-' or '.', not '" + t + "'");
            return;
        }
        std::string body = t;
        while (!body.empty() && (body.back() == '!' || body.back() == '?' || body.back() == '\'' || body.back() == ','))
            body.pop_back();
        int midi = 0;
        if (body == "c" || ParseNoteName(body, midi))
            return;
        if (body.size() == 1 && body[0] >= '1' && body[0] <= '9')
            return;
        Fail("'" + t + "' is not a note, chord degree, 'c', '-' or '.'");
    }

    void CheckSection() const
    {
        const Section& s = *m_section;
        for (const PartLine& p : s.parts)
        {
            const size_t needed = static_cast<size_t>(s.bars) * p.perBar;
            if (p.tokens.empty() || needed % p.tokens.size() != 0)
                Fail("section " + s.name + ": " + p.part + " has " + std::to_string(p.tokens.size()) +
                     " tokens, which do not repeat evenly into " + std::to_string(needed));
            const Instrument* in = m_score.FindInstrument(p.part);
            for (const std::string& t : p.tokens)
            {
                if (!in->IsDrum() && !t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == 'c') &&
                    s.chords.empty())
                    Fail("section " + s.name + ": " + p.part + " plays chord tones but the section has no chords");
            }
        }
    }

    Score m_score;
    Section* m_section = nullptr;
    std::set<std::string> m_replaced;
    int m_line = 0;
};

} // namespace

const Instrument* Score::FindInstrument(const std::string& name) const
{
    for (const Instrument& in : instruments)
    {
        if (in.name == name)
            return &in;
    }
    return nullptr;
}

const Section* Score::FindSection(const std::string& name) const
{
    for (const Section& s : sections)
    {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

bool ParseNoteName(const std::string& text, int& midi)
{
    static const int kPitchClass[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.size() < 2 || text[0] < 'A' || text[0] > 'G')
        return false;
    int pc = kPitchClass[text[0] - 'A'];
    size_t i = 1;
    if (text[i] == '#' || text[i] == 'b')
    {
        pc += text[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return false;
    midi = 12 * (text[i] - '0' + 1) + pc;
    return true;
}

bool ParseChord(const std::string& text, Chord& out)
{
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},   {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},   {"dim", {0, 3, 6}},      {"aug", {0, 4, 8}},     {"sus2", {0, 2, 7}},
        {"sus4", {0, 5, 7}},     {"add9", {0, 4, 7, 14}}, {"6", {0, 4, 7, 9}},    {"m6", {0, 3, 7, 9}},
        {"madd9", {0, 3, 7, 14}},
    };
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        return false;
    int midi = 0;
    size_t rootLength = text.size() > 1 && (text[1] == '#' || text[1] == 'b') ? 2 : 1;
    if (!ParseNoteName(text.substr(0, rootLength) + "4", midi))
        return false;
    auto it = kQualities.find(text.substr(rootLength));
    if (it == kQualities.end())
        return false;
    out.root = ((midi % 12) + 12) % 12;
    out.intervals = it->second;
    return true;
}

Score ParseScore(const std::string& text, const std::string& fileName)
{
    return Parser(fileName).Run(text);
}

Score LoadScore(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot open");
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScore(text.str(), path);
}

} // namespace plk::soundgen
