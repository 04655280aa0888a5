// The art kit under the generators: shapes, canvas compositing, noise, text, the .x writer and the renderer.
#include "platform/mesh/MeshData.h"
#include "tools/artkit/Canvas.h"
#include "tools/artkit/MeshBuilder.h"
#include "tools/artkit/MeshRenderer.h"
#include "tools/artkit/Noise.h"
#include "tools/artkit/TextPainter.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace art;

namespace
{

std::string TempFile(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / "plk_artkit";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

// Pixels whose alpha is above half.
int Opaque(const Canvas& c, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1)
{
    if (x1 < 0)
        x1 = c.Width(), y1 = c.Height();
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += c.At(x, y).a > 0.5f;
    return n;
}

} // namespace

TEST(ArtKitShapes, DistancesAreNegativeInsideZeroOnTheEdgeAndPositiveOutside)
{
    const Shape circle = Circle(10, 10, 5);
    EXPECT_FLOAT_EQ(circle(10, 10), -5);
    EXPECT_NEAR(circle(15, 10), 0, 1e-5f);
    EXPECT_NEAR(circle(10, 22), 7, 1e-5f);

    const Shape box = RoundedRect(0, 0, 20, 10, 3);
    EXPECT_LT(box(10, 5), 0);
    EXPECT_NEAR(box(20, 5), 0, 1e-5f);
    EXPECT_GT(box(0.2f, 0.2f), 0) << "the rounded corner cuts the box's corner away";

    // An arrow: concave, so the notch beside the shaft lies outside.
    const Shape arrow = Polygon({{0, 4}, {6, 4}, {6, 0}, {12, 6}, {6, 12}, {6, 8}, {0, 8}});
    EXPECT_LT(arrow(3, 6), 0);
    EXPECT_LT(arrow(9, 6), 0);
    EXPECT_GT(arrow(3, 1), 0);
    EXPECT_NEAR(arrow(3, 2), 2, 1e-5f);
}

TEST(ArtKitShapes, CombinationsKeepTheirMeaning)
{
    const Shape ring = Subtract(Circle(0, 0, 10), Circle(0, 0, 5));
    EXPECT_GT(ring(0, 0), 0) << "the hole";
    EXPECT_LT(ring(7, 0), 0);
    const Shape both = Union(Circle(0, 0, 2), Circle(10, 0, 2));
    EXPECT_LT(both(10, 0), 0);
    EXPECT_GT(both(5, 0), 0);
    EXPECT_GT(Intersect(Circle(0, 0, 5), Circle(8, 0, 5))(0, 0), 0);
    const Shape band = Outline(Circle(0, 0, 10), 2);
    EXPECT_LT(band(10, 0), 0);
    EXPECT_GT(band(0, 0), 0);
    EXPECT_LT(Offset(Circle(0, 0, 5), 2)(6.5f, 0), 0);
    EXPECT_LT(Translate(Circle(0, 0, 1), 30, 40)(30, 40), 0);
}

TEST(ArtKitShapes, EveryEmblemIsASolidShapeOfItsOwn)
{
    const Emblem all[] = {Emblem::kCircle,   Emblem::kDiamond, Emblem::kTriangle, Emblem::kSquare,
                          Emblem::kStar,     Emblem::kHeart,   Emblem::kClover,   Emblem::kCross,
                          Emblem::kCrescent, Emblem::kDrop};
    std::vector<Canvas> drawn;
    for (Emblem e : all)
    {
        Canvas c(64, 64);
        c.FillShape(MakeEmblem(e, 32, 32, 28), Colour{1, 1, 1, 1});
        const int area = Opaque(c);
        EXPECT_GT(area, 64 * 64 / 8) << "emblem " << static_cast<int>(e) << " too small to read";
        EXPECT_EQ(Opaque(c, 0, 0, 64, 2) + Opaque(c, 0, 62, 64, 64), 0)
            << "emblem " << static_cast<int>(e) << " spills out";
        drawn.push_back(c);
    }
    // Outlines must differ, not just sizes: compare every pair pixel by pixel.
    for (size_t i = 0; i < drawn.size(); ++i)
        for (size_t j = i + 1; j < drawn.size(); ++j)
        {
            int differ = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    differ += (drawn[i].At(x, y).a > 0.5f) != (drawn[j].At(x, y).a > 0.5f);
            EXPECT_GT(differ, 200) << "emblems " << i << " and " << j << " look alike";
        }
}

TEST(ArtKitCanvas, FillIsAntiAliasedAtTheEdgeAndLeavesTheRestAlone)
{
    Canvas c(20, 20, Colour{0, 0, 1, 1});
    c.FillShape(RoundedRect(5, 5, 10.5f, 10, 0), Colour{1, 0, 0, 1});
    EXPECT_FLOAT_EQ(c.At(10, 10).r, 1.0f);
    EXPECT_FLOAT_EQ(c.At(2, 2).b, 1.0f);
    EXPECT_FLOAT_EQ(c.At(2, 2).r, 0.0f);
    // The column the right edge crosses is half covered.
    EXPECT_NEAR(c.At(15, 10).r, 0.5f, 0.05f);
    EXPECT_NEAR(c.At(15, 10).b, 0.5f, 0.05f);
    c.Blend(-1, 5, Colour{0, 1, 0, 1});
    c.Blend(5, 20, Colour{0, 1, 0, 1});
}

TEST(ArtKitCanvas, OverAndDownsampleWeighColourByAlpha)
{
    const Colour under{0, 0, 1, 1};
    EXPECT_FLOAT_EQ(Over(Colour{1, 0, 0, 0}, under).b, 1.0f) << "a transparent top changes nothing";
    const Colour half = Over(Colour{1, 0, 0, 0.5f}, under);
    EXPECT_FLOAT_EQ(half.r, 0.5f);
    EXPECT_FLOAT_EQ(half.a, 1.0f);

    // A red pixel beside transparent black shrinks to half-transparent red, not to dark red.
    Canvas c(2, 2);
    c.At(0, 0) = {1, 0, 0, 1};
    const Canvas small = c.Downsample(2);
    EXPECT_FLOAT_EQ(small.At(0, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(small.At(0, 0).a, 0.25f);
}

TEST(ArtKitCanvas, ImageRoundTripAndWrappedSampling)
{
    Canvas c(4, 2);
    c.At(3, 1) = {1, 0.5f, 0.25f, 1};
    const Canvas back = Canvas::FromImage(c.ToImage());
    EXPECT_NEAR(back.At(3, 1).g, 0.5f, 1.0f / 255);
    EXPECT_FLOAT_EQ(back.At(0, 0).a, 0.0f);
    EXPECT_FLOAT_EQ(c.Wrapped(-1, -1).r, 1.0f) << "(-1, -1) wraps to the bottom-right pixel";
    EXPECT_FLOAT_EQ(c.Sample(0.875f, 0.75f).r, 1.0f) << "the centre of pixel (3, 1)";
}

TEST(ArtKitColour, HsvRoundTripsAndHexReadsRgb)
{
    const Colour orange = Hex(0xFF8A1C);
    EXPECT_FLOAT_EQ(orange.r, 1.0f);
    EXPECT_NEAR(orange.g, 0x8A / 255.0f, 1e-6f);
    float h, s, v;
    ToHsv(orange, h, s, v);
    const Colour back = FromHsv(h, s, v);
    EXPECT_NEAR(back.r, orange.r, 1e-5f);
    EXPECT_NEAR(back.g, orange.g, 1e-5f);
    EXPECT_NEAR(back.b, orange.b, 1e-5f);
    EXPECT_NEAR(FromHsv(-120, 1, 1).b, 1.0f, 1e-5f) << "negative hues wrap";
}

TEST(ArtKitNoise, DeterministicBoundedAndPeriodicWhenAsked)
{
    const Noise a(7), b(7), c(8);
    EXPECT_EQ(a.Fractal(3.3f, 4.4f, 4), b.Fractal(3.3f, 4.4f, 4));
    EXPECT_NE(a.Value(3.3f, 4.4f), c.Value(3.3f, 4.4f));
    for (float x = -20; x < 20; x += 0.73f)
    {
        const float v = a.Fractal(x, x * 0.37f, 5);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        // A period of 4 cells repeats exactly, in every octave, on both axes.
        EXPECT_NEAR(a.Fractal(x, 1.7f, 4, 4, 4), a.Fractal(x + 4, 1.7f, 4, 4, 4), 1e-5f);
        EXPECT_NEAR(a.Fractal(1.7f, x, 4, 4, 4), a.Fractal(1.7f, x - 8, 4, 4, 4), 1e-5f);
    }
}

TEST(ArtKitText, TextLandsOnItsBaselineAndBoxedTextShrinksToFit)
{
    Canvas c(200, 60);
    TextStyle style;
    style.pixelHeight = 30;
    std::string error;
    ASSERT_TRUE(DrawText(c, style, "Hello", 100, 40, Align::kCentre, &error)) << error;
    EXPECT_GT(Opaque(c, 0, 0, 200, 41), 100);
    EXPECT_EQ(Opaque(c, 0, 42, 200, 60), 0) << "no descenders in Hello, so nothing below the baseline";
    EXPECT_EQ(Opaque(c, 0, 0, 60, 60) > 0, Opaque(c, 140, 0, 200, 60) > 0) << "centred text is symmetric";

    Canvas box(200, 60);
    ASSERT_TRUE(DrawTextInBox(box, style, "A much longer line than fits", 50, 20, 100, 20, &error)) << error;
    EXPECT_GT(Opaque(box), 20);
    EXPECT_EQ(Opaque(box, 0, 0, 49, 60) + Opaque(box, 151, 0, 200, 60), 0) << "ink left the box";
}

TEST(ArtKitMesh, TrianglesTurnToMatchTheirNormalsAndSurviveTheXRoundTrip)
{
    MeshBuilder mesh;
    Material m;
    m.name = "Skin";
    m.diffuse = {0.25f, 0.5f, 0.75f, 1};
    m.texture = "SolidRedCube.bmp";
    const int skin = mesh.AddMaterial(m);
    const int plain = mesh.AddMaterial(Material{"Plain", {1, 1, 1, 1}, 8, {0, 0, 0, 1}, {0, 0, 0, 1}, ""});
    const int a = mesh.AddVertex({{0, 0, 0}, {0, 0, -1}, 0, 1});
    const int b = mesh.AddVertex({{1, 0, 0}, {0, 0, -1}, 1, 1});
    const int c = mesh.AddVertex({{0, 1, 0}, {0, 0, -1}, 0, 0});
    // Counter-clockwise seen from -z, the side the normal faces: stored turned to clockwise.
    mesh.AddTriangle(a, b, c, skin);
    mesh.AddTriangle(a, c, b, plain);
    EXPECT_EQ(mesh.Triangles()[0].v, (std::array<int, 3>{a, c, b}));
    EXPECT_EQ(mesh.Triangles()[1].v, (std::array<int, 3>{a, c, b}));

    const std::string path = TempFile("roundtrip.x");
    std::string error;
    ASSERT_EQ(mesh.WriteX(path, "Sample", &error), 0) << error;
    gfx::MeshData loaded;
    ASSERT_EQ(gfx::LoadMeshX(path, loaded, &error), 0) << error;
    ASSERT_EQ(loaded.indices.size(), 6u);
    ASSERT_EQ(loaded.materials.size(), 2u);
    EXPECT_EQ(loaded.materials[0].textureFile, "SolidRedCube.bmp");
    EXPECT_FLOAT_EQ(loaded.materials[0].diffuse[2], 0.75f);
    const gfx::Float3 expected[3] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    for (int k = 0; k < 3; ++k)
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_FLOAT_EQ(loaded.positions[loaded.indices[k]][axis], expected[k][axis]) << k;
    EXPECT_FLOAT_EQ(loaded.texCoords[loaded.indices[1]][1], 0.0f);
    EXPECT_FLOAT_EQ(loaded.normals[loaded.indices[2]][2], -1.0f);

    EXPECT_NE(MeshBuilder().WriteX(TempFile("empty.x"), "Empty", &error), 0) << "an empty mesh is refused";
    EXPECT_NE(mesh.WriteX("/nonexistent/dir/out.x", "Sample", &error), 0);
    EXPECT_FALSE(error.empty());
}

TEST(ArtKitRenderer, DrawsFrontFacesNearestFirstAndCullsBackFaces)
{
    // Two squares facing the viewer at -z: a red one in front of a blue one.
    MeshBuilder mesh;
    const int red = mesh.AddMaterial(Material{"Red", {1, 0, 0, 1}, 8, {0, 0, 0, 1}, {0, 0, 0, 1}, ""});
    const int blue = mesh.AddMaterial(Material{"Blue", {0, 0, 1, 1}, 8, {0, 0, 0, 1}, {0, 0, 0, 1}, ""});
    mesh.AddFlatQuad({-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {0, 0, -1}, red);
    mesh.AddFlatQuad({-3, 3, 2}, {3, 3, 2}, {3, -3, 2}, {-3, -3, 2}, {0, 0, -1}, blue);
    View view;
    view.yawDegrees = 0;
    view.pitchDegrees = 0;
    view.lightDirection = {0, 0, 1};
    view.ambient = 1.0f;
    const Canvas front =
        RenderMeshImage(FromBuilder(mesh, [](const std::string&) { return nullptr; }), 64, 64, view);
    EXPECT_GT(front.At(32, 32).r, 0.8f);
    EXPECT_LT(front.At(32, 32).b, 0.2f);
    EXPECT_GT(front.At(32, 18).b, 0.8f) << "the far square shows round the near one";

    // Seen from behind every face is a back face.
    view.yawDegrees = 180;
    const Canvas back =
        RenderMeshImage(FromBuilder(mesh, [](const std::string&) { return nullptr; }), 64, 64, view);
    EXPECT_EQ(Opaque(back), 0);
}
