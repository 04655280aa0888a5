// HTML of the score server's pages.
#include "server/WebPages.h"

#include "server/CScoreService.h"

#include <ctime>

namespace plk::server
{
namespace
{

std::string Page(const std::string& title, const std::string& body)
{
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    html += HtmlEscape(title);
    html += " - Plinkett3 Scores</title>\n<link rel=\"stylesheet\" href=\"/style.css\">\n</head>\n<body>\n"
            "<header><a class=\"brand\" href=\"/\">Plinkett3 Scores</a>\n<nav><a href=\"/scores\">Top scores</a> "
            "<a href=\"/signup\">Sign up</a> <a href=\"/support\">Support</a></nav></header>\n<main>\n";
    html += body;
    html += "</main>\n<footer>A score server for Plinkett3, run by and for its players.</footer>\n</body>\n</html>\n";
    return html;
}

std::string Date(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!gmtime_r(&time, &parts))
        return "";
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
    return text;
}

} // namespace

std::string HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string HomePage()
{
    return Page("Home",
                "<h1>Plinkett3 Scores</h1>\n"
                "<p>Finish a level of a standard series while logged in, with score uploads on, and your "
                "running total lands here. The game shows your rank in its status bar.</p>\n"
                "<ul class=\"links\">\n"
                "<li><a href=\"/signup\">Sign up</a> for a player name and password, then log in from the "
                "game's startup dialog.</li>\n"
                "<li><a href=\"/scores\">Top scores</a> of every series and difficulty.</li>\n"
                "<li><a href=\"/support\">Support</a>: pointing the game at this server, and what to do when "
                "scores do not arrive.</li>\n</ul>\n");
}

std::string SignUpPage(const std::string& message, bool welcome, const std::string& name)
{
    std::string body = "<h1>Sign up</h1>\n";
    if (!message.empty())
    {
        body += welcome ? "<p class=\"notice\">" : "<p class=\"error\">";
        body += HtmlEscape(message);
        if (welcome)
            body += " You can now log in from the game's startup dialog.";
        body += "</p>\n";
    }
    body += "<form method=\"post\" action=\"/signup\" accept-charset=\"utf-8\">\n"
            "<label>Player name <input name=\"name\" maxlength=\"32\" required value=\"";
    body += welcome ? std::string() : HtmlEscape(name);
    body += "\"></label>\n"
            "<label>Password <input name=\"password\" type=\"password\" minlength=\"6\" maxlength=\"64\" "
            "required></label>\n"
            "<label>Password again <input name=\"password2\" type=\"password\" minlength=\"6\" maxlength=\"64\" "
            "required></label>\n"
            "<button type=\"submit\">Create player</button>\n</form>\n"
            "<p class=\"hint\">Names have 1 to 32 characters and are shown on the score tables; passwords "
            "6 to 64. The server keeps only a salted hash of your password.</p>\n";
    return Page("Sign up", body);
}

std::string ScoresPage(const std::vector<CScoreTable>& tables)
{
    std::string body = "<h1>Top scores</h1>\n";
    if (tables.empty())
        body += "<p>No scores yet. Be the first!</p>\n";
    for (const CScoreTable& table : tables)
    {
        body += "<section>\n<h2>" + HtmlEscape(table.group.series) + ", " +
                HtmlEscape(DifficultyName(table.group.difficulty)) + "</h2>\n";
        body += "<table>\n<thead><tr><th>Rank</th><th>Player</th><th>Level</th><th>Total</th><th>Date</th></tr>"
                "</thead>\n<tbody>\n";
        int rank = 0;
        int shown = 0;
        int previous = 0;
        for (const CScoreRow& row : table.rows)
        {
            ++shown;
            // Equal totals share a rank, as the game is told.
            if (shown == 1 || row.total != previous)
                rank = shown;
            previous = row.total;
            body += "<tr><td>" + std::to_string(rank) + "</td><td>" + HtmlEscape(row.playerName) + "</td><td>" +
                    std::to_string(row.level) + "</td><td>" + std::to_string(row.total) + "</td><td>" +
                    Date(row.postedAt) + "</td></tr>\n";
        }
        body += "</tbody>\n</table>\n</section>\n";
    }
    return Page("Top scores", body);
}

