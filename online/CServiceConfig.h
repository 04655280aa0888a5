// Where the score service lives and how long one of its calls may take.
#pragma once

#include "foundation/XString.h"

// The service namespaces are derived from the base URL the game was configured with, so a server
// reached under another name (a host name instead of 127.0.0.1) sees other namespace URIs: it
// should match the operation by its local name and accept any namespace ending in "ws/" (login)
// or "ws/gamescore/" (scores), and answer in the namespace the request used: the client reads only
// a response element in the namespace it sent.
struct CServiceConfig
{
    // The reference score server's default address.
    static const char* const kDefaultBaseUrl;
    // Connecting, and the longest silence while sending or receiving.
    static constexpr unsigned kDefaultTimeoutMs = 10000;

    XString baseUrl = kDefaultBaseUrl; // "http://" or "https://", host, optional port, path ending in "/"
    unsigned timeoutMs = kDefaultTimeoutMs;

    XString LoginEndpoint() const;  // base URL + "ws/login/login.asmx"
    XString LoginNamespace() const; // base URL + "ws/"
    XString ScoreEndpoint() const;  // base URL + "ws/gamescore/gamescore.asmx"
    XString ScoreNamespace() const; // base URL + "ws/gamescore/"

    // Checks a configured base URL: "http://" or "https://" (any case), a host, no blanks or
    // control characters; a missing final "/" is added. False, with a message for the player in
    // error and url unchanged, otherwise.
    static bool Normalise(XString& url, XString& error);

    // The base URL from the string value valueName under machineKey, then under userKey (each
    // "ROOT\\path\\"), else kDefaultBaseUrl. A value that Normalise refuses is passed over, with
    // its reason added to warnings (one line each) for the log.
    static XString ReadRegistry(const char* machineKey, const char* userKey, const char* valueName,
                                XString& warnings);
};
