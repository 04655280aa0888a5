// The score server's web pages: plain HTML with one stylesheet, no scripts. Every text that came
// from a player goes through HtmlEscape.
#pragma once

#include "server/CScoreStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace plk::server
{

std::string HtmlEscape(std::string_view text);

struct CScoreTable
{
    CScoreGroup group;
    std::vector<CScoreRow> rows;
};

// Rows shown per series and difficulty on the scores page.
const int kTopScoreRows = 20;

std::string HomePage();
// The form, with a message above it when there is one (an error unless `welcome`).
std::string SignUpPage(const std::string& message, bool welcome, const std::string& name);
std::string ScoresPage(const std::vector<CScoreTable>& tables);
std::string SupportPage();
std::string NotFoundPage();
std::string ErrorPage(int status, const std::string& text);
const std::string& Stylesheet();

} // namespace plk::server