std::string SupportPage()
{
    return Page("Support",
                "<h1>Support</h1>\n"
                "<h2>Pointing the game at this server</h2>\n"
                "<p>The game posts to the address in the registry value <code>ServiceURL</code> under its "
                "registry key, or to the one given with <code>--service-url</code>; without either it uses "
                "<code>http://127.0.0.1:8780/</code>. Use this page's address up to and including the "
                "first <code>/</code> after the host.</p>\n"
                "<h2>When scores do not arrive</h2>\n<ul>\n"
                "<li>Log in from the startup dialog with score uploads ticked; a login lasts 24 hours.</li>\n"
                "<li>Only levels of a standard series are posted, not tutorials or your own levels.</li>\n"
                "<li>The status bar shows the server's answer after each level. \"Please log in again\" "
                "means the login has expired.</li>\n</ul>\n"
                "<h2>Forgotten password</h2>\n"
                "<p>Ask whoever runs this server; passwords are stored only as salted hashes and cannot be "
                "read back.</p>\n");
}

std::string NotFoundPage()
{
    return ErrorPage(404, "There is no page at this address.");
}

std::string ErrorPage(int status, const std::string& text)
{
    return Page("Error " + std::to_string(status),
                "<h1>Error " + std::to_string(status) + "</h1>\n<p>" + HtmlEscape(text) +
                    "</p>\n<p><a href=\"/\">Back to the home page</a></p>\n");
}

const std::string& Stylesheet()
{
    static const std::string kStyle = R"CSS(
body { margin: 0; font: 16px/1.5 "Liberation Sans", Arial, sans-serif; color: #1d2433; background: #f3f6fb; }
header { display: flex; flex-wrap: wrap; align-items: baseline; justify-content: space-between;
         padding: 0.8em 1.5em; background: #2456a6; }
header a { color: #fff; text-decoration: none; }
.brand { font-size: 1.4em; font-weight: bold; }
nav a { margin-left: 1.2em; }
nav a:hover, nav a:focus { text-decoration: underline; }
main { max-width: 52em; margin: 1.5em auto; padding: 1em 1.5em; background: #fff; border-radius: 8px;
       box-shadow: 0 1px 4px rgba(0, 0, 0, 0.12); }
h1 { margin-top: 0.2em; color: #2456a6; }
h2 { font-size: 1.15em; margin-top: 1.6em; }
table { width: 100%; border-collapse: collapse; margin: 0.5em 0 1em; }
th, td { padding: 0.35em 0.6em; text-align: left; border-bottom: 1px solid #dde3ee; }
th { background: #eaf0fa; }
td:nth-child(1), td:nth-child(3), td:nth-child(4) { text-align: right; font-variant-numeric: tabular-nums; }
tbody tr:nth-child(even) { background: #f8fafd; }
form { display: grid; gap: 0.8em; max-width: 24em; }
label { display: grid; gap: 0.2em; font-weight: bold; }
input { font: inherit; padding: 0.4em; border: 1px solid #a9b6cc; border-radius: 4px; }
button { font: inherit; padding: 0.5em; color: #fff; background: #2456a6; border: 0; border-radius: 4px;
         cursor: pointer; }
button:hover, button:focus { background: #1b4383; }
.error { padding: 0.6em; color: #8a1c1c; background: #fdecec; border-left: 4px solid #c62828; }
.notice { padding: 0.6em; color: #1d5e20; background: #eaf7ea; border-left: 4px solid #2e7d32; }
.hint { color: #5b6477; font-size: 0.9em; }
code { background: #eef1f6; padding: 0 0.25em; border-radius: 3px; }
footer { text-align: center; color: #5b6477; font-size: 0.85em; margin-bottom: 2em; }
)CSS";
    return kStyle;
}

} // namespace plk::server
