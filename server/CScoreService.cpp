// Sign-up, login and score posting checks of the score server.
#include "server/CScoreService.h"

#include "foundation/XString.h"
#include "foundation/XTextCipher.h"
#include "server/TextCodec.h"

#include <charconv>
#include <chrono>

namespace plk::server
{
namespace
{

const char kRefusedLogin[] = "Unknown user name or wrong password.";
const char kLoginAgain[] = "Score not recorded: please log in again.";
const char kNotRecorded[] = "Score not recorded: the score data did not check out.";

// The score data: user, signature key, ticket, game session, level, total, difficulty.
const std::size_t kDataFields = 7;

// Printable for the game's dialogs: no control character of either C0 or C1 and no DEL.
bool IsPrintable(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size(); ++i)
    {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F)
            return false;
        // U+0080..U+009F are encoded as C2 80..C2 9F.
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
            return false;
    }
    return true;
}

bool IsBase64(std::string_view text)
{
    if (text.empty() || text.size() % 4 != 0)
        return false;
    std::size_t padding = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '=')
        {
            ++padding;
            continue;
        }
        const bool alphabet = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                              c == '+' || c == '/';
        if (!alphabet || padding > 0)
            return false;
    }
    return padding <= 2;
}

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end && !text.empty();
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The fields of deciphered score data, when it is seven lines with numbers where numbers belong.
struct ScoreData
{
    std::string_view fields[kDataFields];
    int level = 0;
    int total = 0;
    int difficulty = 0;
};

bool SplitData(std::string_view text, ScoreData& data)
{
    std::size_t field = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i)
    {
        if (i < text.size() && text[i] != '\n')
            continue;
        if (field == kDataFields)
            return false;
        data.fields[field++] = text.substr(start, i - start);
        start = i + 1;
    }
    return field == kDataFields && ParseNumber(data.fields[4], data.level) &&
           ParseNumber(data.fields[5], data.total) && ParseNumber(data.fields[6], data.difficulty);
}

CAnswer Refuse(std::string message, std::string serverMsg = std::string())
{
    CAnswer answer;
    answer.outcome = EOutcome::kRefused;
    answer.message = std::move(message);
    answer.serverMsg = std::move(serverMsg);
    return answer;
}

CAnswer Fail(std::string message)
{
    CAnswer answer;
    answer.outcome = EOutcome::kFailed;
    answer.message = std::move(message);
    return answer;
}

} // namespace

std::int64_t SystemSeconds()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const char* DifficultyName(int difficulty)
{
    switch (difficulty)
    {
    case 1: return "easy";
    case 2: return "medium";
    case 3: return "hard";
    default: return "";
    }
}

CScoreService::CScoreService(CScoreStore& store, std::vector<std::string> seriesNames, CClock clock)
    : m_store(store), m_seriesNames(std::move(seriesNames)), m_clock(std::move(clock))
{
}

CAnswer CScoreService::SignUp(const std::string& name, const std::string& password)
{
    const int nameLength = Utf8Length(name);
    std::string ansi;
    if (nameLength < kMinNameLength || nameLength > kMaxNameLength || !IsPrintable(name))
        return Refuse("A name has 1 to 32 characters, none of them a control character.");
    if (name.front() == ' ' || name.back() == ' ')
        return Refuse("A name cannot begin or end with a blank.");
    if (!Utf8ToAnsi(name, ansi))
        return Refuse("That name holds a character the game cannot type.");
    const int passwordLength = Utf8Length(password);
    if (passwordLength < kMinPasswordLength || passwordLength > kMaxPasswordLength || !IsPrintable(password))
        return Refuse("A password has 6 to 64 characters, none of them a control character.");

    CPlayer player;
    player.name = name;
    player.createdAt = m_clock();
    if (!MakePasswordHash(password, kPasswordIterations, player.password))
        return Fail("the system gave no random bytes for a salt");
    std::string error;
    switch (m_store.AddPlayer(player, error))
    {
    case EAddPlayer::kAdded:
    {
        CAnswer answer;
        answer.outcome = EOutcome::kAccepted;
        answer.message = "Welcome, " + name + ".";
        return answer;
    }
    case EAddPlayer::kNameTaken:
        return Refuse("That name is taken; please choose another.");
    case EAddPlayer::kFailed:
        break;
    }
    return Fail(error);
}

