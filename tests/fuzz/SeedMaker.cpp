// Makes the seed corpora of the fuzz targets from the shipped files and the program's own writers:
// fuzz_seeds SOURCE_DIR OUTPUT_DIR writes OUTPUT_DIR/<target>/<seed> for every target.
#include "app/CStartupFiles.h"
#include "foundation/VideoModeSettings.h"
#include "foundation/XTextCipher.h"
#include "game/CGameLevel.h"
#include "game/CGameLevelCipher.h"
#include "online/CLoginInfo.h"
#include "online/CScorePoster.h"
#include "online/CServiceConfig.h"
#include "online/CSoapEnvelope.h"
#include "platform/image/Image.h"
#include "server/SoapMessage.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LevelFuzz.h"
#include "tools/artkit/MeshBuilder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// Seeds keep repeatable bytes: the cipher's time value is fixed.
const uint64_t kCipherTime = 0x0123456789abcdefULL;

fs::path g_output;

void Seed(const char* target, const std::string& name, const std::string& bytes)
{
    const fs::path folder = g_output / target;
    fs::create_directories(folder);
    fuzz::WriteBytes((folder / name).string(), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void Seed(const char* target, const std::string& name, const XString& bytes)
{
    Seed(target, name, std::string(bytes.GetBuffer(), bytes.GetLength()));
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

XString Bytes(const std::string& text)
{
    XString out;
    out.AppendData(text.data(), static_cast<unsigned>(text.size()));
    return out;
}

void LevelSeeds(const fs::path& levels)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(levels))
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    for (const fs::path& file : files)
    {
        const std::string stem = file.stem().string();
        const XString document = Bytes(ReadAll(file));
        Seed("level_document", stem + ".txt", document);
        Seed("xstring_parse", stem + ".txt", document);

        XString enciphered(document);
        CGameLevel::EncipherDocumentWithTime(enciphered, kCipherTime);
        Seed("level_file", stem + ".dat", enciphered);
        Seed("text_cipher", stem + ".dat", enciphered);

        // The game as a player saves it, a few cubes into the level.
        CGameLevel level(nullptr);
        if (!level.LoadFromDocument(fuzz::kLevelName, document, false, false))
            continue;
        level.SetDifficulty(2);
        level.SetTotalScore(12345);
        level.SetBlockScore(678);
        level.SetGameSession("StdLevel_20260101120000000_1@guid");
        XString saved;
        level.WriteDocument(saved, true, false);
        CGameLevel::EncipherDocumentWithTime(saved, kCipherTime);
        Seed("saved_game", stem + ".dat", saved);
    }
}

void ConfigurationSeeds(const fs::path& source)
{
    Seed("level_sets", "Upg.xml", ReadAll(source / "content/levels/Upg.xml"));

    VideoModeSettings mode;
    XString text;
    mode.ToText(text);
    Seed("video_mode", "default.xml", text);
    mode.Width = 1280;
    mode.Height = 1024;
    mode.BitsPerPixel = 32;
    mode.Hz = -1;
    mode.Id = 7;
    mode.FullScreen = true;
    mode.ToText(text);
    Seed("video_mode", "fullscreen.xml", text);

    Seed("startup_checks", "both.xml", CStartupFiles::ChecksText(true, true));
    Seed("startup_checks", "post.xml", CStartupFiles::ChecksText(true, false));
    Seed("startup_checks", "none.xml", CStartupFiles::ChecksText(false, false));

    const fs::path dialog = g_output / "startup_work";
    fs::create_directories(dialog);
    CStartupFiles files((dialog.string() + "/").c_str());
    CStartupFiles::Checks checks;
    checks.userName = "Dana";
    checks.password = "secret1";
    files.Save(checks);
    Seed("stored_login", "login.dat", ReadAll(dialog / CStartupFiles::kLoginFile));
    fs::remove_all(dialog);

    for (const char* text : {"", "a", "Plinkett", "StdLevel_20260101120000000_1@1234"})
    {
        XString plain(text);
        XTextCipher().EncryptWithTime(plain, LevelCipher::PassPhrase(), kCipherTime);
        Seed("text_cipher", std::string("text") + std::to_string(std::string(text).size()), plain);
        XString encoded(text);
        encoded.EncodeBase64();
        Seed("base64", std::string("text") + std::to_string(std::string(text).size()), encoded);
    }
    Seed("xstring_parse", "numbers", std::string("<XPos>-1e39</XPos><TimeLeft>nan</TimeLeft>,12,-7,true"));
}

// A short PCM wave: a frame counter's bytes as samples, so the seed is both loud and varied.
std::string Wave(int rate, int channels, int bits, int frames)
{
    const auto le = [](uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
        return out;
    };
    const int frameBytes = channels * bits / 8;
    std::string samples;
    for (int i = 0; i < frames * frameBytes; ++i)
        samples += static_cast<char>(i * 37);
    return "RIFF" + le(36 + static_cast<uint32_t>(samples.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
           le(static_cast<uint32_t>(channels), 2) + le(static_cast<uint32_t>(rate), 4) +
           le(static_cast<uint32_t>(rate * frameBytes), 4) + le(static_cast<uint32_t>(frameBytes), 2) +
           le(static_cast<uint32_t>(bits), 2) + "data" + le(static_cast<uint32_t>(samples.size()), 4) + samples;
}

void ArtSeeds()
{
    Seed("wave_stream", "mono16.wav", Wave(22050, 1, 16, 300));
    Seed("wave_stream", "stereo8.wav", Wave(44100, 2, 8, 500));

    plk::Image image(4, 3, 0xff00ffffu);
    *image.At(1, 1) = 0x10;
    const std::string folder = (g_output / "image").string();
    fs::create_directories(folder);
    plk::SaveBmp(folder + "/rgb.bmp", image, plk::BmpDepth::kRgb24);
    plk::SaveBmp(folder + "/rgba.bmp", image, plk::BmpDepth::kRgba32);
    plk::SavePng(folder + "/picture.png", image);

    art::MeshBuilder mesh;
    art::Material material;
    material.name = "Stone";
    material.texture = "textures\\stone.bmp";
    const int m = mesh.AddMaterial(material);
    const art::Vec3 up{0, 1, 0};
    mesh.AddFlatQuad({-1, 0, -1}, {-1, 0, 1}, {1, 0, 1}, {1, 0, -1}, up, m);
    mesh.AddFlatQuad({-1, 1, -1}, {-1, 1, 1}, {1, 2, 1}, {1, 1, -1}, up, m);
    fs::create_directories(g_output / "mesh_x");
    mesh.WriteX((g_output / "mesh_x/quad.x").string(), "Quad");
}

void OnlineSeeds()
{
    const CServiceConfig config;
    const CSoapOperation login = CLoginInfo::LoginOperation(config);
    const CSoapOperation score = CScorePoster::AddScoreOperation(config);
    XString envelope, error;
    CSoapEnvelope::WriteRequest(login, {CSoapValue::Text(XString("player")), CSoapValue::Text(XString("secret1")),
                                        CSoapValue::Text(XString("Plinkett3"))},
                                envelope, error);
    Seed("score_request", "login.xml", envelope);
    CSoapEnvelope::WriteRequest(score, {CSoapValue::Text(XString("player")), CSoapValue::Text(XString("key")),
                                        CSoapValue::Text(XString("@session")),
                                        CSoapValue::Text(XString("StdLevel_1@x")),
                                        CSoapValue::Text(XString("AAAAAAAAAAAAAAAA"))},
                                envelope, error);
    Seed("score_request", "score.xml", envelope);

    using plk::server::CSoapCall;
    using plk::server::CSoapOutput;
    CSoapCall call;
    call.operation = "LoginUser";
    call.ns = login.ns.GetBuffer();
    Seed("soap_response", "login.xml",
         std::string(1, '\0') + plk::server::WriteSoapResponse(call, {CSoapOutput::Boolean("LoginUserResult", true),
                                                                      CSoapOutput::Text("sxSessionId", "abc"),
                                                                      CSoapOutput::Text("sxMsg", "Welcome")}));
    call.operation = "AddScore";
    call.ns = score.ns.GetBuffer();
    Seed("soap_response", "score.xml",
         std::string(1, '\1') + plk::server::WriteSoapResponse(call, {CSoapOutput::Boolean("AddScoreResult", false),
                                                                      CSoapOutput::Text("sxServerMsg", "Rank 3"),
                                                                      CSoapOutput::Null("sxMsg")}));
    Seed("soap_response", "fault.xml", std::string(1, '\1') + plk::server::WriteSoapFault("soap:Client", "bad"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: fuzz_seeds SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    const fs::path source(argv[1]);
    g_output = argv[2];
    LevelSeeds(source / "content/levels");
    ConfigurationSeeds(source);
    ArtSeeds();
    OnlineSeeds();
    return 0;
}