CAnswer CScoreService::Login(const std::string& name, const std::string& password)
{
    std::optional<CPlayer> player;
    std::string error;
    if (!m_store.FindPlayer(name, player, error))
        return Fail(error);
    if (!player || !CheckPassword(password, player->password))
        return Refuse(kRefusedLogin);

    CSession session;
    if (!MakeSessionId(session.id))
        return Fail("the system gave no random bytes for a session id");
    const std::int64_t now = m_clock();
    session.playerId = player->id;
    session.expiresAt = now + kSessionSeconds;
    if (!m_store.AddSession(session, now, error))
        return Fail(error);
    CAnswer answer;
    answer.outcome = EOutcome::kAccepted;
    answer.sessionId = session.id;
    answer.message = "Logged in as " + player->name + ".";
    return answer;
}

CAnswer CScoreService::AddScore(const CScoreRequest& request)
{
    std::optional<CSession> session;
    std::string error;
    if (!m_store.FindSession(request.onlineSessionId, session, error))
        return Fail(error);
    if (!session)
        return Refuse("unknown session id", kLoginAgain);
    if (session->expiresAt <= m_clock())
        return Refuse("the session has expired", kLoginAgain);
    std::optional<CPlayer> player;
    if (!m_store.FindPlayerById(session->playerId, player, error))
        return Fail(error);
    if (!player || !SameNameIgnoringCase(player->name, request.userName))
        return Refuse("the session belongs to another player", kLoginAgain);

    // The game enciphered Windows-1252 text; compare and build the key in the same bytes.
    std::string user, signatureKey, ticket, gameSession;
    if (!Utf8ToAnsi(request.userName, user) || !Utf8ToAnsi(request.signatureKey, signatureKey) ||
        !Utf8ToAnsi(request.onlineSessionId, ticket) || !Utf8ToAnsi(request.gameSessionId, gameSession))
        return Refuse("a field holds a character the game cannot send", kNotRecorded);
    if (request.data.size() > kMaxDataLength || !IsBase64(request.data))
        return Refuse("the score data is no Base64 text of a sensible length", kNotRecorded);
    XString enciphered;
    enciphered.SetData(request.data.data(), static_cast<int>(request.data.size()));
    enciphered.DecodeBase64();
    if (enciphered.GetLength() <= XTextCipher::kTrailerBytes)
        return Refuse("the score data is too short", kNotRecorded);

    // The key ends in the series name, which the request does not carry: the right one is the
    // one under which the data names the very fields that came with it.
    for (const std::string& series : m_seriesNames)
    {
        XString key;
        key.SetData(ticket.data(), static_cast<int>(ticket.size()));
        key.AppendData(user.data(), static_cast<unsigned>(user.size()));
        key.AppendData(series.data(), static_cast<unsigned>(series.size()));
        key.MakeLower();
        XString text(enciphered);
        XTextCipher cipher;
        if (!cipher.Decrypt(text, key.GetBuffer()))
            continue;
        ScoreData data;
        if (!SplitData(std::string_view(text.GetBuffer(), text.GetLength()), data))
            continue;
        if (data.fields[0] != user || data.fields[1] != signatureKey || data.fields[2] != ticket ||
            data.fields[3] != gameSession)
            continue;
        if (DifficultyName(data.difficulty)[0] == '\0' || data.level < 0)
            return Refuse("the score data names no difficulty or a negative level", kNotRecorded);

        CScorePosting posting;
        posting.playerId = player->id;
        posting.series = AnsiToUtf8(series);
        posting.gameSession = request.gameSessionId;
        posting.difficulty = data.difficulty;
        posting.level = data.level;
        posting.total = data.total;
        posting.postedAt = m_clock();
        CRank rank;
        if (!m_store.RecordScore(posting, rank, error))
            return Fail(error);
        CAnswer answer;
        answer.outcome = EOutcome::kAccepted;
        answer.serverMsg = "Rank " + std::to_string(rank.rank) + " of " + std::to_string(rank.of) + " (" +
                           posting.series + ", " + DifficultyName(data.difficulty) + ")";
        answer.message = player->name + " " + posting.series + " level " + std::to_string(data.level) + " " +
                         DifficultyName(data.difficulty) + " total " + std::to_string(data.total);
        return answer;
    }
    return Refuse("the score data deciphers under no known series to the fields sent", kNotRecorded);
}

} // namespace plk::server
